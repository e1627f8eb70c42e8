// The program as a user starts it: on an X display of its own, with a window manager.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Process.h"

namespace fs = std::filesystem;

namespace {

constexpr double WAIT_SECONDS = 20;

class TempTree {
  public:
    TempTree() {
        m_root = fs::temp_directory_path() /
                 ("tarvix-app-" + std::to_string(::getpid()) + "-" + std::to_string(s_counter++));
        fs::create_directories(m_root);
    }
    ~TempTree() { fs::remove_all(m_root); }
    fs::path Dir(const char* name) const {
        fs::create_directories(m_root / name);
        return m_root / name;
    }
    const fs::path& Root() const { return m_root; }

  private:
    fs::path m_root;
    static inline int s_counter = 0;
};

std::vector<std::string> Listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class StartupTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!display.Ok()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        // Where a program or its libraries would keep settings, caches and state.
        for (const char* name : {"home", "config", "cache", "data", "state", "runtime", "tmp"}) {
            watched.push_back(tree.Dir(name));
        }
        ::chmod(tree.Dir("runtime").c_str(), 0700);
        env = {{"DISPLAY", display.Name()},
               {"QT_QPA_PLATFORM", ""},
               {"HOME", tree.Dir("home")},
               {"XDG_CONFIG_HOME", tree.Dir("config")},
               {"XDG_CACHE_HOME", tree.Dir("cache")},
               {"XDG_DATA_HOME", tree.Dir("data")},
               {"XDG_STATE_HOME", tree.Dir("state")},
               {"XDG_RUNTIME_DIR", tree.Dir("runtime")},
               {"TMPDIR", tree.Dir("tmp")},
               {"LANG", "ja_JP.UTF-8"}};
    }

    // The first visible window whose name is exactly `name`; empty when none comes.
    // Polled: a search that meets a window being destroyed fails and is tried again.
    std::string WaitForWindow(const std::string& name) {
        for (int i = 0; i < int(WAIT_SECONDS * 10); ++i) {
            const std::string out =
                Shell(display.Name(), "xdotool search --onlyvisible --name '^" + name + "$'");
            if (!out.empty()) {
                return out.substr(0, out.find('\n'));
            }
            Shell(display.Name(), "sleep 0.1");
        }
        return {};
    }

    // The same for names beyond ASCII: xdotool matches its patterns against a window's
    // Latin-1 name, so each visible window's UTF-8 name is compared instead.
    std::string WaitForWindowTitled(const std::string& name) {
        for (int i = 0; i < int(WAIT_SECONDS * 10); ++i) {
            std::istringstream ids(Shell(display.Name(), "xdotool search --onlyvisible --name ."));
            std::string id;
            while (std::getline(ids, id)) {
                if (Shell(display.Name(), "xdotool getwindowname " + id) == name + "\n") {
                    return id;
                }
            }
            Shell(display.Name(), "sleep 0.1");
        }
        return {};
    }

    void Key(const std::string& key) {
        Shell(display.Name(), "xdotool key --clearmodifiers " + key);
    }

    // The window's picture as raw pixels, once it is active and has settled.
    std::string Picture(const std::string& window) {
        std::string last;
        for (int i = 0; i < 50; ++i) {
            Shell(display.Name(), "sleep 0.2");
            std::string active = Shell(display.Name(), "xdotool getactivewindow");
            active = active.substr(0, active.find('\n'));
            std::string now = Shell(display.Name(), "import -window " + window + " rgb:-");
            if (active == window && !now.empty() && now == last) {
                return now;
            }
            last = std::move(now);
        }
        return last;
    }

    XDisplay display;
    TempTree tree;
    std::vector<fs::path> watched;
    std::map<std::string, std::string> env;
};

TEST_F(StartupTest, ShowsItsWindowEndsWithEscapeAndWritesNoFile) {
    const fs::path exeDir = fs::path(TARVIX_EXE).parent_path();
    const auto exeDirBefore = Listing(exeDir);

    Child tarvix({TARVIX_EXE}, env);
    const std::string window = WaitForWindow("Tarvix");
    ASSERT_FALSE(window.empty()) << "the window did not appear";
    Key("Escape");
    EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 0);

    for (const fs::path& dir : watched) {
        EXPECT_EQ(Listing(dir), std::vector<std::string>{}) << dir;
    }
    EXPECT_EQ(Listing(exeDir), exeDirBefore);
}

TEST_F(StartupTest, TheFileDialogSpeaksTheUsersLanguageAndLeavesNoFileBehind) {
    const fs::path exeDir = fs::path(TARVIX_EXE).parent_path();
    const auto exeDirBefore = Listing(exeDir);
    Child tarvix({TARVIX_EXE}, env);
    ASSERT_FALSE(WaitForWindow("Tarvix").empty());
    // From the start button to the program file's browse button, and press it.
    Key("Tab Tab Tab space");
    EXPECT_FALSE(WaitForWindowTitled("開く").empty()) << "no open dialog titled in Japanese";
    Key("Escape");  // the dialog
    Key("Escape");  // the window
    EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 0);

    for (const fs::path& dir : watched) {
        EXPECT_EQ(Listing(dir), std::vector<std::string>{}) << dir;
    }
    EXPECT_EQ(Listing(exeDir), exeDirBefore);
}

