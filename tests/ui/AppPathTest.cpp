// The application title and the help file path taken from the executable's path.
#include <gtest/gtest.h>

#include <filesystem>

#include "fw/WinApp.h"

namespace {

struct PathCase {
    const char* exe;
    const char* title;
    const char* helpPath;
};

class AppPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(AppPathTest, TitleAndHelpPath) {
    const PathCase& c = GetParam();
    EXPECT_EQ(fw::AppTitleFromPath(c.exe), c.title);
    EXPECT_EQ(fw::HelpPathFromPath(c.exe), c.helpPath);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AppPathTest,
    testing::Values(PathCase{"/opt/tools/Tarvix", "Tarvix", "/opt/tools/Tarvix.HLP"},
                    PathCase{"C:\\Tools\\Tarvix.exe", "Tarvix", "C:\\Tools\\Tarvix.HLP"},
                    PathCase{"/opt/merge.exe", "merge", "/opt/merge.HLP"},
                    PathCase{"/opt/a.b.exe", "a.b", "/opt/a.b.HLP"},
                    // a dot in a folder name is no extension
                    PathCase{"/opt/v1.2/Tarvix", "Tarvix", "/opt/v1.2/Tarvix.HLP"},
                    PathCase{"Tarvix", "Tarvix", "Tarvix.HLP"}));

TEST(ExecutablePath, IsTheRunningProgram) {
    const std::string path = fw::ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(std::filesystem::equivalent(path, "/proc/self/exe"));
}

}  // namespace
