// How field text reads as a number and how it is cut into a byte buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fw/DlgText.h"

namespace {

struct IntCase {
    const char* text;
    bool isSigned;
    bool ok;
    std::int64_t value;  // as signed for signed cases, unsigned otherwise
};

void PrintTo(const IntCase& c, std::ostream* os) {
    *os << '"' << c.text << '"' << (c.isSigned ? " signed" : " unsigned");
}

class ParseDlgIntTest : public testing::TestWithParam<IntCase> {};

TEST_P(ParseDlgIntTest, ReadsAsDecided) {
    const IntCase& c = GetParam();
    bool ok = !c.ok;
    const UINT raw = fw::ParseDlgInt(c.text, c.isSigned, &ok);
    EXPECT_EQ(ok, c.ok) << '"' << c.text << '"';
    const std::int64_t value =
        c.isSigned ? static_cast<std::int64_t>(static_cast<std::int32_t>(raw)) : raw;
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDlgIntTest,
    testing::Values(
        // plain numbers
        IntCase{"10000", true, true, 10000}, IntCase{"0", true, true, 0},
        IntCase{"-1", true, true, -1}, IntCase{"007", true, true, 7},
        // no number: 0
        IntCase{"", true, false, 0}, IntCase{"   ", true, false, 0}, IntCase{"abc", true, false, 0},
        IntCase{"-", true, false, 0}, IntCase{"+", true, false, 0},
        // blanks around the number, and a leading plus, are accepted
        IntCase{"  42", true, true, 42}, IntCase{"42 \t", true, true, 42},
        IntCase{"+42", true, true, 42}, IntCase{" -42 ", true, true, -42},
        // anything else after the digits, or inside, is not a number
        IntCase{"12abc", true, false, 0}, IntCase{"1 2", true, false, 0},
        IntCase{"1.5", true, false, 0}, IntCase{"--1", true, false, 0},
        IntCase{"- 1", true, false, 0},
        // full-width digits are not ASCII digits
        IntCase{"\xEF\xBC\x91", true, false, 0},
        // the signed range, and just beyond it
        IntCase{"2147483647", true, true, 2147483647},
        IntCase{"-2147483648", true, true, -2147483648LL}, IntCase{"2147483648", true, false, 0},
        IntCase{"-2147483649", true, false, 0}, IntCase{"99999999999999999999", true, false, 0},
        // unsigned: no minus sign, the whole 32-bit range
        IntCase{"4294967295", false, true, 4294967295LL}, IntCase{"4294967296", false, false, 0},
        IntCase{"-1", false, false, 0}));

TEST(FormatDlgInt, WritesSignedOrUnsignedDecimal) {
    EXPECT_EQ(fw::FormatDlgInt(10000, true), "10000");
    EXPECT_EQ(fw::FormatDlgInt(static_cast<UINT>(-468), true), "-468");
    EXPECT_EQ(fw::FormatDlgInt(static_cast<UINT>(-1), false), "4294967295");
    EXPECT_EQ(fw::FormatDlgInt(0x80000000u, true), "-2147483648");
}

TEST(CopyDlgText, CutsAtCountWithoutSplittingACharacter) {
    char buffer[260];
    // 258 ASCII bytes and a three-byte character: only the ASCII fits in 259.
    const std::string text = std::string(258, 'a') + "\xE3\x81\x82";
    EXPECT_EQ(fw::CopyDlgText(text, buffer, 260), 258);
    EXPECT_EQ(std::string(buffer), std::string(258, 'a'));

    // 256 ASCII bytes and the same character: 259 bytes, all of them fit.
    const std::string fits = std::string(256, 'a') + "\xE3\x81\x82";
    EXPECT_EQ(fw::CopyDlgText(fits, buffer, 260), 259);
    EXPECT_EQ(std::string(buffer), fits);

    // 259 plain bytes and one more: cut to 259.
    EXPECT_EQ(fw::CopyDlgText(std::string(300, 'b'), buffer, 260), 259);
    EXPECT_EQ(std::string(buffer).size(), 259u);

    EXPECT_EQ(fw::CopyDlgText("", buffer, 260), 0);
    EXPECT_EQ(buffer[0], '\0');
    buffer[0] = 'x';
    EXPECT_EQ(fw::CopyDlgText("abc", buffer, 1), 0);
    EXPECT_EQ(buffer[0], '\0');
}

}  // namespace