TEST_F(StartupTest, F1ShowsThatNoHelpCouldBeStartedOncePerPress) {
    const fs::path copy = tree.Dir("bin") / "helper";
    fs::copy_file(TARVIX_EXE, copy);
    Child tarvix({copy.string()}, env);
    ASSERT_FALSE(WaitForWindow("Tarvix").empty());
    for (int press = 0; press < 2; ++press) {
        Key("F1");
        ASSERT_FALSE(WaitForWindow("helper").empty()) << "no help failure on press " << press;
        Key("Escape");
        for (int i = 0;
             i < 50 &&
             !Shell(display.Name(), "xdotool search --onlyvisible --name '^helper$'").empty();
             ++i) {
            Shell(display.Name(), "sleep 0.1");
        }
    }
    Key("shift+F1");
    Shell(display.Name(), "sleep 1");
    EXPECT_EQ(Shell(display.Name(), "xdotool search --onlyvisible --name '^helper$'"), "");
    Key("Escape");
    EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
}

class LanguageFileStartupTest : public StartupTest {
  protected:
    void SetUp() override {
        StartupTest::SetUp();
        env["LANG"] = "en_US.UTF-8";
        env["LC_ALL"] = "";
        env["LC_MESSAGES"] = "";
        exe = tree.Dir("bin") / "Tarvix";
        fs::copy_file(TARVIX_EXE, exe);
    }
    void Put(const char* dll, const char* name) {
        fs::copy_file(dll, exe.parent_path() / name, fs::copy_options::overwrite_existing);
    }
    // Whether the window carries the program's 32 x 32 icon; the window manager gives
    // a window without one a larger icon of its own.
    bool HasIcon(const std::string& window) {
        return Shell(display.Name(), "xprop -id " + window + " _NET_WM_ICON")
                   .find("Icon (32 x 32)") != std::string::npos;
    }
    fs::path exe;
};

TEST_F(LanguageFileStartupTest, TheUsersLanguageFileReplacesTemplatesAndIconButNotTheTitle) {
    Put(TARVIX_ENGLISH_DLL, "TarvixENU.dll");
    Child tarvix({exe.string()}, env);
    const std::string window = WaitForWindowTitled("Tarvix (English)");
    ASSERT_FALSE(window.empty()) << "the language file's window did not appear";
    EXPECT_FALSE(HasIcon(window)) << "the file has no icon: none may come from elsewhere";
    Key("Return");
    EXPECT_FALSE(WaitForWindow("Tarvix").empty()) << "no message box captioned Tarvix";
    Key("Escape");  // the box
    Key("Escape");  // the window
    EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
}

TEST_F(LanguageFileStartupTest, ACorruptFileIsSkippedAndOneWithoutTheWindowEndsTheRunAtOnce) {
    {
        Child tarvix({exe.string()}, env);
        const std::string window = WaitForWindow("Tarvix");
        ASSERT_FALSE(window.empty());
        EXPECT_TRUE(HasIcon(window));
        Key("Escape");
        ASSERT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
    }
    std::ofstream(exe.parent_path() / "TarvixENU.dll") << "MZ" << std::string(4096, 'Z');
    Put(TARVIX_ENGLISH_DLL, "TarvixLOC.dll");
    {
        Child tarvix({exe.string()}, env);
        ASSERT_FALSE(WaitForWindowTitled("Tarvix (English)").empty());
        Key("Escape");
        ASSERT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
    }
    Put(TARVIX_NO_MAIN_WINDOW_DLL, "TarvixLOC.dll");
    Child tarvix({exe.string()}, env);
    EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
}

TEST_F(StartupTest, IgnoresItsCommandLine) {
    std::string plain;
    {
        Child tarvix({TARVIX_EXE}, env);
        const std::string window = WaitForWindow("Tarvix");
        ASSERT_FALSE(window.empty());
        plain = Picture(window);
        Key("Escape");
        ASSERT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
    }
    ASSERT_FALSE(plain.empty());

    // Options that the toolkit would take: another platform or display, a style, a
    // mirrored layout, a geometry, a style sheet.
    Child tarvix({TARVIX_EXE, "-platform", "offscreen", "-display", ":64999", "-style", "windows",
                  "-reverse", "-geometry", "100x100+0+0", "-stylesheet", "/nonexistent.qss",
                  "-qwindowtitle", "Other", "--help", "program.txt", "sound.wav"},
                 env);
    const std::string window = WaitForWindow("Tarvix");
    ASSERT_FALSE(window.empty()) << "the arguments kept the window from this display";
    EXPECT_TRUE(Picture(window) == plain) << "the window looks different with arguments";
    Key("Escape");
    EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
}

TEST_F(StartupTest, MessageBoxesCarryTheExecutablesNameWithoutItsExtension) {
    const fs::path copy = tree.Dir("bin") / "my.tool.exe";
    fs::copy_file(TARVIX_EXE, copy);
    Child tarvix({copy.string()}, env);
    ASSERT_FALSE(WaitForWindow("Tarvix").empty());  // the window's own caption stays
    Key("Return");
    EXPECT_FALSE(WaitForWindow("my\\.tool").empty()) << "no box captioned my.tool";
    Key("Escape");  // the box
    Key("Escape");  // the window
    EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 0);
}

TEST_F(StartupTest, WithoutADisplayItSaysSoAndHowToGetOne) {
    for (const char* displayName : {"", ":64998"}) {
        SCOPED_TRACE(std::string("DISPLAY=") + displayName);
        const fs::path errors = tree.Root() / "stderr.txt";
        env["DISPLAY"] = displayName;
        env["WAYLAND_DISPLAY"] = "";
        Child tarvix({TARVIX_EXE}, env, errors.string());
        EXPECT_EQ(tarvix.Wait(WAIT_SECONDS), 1);
        const std::string text = ReadFile(errors);
        EXPECT_NE(text.find("Xvfb"), std::string::npos) << text;
        EXPECT_NE(text.find("DISPLAY="), std::string::npos) << text;
    }
}

}  // namespace
