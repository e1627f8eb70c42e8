// Tarvix.exe as a user starts it: its own process, driven through window messages from
// outside. The title comes from the executable's name, and a language resource file
// beside it is read as resources only.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinScratch.h"
#include "WinText.h"
#include "resource.h"

using wintest::ScratchDir;
using wintest::Wide;

namespace {

// Generous: the first window of a fresh Wine prefix waits for the font cache.
constexpr DWORD TIME_LIMIT_MS = 60000;

struct Found {
    DWORD pid;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialogsOf(HWND hwnd, LPARAM arg) {
    auto* found = reinterpret_cast<Found*>(arg);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if (pid == found->pid && IsWindowVisible(hwnd) && std::wstring(name) == L"#32770") {
        found->dialogs.push_back(hwnd);
    }
    return TRUE;
}

// Text of a window of another process, asked of that window itself.
std::string RemoteText(HWND hwnd) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        &length);
    return wintest::Utf8(text);
}

void Press(HWND target, UINT vk) {
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 1 | (3u << 30));
}

class TarvixProcess {
  public:
    TarvixProcess(const std::string& exe, const wchar_t* arguments) {
        std::wstring commandLine = L"\"" + Wide(exe) + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        m_started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &m_info);
        EXPECT_TRUE(m_started) << exe;
    }
    ~TarvixProcess() {
        if (m_started) {
            if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(m_info.hProcess, 1);
            }
            CloseHandle(m_info.hThread);
            CloseHandle(m_info.hProcess);
        }
    }

    // Waits for a visible dialog of the process that `match` accepts.
    HWND WaitForDialog(const std::function<bool(HWND)>& match) {
        const DWORD start = GetTickCount();
        while (m_started && GetTickCount() - start < TIME_LIMIT_MS) {
            Found found{m_info.dwProcessId, {}};
            EnumWindows(CollectDialogsOf, reinterpret_cast<LPARAM>(&found));
            for (HWND dialog : found.dialogs) {
                if (match(dialog)) {
                    return dialog;
                }
            }
            Sleep(20);
        }
        ADD_FAILURE() << "the window did not appear";
        return nullptr;
    }
    HWND WaitForMessageBox() {
        return WaitForDialog([](HWND d) { return GetDlgItem(d, 0xFFFF) != nullptr; });
    }

    // The exit status, once the process has ended by itself.
    DWORD WaitForExit() {
        EXPECT_EQ(WaitForSingleObject(m_info.hProcess, TIME_LIMIT_MS), WAIT_OBJECT_0);
        DWORD status = 259;
        GetExitCodeProcess(m_info.hProcess, &status);
        return status;
    }

  private:
    PROCESS_INFORMATION m_info{};
    bool m_started = false;
};

std::string CopyTo(const ScratchDir& dir, const char* from, const std::string& name) {
    const std::string to = dir / name;
    EXPECT_TRUE(CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE)) << to;
    return to;
}

// Enter at once: the message for a missing program file, with the title as caption; then
// the close box ends the process.
void RunEnterAndClose(TarvixProcess& tarvix, const char* caption, const char* mainCaption,
                      const char* message) {
    const HWND main = tarvix.WaitForDialog([&](HWND d) { return RemoteText(d) == mainCaption; });
    ASSERT_NE(main, nullptr);
    Press(GetDlgItem(main, IDOK), VK_RETURN);
    const HWND box = tarvix.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(RemoteText(box), caption);
    EXPECT_EQ(RemoteText(GetDlgItem(box, 0xFFFF)), message);
    Press(GetDlgItem(box, IDOK), VK_RETURN);
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(tarvix.WaitForExit(), 0u);
}

TEST(TarvixExe, TitleIsTheExecutableNameAndArgumentsChangeNothing) {
    const std::pair<const char*, const char*> cases[] = {{"merge.exe", "merge"},
                                                         {"a.b.exe", "a.b"}};
    for (const auto& [name, title] : cases) {
        SCOPED_TRACE(name);
        ScratchDir dir;
        TarvixProcess tarvix(CopyTo(dir, TARVIX_EXE, name), L"/? --help C:\\x.txt");
        RunEnterAndClose(tarvix, title, "Tarvix", "プログラムファイルが指定されていません");
    }
}

// A language resource file replaces the executable's resources wholly, with no fallback:
// its own main window, and no text for a message it lacks. It carries code that would
// leave a mark if it ran; loaded as resource data only, it never runs.
TEST(TarvixExe, LanguageFileIsReadAsResourcesOnly) {
    ScratchDir dir;
    const std::string exe = CopyTo(dir, TARVIX_EXE, "Tarvix.exe");
    const std::string dll = CopyTo(dir, TARVIX_LANGUAGE_DLL, "TarvixLOC.dll");
    {
        TarvixProcess tarvix(exe, L"");
        RunEnterAndClose(tarvix, "Tarvix", "Tarvix (English)", "");
    }
    EXPECT_FALSE(wintest::IsFile(dll + ".ran")) << "the language file's code ran";

    // The mark is what its code leaves when it is loaded as a program.
    const HMODULE loaded = LoadLibraryW(Wide(dll).c_str());
    ASSERT_NE(loaded, nullptr);
    FreeLibrary(loaded);
    EXPECT_TRUE(wintest::IsFile(dll + ".ran"));
}

}  // namespace
