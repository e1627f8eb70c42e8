// The language resource file on Windows: which names are tried, and which file is taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinLanguageSearch.h"
#include "WinResourceModule.h"
#include "WinScratch.h"

namespace {

using Strings = std::vector<std::string>;

TEST(WinLanguageSearch, CandidatesFollowTheExecutableAndTheLanguages) {
    struct Case {
        const char* exe;
        Strings codes;
        Strings expected;
    };
    const std::vector<Case> cases = {
        // A Japanese system names the same file four times: it is tried once.
        {"C:\\Tools\\Tarvix.exe",
         {"JPN", "JPN", "JPN", "JPN"},
         {"C:\\Tools\\TarvixJPN.dll", "C:\\Tools\\TarvixLOC.dll"}},
        {"C:\\x\\merge.exe",
         {"DEA", "DEU", "ENU", "ENU"},
         {"C:\\x\\mergeDEA.dll", "C:\\x\\mergeDEU.dll", "C:\\x\\mergeENU.dll",
          "C:\\x\\mergeLOC.dll"}},
        {"C:\\x\\a.b.exe", {}, {"C:\\x\\a.bLOC.dll"}},
        {"C:\\x.y\\Tarvix", {"JPN"}, {"C:\\x.y\\TarvixJPN.dll", "C:\\x.y\\TarvixLOC.dll"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tarvix::res::LanguageFileCandidates(c.exe, c.codes), c.expected) << c.exe;
    }
}

TEST(WinLanguageSearch, CodesAreTheSystemsAbbreviations) {
    const Strings codes = tarvix::res::WinLanguageAbbreviations();
    ASSERT_EQ(codes.size(), 4u);
    for (const std::string& code : codes) {
        EXPECT_EQ(code.size(), 3u) << code;
    }
}

// Missing files and files that are not modules are passed over; the first module found
// is taken, as resource data.
TEST(WinLanguageSearch, FirstLoadableCandidateIsTaken) {
    wintest::ScratchDir dir;
    wintest::WriteBytes(dir / "TarvixJPN.dll", wintest::Pattern(4096, 7));
    ASSERT_TRUE(CopyFileW(wintest::Wide(TARVIX_TEST_DLL_X86).c_str(),
                          wintest::Wide(dir / "TarvixENU.dll").c_str(), FALSE));
    const HMODULE module =
        tarvix::res::LoadLanguageResources({dir / "TarvixDEU.dll", dir / "TarvixJPN.dll",
                                            dir / "TarvixENU.dll", dir / "TarvixLOC.dll"});
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(tarvix::res::LoadStringUtf8(module, 101), "About Tarvix(&A)...");
    EXPECT_EQ(tarvix::res::LoadStringUtf8(module, 108), "");
    FreeLibrary(module);

    EXPECT_EQ(tarvix::res::LoadLanguageResources({dir / "TarvixDEU.dll", dir / "TarvixJPN.dll"}),
              nullptr);
}

}  // namespace
