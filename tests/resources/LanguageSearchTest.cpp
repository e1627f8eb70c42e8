// The language resource file: which names are tried, and which file is taken.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "LanguageSearch.h"

namespace tarvix::res {
namespace {

using Strings = std::vector<std::string>;

TEST(LanguageSearch, AbbreviationsOfLocaleNames) {
    const std::vector<std::pair<const char*, Strings>> cases = {
        {"ja_JP.UTF-8", {"JPN", "JPN"}},
        {"ja_JP", {"JPN", "JPN"}},
        {"en_US", {"ENU", "ENU"}},
        {"en_GB.UTF-8", {"ENG", "ENU"}},
        {"de_AT.UTF-8@euro", {"DEA", "DEU"}},
        {"fr", {"FRA", "FRA"}},
        {"de_XX", {"DEU", "DEU"}},  // unknown territory: the language's own
        {"C", {}},
        {"POSIX", {}},
        {"C.UTF-8", {}},
        {"", {}},
        {"xx_YY", {}},
    };
    for (const auto& [locale, expected] : cases) {
        EXPECT_EQ(LanguageAbbreviations(locale), expected) << locale;
    }
}

TEST(LanguageSearch, CandidatesFollowTheExecutableAndTheLanguages) {
    struct Case {
        const char* exe;
        const char* user;
        const char* system;
        Strings expected;
    };
    const std::vector<Case> cases = {
        {"/opt/tarvix/Tarvix",
         "ja_JP.UTF-8",
         "ja_JP.UTF-8",
         {"/opt/tarvix/TarvixJPN.dll", "/opt/tarvix/TarvixLOC.dll"}},
        {"/x/merge.exe",
         "de_AT",
         "en_US",
         {"/x/mergeDEA.dll", "/x/mergeDEU.dll", "/x/mergeENU.dll", "/x/mergeLOC.dll"}},
        {"/x/a.b.exe", "en_GB", "C", {"/x/a.bENG.dll", "/x/a.bENU.dll", "/x/a.bLOC.dll"}},
        {"/x.y/Tarvix", "", "", {"/x.y/TarvixLOC.dll"}},
        {"/x/.profile", "C", "C", {"/x/LOC.dll"}},
        {"Tarvix", "ja", "", {"TarvixJPN.dll", "TarvixLOC.dll"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageFileCandidates(c.exe, c.user, c.system), c.expected) << c.exe;
    }
}

class LanguageModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tarvix-lang-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }
    std::string Write(const char* name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Dll() {
        std::ifstream in(TARVIX_TEST_DLL_X64, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir_;
};

TEST_F(LanguageModuleTest, FirstValidFileWinsAndInvalidOnesAreSkipped) {
    const std::string dll = Dll();
    ASSERT_GT(dll.size(), 512u);
    std::filesystem::create_directory(Path("TarvixDIR.dll"));
    // A second valid file, told apart by one text.
    std::string other = dll;
    const std::string merged("m\0e\0r\0g\0e\0d\0", 12);
    const auto at = other.find(merged);
    ASSERT_NE(at, std::string::npos);
    other.replace(at, merged.size(), std::string("M\0E\0R\0G\0E\0D\0", 12));
    const Strings candidates = {
        Path("TarvixNONE.dll"),
        Path("TarvixDIR.dll"),
        Write("TarvixTXT.dll", "not a library"),
        Write("TarvixCUT.dll", dll.substr(0, dll.size() / 2)),
        Write("TarvixJPN.dll", dll),
        Write("TarvixLOC.dll", other),
    };
    const auto m = LoadLanguageModule(candidates);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(LoadString(*m, 102), "The sound file was merged.");
    const auto last = LoadLanguageModule({candidates[3], candidates[5]});
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(LoadString(*last, 102), "The sound file was MERGED.");
    EXPECT_FALSE(LoadLanguageModule({candidates.begin(), candidates.begin() + 4}).has_value());
}

TEST_F(LanguageModuleTest, OversizedFileIsSkipped) {
    const std::string path = Write("TarvixJPN.dll", Dll());
    std::filesystem::resize_file(path, kMaxLanguageFileSize + 1);  // sparse: cheap to make
    EXPECT_FALSE(LoadLanguageModule({path}).has_value());
    std::filesystem::resize_file(path, kMaxLanguageFileSize);
    EXPECT_TRUE(LoadLanguageModule({path}).has_value());
}

}  // namespace
}  // namespace tarvix::res
