// How the reader decodes what it finds: language choice, pixel order and
// masks of icons, the classic dialog layout, and text conversion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResImageBuilder.h"
#include "Resources.h"

namespace tarvix::res {
namespace {

using test::BuildResImage;
using test::PutU16;
using test::PutU32;

std::vector<std::uint8_t> StringBlock(const std::vector<std::u16string>& texts) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < 16; ++i) {
        const std::u16string t = i < texts.size() ? texts[i] : u"";
        PutU16(out, static_cast<std::uint16_t>(t.size()));
        for (char16_t c : t) {
            PutU16(out, c);
        }
    }
    return out;
}

TEST(Reader, FindPrefersTheLanguageAndElseTakesTheFirst) {
    const auto m = Module::FromResImage(BuildResImage({
        {kTypeString, 1, kLangEnglishUs, StringBlock({u"english"})},
        {kTypeString, 1, kLangJapanese, StringBlock({u"日本語"})},
        {kTypeString, 2, kLangEnglishUs, StringBlock({u"only english"})},
    }));
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(LoadString(*m, 0), "日本語");
    EXPECT_EQ(LoadString(*m, 16), "only english");
    EXPECT_EQ(Module::FromResImage(BuildResImage({}))->Entries().size(), 0u);
    EXPECT_FALSE(m->Find(kTypeString, 3).has_value());
    EXPECT_FALSE(m->Find(kTypeDialog, 1).has_value());
}

TEST(Reader, StringTextsConvertToUtf8) {
    const auto m = Module::FromResImage(BuildResImage({{kTypeString, 7, kLangJapanese,
                                                        StringBlock({
                                                            u"ｻｳﾝﾄﾞ",
                                                            u"𝄞 clef",
                                                            std::u16string(u"cut\0here", 8),
                                                            u"\xD800 lone",
                                                            std::u16string(u"\0", 1),
                                                        })}}));
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(LoadString(*m, 96), "ｻｳﾝﾄﾞ");
    EXPECT_EQ(LoadString(*m, 97), "𝄞 clef");
    EXPECT_EQ(LoadString(*m, 98), "cut");  // a stored terminator ends the text
    EXPECT_EQ(LoadString(*m, 99), "\xEF\xBF\xBD lone");
    EXPECT_EQ(LoadString(*m, 100), std::nullopt);  // nothing before the terminator
    EXPECT_EQ(LoadString(*m, 101), std::nullopt);  // zero length: no string
    EXPECT_EQ(LoadString(*m, 0xFFFFFFFF), std::nullopt);
}

// An icon group naming image 2, and image 2 as given.
std::vector<test::RawResource> IconResources(std::vector<std::uint8_t> dib) {
    std::vector<std::uint8_t> group;
    for (std::uint16_t v : {0, 1, 1}) {
        PutU16(group, v);
    }
    group.insert(group.end(), {2, 2, 0, 0});
    PutU16(group, 1);
    PutU16(group, 24);
    PutU32(group, static_cast<std::uint32_t>(dib.size()));
    PutU16(group, 2);
    return {{kTypeGroupIcon, 1, kLangJapanese, group}, {kTypeIcon, 2, kLangJapanese, dib}};
}

std::vector<std::uint8_t> DibHeader(std::uint16_t bits, std::uint32_t colorsUsed = 0) {
    std::vector<std::uint8_t> d;
    PutU32(d, 40);
    PutU32(d, 2);  // 2 x 2 pixels
    PutU32(d, 4);
    PutU16(d, 1);
    PutU16(d, bits);
    d.resize(32, 0);
    PutU32(d, colorsUsed);
    PutU32(d, 0);
    return d;
}

