// Language resource files: resource-only DLLs read from their bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LoadAll.h"
#include "ResImageBuilder.h"
#include "Resources.h"

namespace tarvix::res {
namespace {

using test::PutU16;
using test::PutU32;

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(PeImage, LanguageDllsOfBothWordSizesRead) {
    for (const char* path : {TARVIX_TEST_DLL_X64, TARVIX_TEST_DLL_X86}) {
        SCOPED_TRACE(path);
        const auto m = Module::FromPeImage(ReadFile(path));
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(LoadString(*m, 101), "About Tarvix(&A)...");
        EXPECT_EQ(LoadString(*m, 102), "The sound file was merged.");
        EXPECT_EQ(LoadString(*m, 103), std::nullopt);
        const auto d = LoadDialog(*m, 102);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->caption, "Tarvix (English)");
        EXPECT_EQ(d->typeface, "Tahoma");
        ASSERT_EQ(d->controls.size(), 1u);
        EXPECT_EQ(d->controls[0].title.text, "Start");
        bool named = false;
        for (const auto& e : m->Entries()) {
            EXPECT_EQ(e.language, kLangEnglishUs);
            if (!e.name.isOrdinal) {
                named = true;
                EXPECT_EQ(e.name.text, "NOTES");
                const auto data = m->Data(e);
                EXPECT_EQ(std::string(data.begin(), data.end()), "named");
            }
        }
        EXPECT_TRUE(named);
    }
}

TEST(PeImage, CutAtEveryLengthNeverReadsOutOfBounds) {
    const auto full = ReadFile(TARVIX_TEST_DLL_X64);
    ASSERT_FALSE(full.empty());
    for (std::size_t length = 0; length < full.size(); ++length) {
        const auto m =
            Module::FromPeImage(std::vector<std::uint8_t>(full.begin(), full.begin() + length));
        if (m) {
            test::LoadAll(*m);  // under the sanitizers, any stray read fails here
        }
    }
    // The headers alone are no resource file; trailing section padding may go.
    EXPECT_FALSE(
        Module::FromPeImage(std::vector<std::uint8_t>(full.begin(), full.begin() + 0x200)));
    EXPECT_TRUE(Module::FromPeImage(full));
}

// A minimal PE32+ file: one section at RVA 0x1000, file offset 0x200, holding
// `rsrc` as its resource directory.
std::vector<std::uint8_t> MakePe(const std::vector<std::uint8_t>& rsrc) {
    std::vector<std::uint8_t> f(0x40, 0);
    f[0] = 'M';
    f[1] = 'Z';
    f[0x3C] = 0x40;
    PutU32(f, 0x00004550);
    PutU16(f, 0x8664);  // machine
    PutU16(f, 1);       // sections
    PutU32(f, 0);
    PutU32(f, 0);
    PutU32(f, 0);
    PutU16(f, 240);  // optional header size
    PutU16(f, 0x2022);
    const std::size_t optional = f.size();
    PutU16(f, 0x20B);
    f.resize(optional + 108, 0);
    PutU32(f, 16);  // data directories
    for (int i = 0; i < 16; ++i) {
        PutU32(f, i == 2 ? 0x1000 : 0);
        PutU32(f, i == 2 ? static_cast<std::uint32_t>(rsrc.size()) : 0);
    }
    const char name[8] = ".rsrc";
    f.insert(f.end(), name, name + 8);
    PutU32(f, static_cast<std::uint32_t>(rsrc.size()));
    PutU32(f, 0x1000);
    PutU32(f, static_cast<std::uint32_t>(rsrc.size()));
    PutU32(f, 0x200);
    f.resize(f.size() + 16, 0);
    f.resize(0x200, 0);
    f.insert(f.end(), rsrc.begin(), rsrc.end());
    return f;
}

void PutDirectory(std::vector<std::uint8_t>& out,
                  const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries) {
    out.resize(out.size() + 12, 0);
    PutU16(out, 0);
    PutU16(out, static_cast<std::uint16_t>(entries.size()));
    for (const auto& [name, target] : entries) {
        PutU32(out, name);
        PutU32(out, target);
    }
}

// String 0 = "A" under type 6, name 1, language 0x0411, its data at `dataRva`
// with `dataSize` bytes.
std::vector<std::uint8_t> OneStringTree(std::uint32_t dataRva = 0x1000 + 0x58,
                                        std::uint32_t dataSize = 34) {
    std::vector<std::uint8_t> r;
    PutDirectory(r, {{6, 0x80000018}});  // 0x00: types
    PutDirectory(r, {{1, 0x80000030}});  // 0x18: names
    PutDirectory(r, {{0x0411, 0x48}});   // 0x30: languages
    PutU32(r, dataRva);                  // 0x48: data entry
    PutU32(r, dataSize);
    r.resize(0x58, 0);  // code page, reserved
    PutU16(r, 1);       // 0x58: the string block
    PutU16(r, 'A');
    r.resize(r.size() + 30, 0);
    return r;
}

TEST(PeImage, HostileDirectoriesAreRejected) {
    const auto good = Module::FromPeImage(MakePe(OneStringTree()));
    ASSERT_TRUE(good.has_value());
    EXPECT_EQ(LoadString(*good, 0), "A");

    // A root whose 65535 entries all lead back to the root would take
    // 65535 cubed steps to walk.
    std::vector<std::uint8_t> bomb;
    PutDirectory(bomb,
                 std::vector<std::pair<std::uint32_t, std::uint32_t>>(0xFFFF, {6, 0x80000000}));
    auto withU32 = [](std::size_t at, std::uint32_t v) {
        auto r = OneStringTree();
        for (int i = 0; i < 4; ++i) {
            r[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        }
        return r;
    };
    const auto nameOutside = withU32(0x10, 0x8000FFF0);       // the type named by a text
    const auto directoryOutside = withU32(0x14, 0x8000FFF0);  // the names' directory

    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"not a PE file", std::vector<std::uint8_t>(512, 'x')},
        {"header offset past the end",
         [] {
             auto f = MakePe(OneStringTree());
             f[0x3C] = 0xFF;
             f[0x3D] = 0xFF;
             return f;
         }()},
        {"no resource directory", MakePe({})},
        {"resource data past its section", MakePe(OneStringTree(0x1000 + 0x58, 35))},
        {"resource data outside every section", MakePe(OneStringTree(0x9000, 34))},
        {"entry name past the end", MakePe(nameOutside)},
        {"subdirectory past the end", MakePe(directoryOutside)},
        {"directories that loop back", MakePe(bomb)},
    };
    for (const auto& [what, bytes] : cases) {
        EXPECT_FALSE(Module::FromPeImage(bytes).has_value()) << what;
    }
}

}  // namespace
}  // namespace tarvix::res