std::vector<std::uint8_t> Cat(std::vector<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

TEST(Reader, IconsDecodeBottomUpRowsAndTheirMask) {
    // Rows are stored bottom row first; each mask row is one 32-bit word.
    const std::vector<std::uint8_t> maskBottomRightClear = {0x40, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        const char* what;
        std::vector<std::uint8_t> dib;
        std::vector<std::uint32_t> argb;  // top row first
    };
    const std::vector<Case> cases = {
        {"24 bits",
         Cat({DibHeader(24),
              {0, 0, 0xFF, 0, 0xFF, 0, 0, 0},        // bottom: red, green
              {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0},  // top: blue, white
              maskBottomRightClear}),
         {0xFF0000FF, 0xFFFFFFFF, 0xFFFF0000, 0x00000000}},
        {"1 bit with a palette of two",
         Cat({DibHeader(1, 2),
              {0x10, 0x20, 0x30, 0, 0xF0, 0xE0, 0xD0, 0},  // index 0, index 1
              {0x40, 0, 0, 0},                             // bottom: 0 1
              {0x80, 0, 0, 0},                             // top: 1 0
              maskBottomRightClear}),
         {0xFFD0E0F0, 0xFF302010, 0xFF302010, 0x00000000}},
        {"32 bits with alpha: the mask is ignored",
         Cat({DibHeader(32),
              {1, 2, 3, 0x80, 4, 5, 6, 0xFF},
              {7, 8, 9, 0x00, 10, 11, 12, 0x40},
              maskBottomRightClear}),
         {0x00090807, 0x400C0B0A, 0x80030201, 0xFF060504}},
    };
    for (const auto& c : cases) {
        const auto m = Module::FromResImage(BuildResImage(IconResources(c.dib)));
        ASSERT_TRUE(m.has_value());
        const auto icon = LoadIcon(*m, 1);
        ASSERT_TRUE(icon.has_value()) << c.what;
        EXPECT_EQ(icon->width, 2) << c.what;
        EXPECT_EQ(icon->height, 2) << c.what;
        EXPECT_EQ(icon->raw, c.dib) << c.what;
        EXPECT_EQ(icon->argb, c.argb) << c.what;
    }
}

TEST(Reader, ClassicDialogTemplateReadsToo) {
    std::vector<std::uint8_t> d;
    PutU32(d, 0x80C80040);  // style with DS_SETFONT
    PutU32(d, 0x8);         // extended style
    PutU16(d, 1);           // one control
    for (std::uint16_t v : {1, 2, 30, 40}) {
        PutU16(d, static_cast<std::uint16_t>(v));
    }
    for (int v : {0, 0, int{'T'}, 0, 8, int{'F'}, 0}) {  // menu, class, caption, font
        PutU16(d, static_cast<std::uint16_t>(v));
    }
    while (d.size() % 4 != 0) {
        d.push_back(0);
    }
    PutU32(d, 0x50000000);
    PutU32(d, 0);
    for (int v : {5, 6, 7, 8, 0xFFFF, 0xFFFF, 0x82, int{'x'}, 0, 0}) {
        PutU16(d, static_cast<std::uint16_t>(v));
    }
    const auto m = Module::FromResImage(BuildResImage({{kTypeDialog, 9, kLangJapanese, d}}));
    ASSERT_TRUE(m.has_value());
    const auto t = LoadDialog(*m, 9);
    ASSERT_TRUE(t.has_value());
    EXPECT_FALSE(t->extended);
    EXPECT_EQ(t->style, 0x80C80040u);
    EXPECT_EQ(t->exStyle, 0x8u);
    EXPECT_EQ(t->cy, 40);
    EXPECT_EQ(t->caption, "T");
    EXPECT_EQ(t->pointSize, 8);
    EXPECT_EQ(t->typeface, "F");
    ASSERT_EQ(t->controls.size(), 1u);
    EXPECT_EQ(t->controls[0].id, -1);
    EXPECT_EQ(t->controls[0].cy, 8);
    EXPECT_EQ(t->controls[0].windowClass, (NameOrOrdinal{true, 0x82, {}}));
    EXPECT_EQ(t->controls[0].title.text, "x");
}

}  // namespace
}  // namespace tarvix::res
