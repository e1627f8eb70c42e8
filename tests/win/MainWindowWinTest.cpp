// The main window on Windows, run by the system's dialog manager and driven through
// window messages: its state after start, the merge from Enter and from the start
// button, the about box from the system command, and the ways to close it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "ShowMessage.h"
#include "TarvixApp.h"
#include "TarvixDlg.h"
#include "WinGui.h"
#include "WinScratch.h"
#include "WinText.h"
#include "fw/WinApp.h"
#include "resource.h"

using wintest::ItemText;
using wintest::PressKey;
using wintest::Step;

namespace {
CTarvixApp g_app;
}  // namespace

CTarvixApp& wintest::TestApp() {
    return g_app;
}

namespace {

using namespace wintest;

TEST_F(MainWindow, StartsWithTheDefaultPositionAndTheFocusOnStart) {
    Run({Do([this] {
             EXPECT_EQ(wintest::Text(Main()), "Tarvix");
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "10000");
             EXPECT_EQ(ItemText(Main(), IDC_SECONDS), "468");
             EXPECT_EQ(ItemText(Main(), IDC_PROGRAM_PATH), "");
             EXPECT_EQ(ItemText(Main(), IDC_SOUND_PATH), "");
             EXPECT_EQ(GetFocus(), Item(IDOK));

             // The system menu ends with a separator and the about entry.
             const HMENU menu = GetSystemMenu(Main(), FALSE);
             const int count = GetMenuItemCount(menu);
             ASSERT_GE(count, 2);
             EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR,
                       static_cast<UINT>(MF_SEPARATOR));
             EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUT));
             wchar_t entry[64] = {};
             GetMenuStringW(menu, count - 1, entry, 64, MF_BYPOSITION);
             EXPECT_EQ(wintest::Utf8(entry), "バージョン情報 Tarvix(&A)...");

             // The application icon, both sizes; no minimise or maximise box.
             const auto big = SendMessageW(Main(), WM_GETICON, ICON_BIG, 0);
             EXPECT_NE(big, 0);
             EXPECT_EQ(SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0), big);
             EXPECT_EQ(GetWindowLongW(Main(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

             // Centred in the work area of its monitor.
             MONITORINFO monitor{};
             monitor.cbSize = sizeof monitor;
             GetMonitorInfoW(MonitorFromWindow(Main(), MONITOR_DEFAULTTOPRIMARY), &monitor);
             ExpectCentredOver(Rect(Main()), monitor.rcWork);
         }),
         Close()});
    EXPECT_EQ(m_result, IDCANCEL);
}

TEST_F(MainWindow, EnterAtOnceReportsTheMissingProgramFileAndStaysOpen) {
    std::vector<Step> steps = {Do([] { PressKey(VK_RETURN); })};
    for (Step& s : ExpectMessage("プログラムファイルが指定されていません")) {
        steps.push_back(std::move(s));
    }
    steps.push_back(Do([this] {
        EXPECT_TRUE(IsWindowVisible(Main()));
        EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "10000");
        EXPECT_EQ(ItemText(Main(), IDC_SECONDS), "468");
    }));
    steps.push_back(Close());
    Run(steps);
    EXPECT_EQ(m_result, IDCANCEL);
}

TEST_F(MainWindow, MergeFromTheStartButtonHoldsTheProgramFileWhileReporting) {
    wintest::ScratchDir dir;
    const std::string program = dir / "program.txt";
    const std::string sound = dir / "sound.wav";
    const auto programBefore = wintest::Pattern(4096, 1);
    const auto soundBytes = wintest::Pattern(1000, 2);
    wintest::WriteBytes(program, programBefore);
    wintest::WriteBytes(sound, soundBytes);

    auto typeInto = [this](int id, const std::string& text) {
        return Do([this, id, text] {
            // As Tab does it: the field gets the focus with its text selected.
            SendMessageW(Main(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
            wintest::TypeText(wintest::Wide(text));
        });
    };
    Run({typeInto(IDC_PROGRAM_PATH, program), typeInto(IDC_SOUND_PATH, sound),
         typeInto(IDC_SECTOR, "1"),
         WaitFor([this, &program] { return ItemText(Main(), IDC_PROGRAM_PATH) == program; }),
         Do([this] { wintest::Click(Item(IDOK)); }),
         WaitFor([] { return wintest::OpenMessageBox() != nullptr; }), Do([&] {
             EXPECT_EQ(wintest::MessageBoxText(wintest::OpenMessageBox()),
                       "サウンドファイルの取り込みに成功しました");
             // Reported while the program file is still held against every other open.
             EXPECT_FALSE(
                 wintest::OthersCanOpen(program, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
             PressKey(VK_RETURN);
         }),
         WaitFor([this] { return IsWindowEnabled(Main()); }), Do([&] {
             EXPECT_TRUE(wintest::OthersCanOpen(program, GENERIC_READ, 0));
             EXPECT_EQ(ItemText(Main(), IDC_SOUND_PATH), sound);
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "1");
         }),
         Close()});
    auto expected = programBefore;
    std::copy(soundBytes.begin(), soundBytes.end(), expected.begin() + 512);
    EXPECT_TRUE(wintest::ReadBytes(program) == expected);
}

TEST_F(MainWindow, SystemCommandsOf0x0010To0x001FOpenTheAboutBox) {
    HWND about = nullptr;
    auto openAbout = [&](UINT command) {
        return std::vector<Step>{
            Do([this, command] { PostMessageW(Main(), WM_SYSCOMMAND, command, 0); }), WaitFor([&] {
                const auto dialogs = wintest::ThreadDialogs();
                about = dialogs.empty() || dialogs.front() == Main() ? nullptr : dialogs.front();
                return about != nullptr;
            }),
            Do([&, this] {
                EXPECT_EQ(wintest::Text(about), "バージョン情報 Tarvix");
                EXPECT_EQ(GetWindow(about, GW_OWNER), Main());
                EXPECT_FALSE(IsWindowEnabled(Main()));
                EXPECT_EQ(GetFocus(), GetDlgItem(about, IDOK));
                ExpectCentredOver(Rect(about), Rect(Main()));
                PressKey(VK_RETURN);
            }),
            WaitFor([this] { return IsWindowEnabled(Main()); })};
    };
    std::vector<Step> steps;
    for (UINT command : {0x0010u, 0x001Fu}) {
        for (Step& s : openAbout(command)) {
            steps.push_back(std::move(s));
        }
    }
    // 0x0020 is another command: nothing opens. Posted messages are handled before
    // the next timer tick, so one step later tells.
    steps.push_back(Do([this] { PostMessageW(Main(), WM_SYSCOMMAND, 0x0020, 0); }));
    steps.push_back(Do([this] {
        EXPECT_EQ(wintest::ThreadDialogs(), std::vector<HWND>{Main()});
        EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "10000");
    }));
    steps.push_back(Close());
    Run(steps);
    EXPECT_EQ(m_result, IDCANCEL);
}

TEST_F(MainWindow, EveryWayToCloseEndsTheRunWithCancel) {
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> ways = {
        {"Escape in an edit field",
         [](HWND main) {
             SendMessageW(main, WM_NEXTDLGCTL,
                          reinterpret_cast<WPARAM>(GetDlgItem(main, IDC_PROGRAM_PATH)), TRUE);
             PressKey(VK_ESCAPE);
         }},
        {"close button", [](HWND main) { wintest::Click(GetDlgItem(main, IDCANCEL)); }},
        {"close box or Alt+F4", [](HWND main) { PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        Run({Do([this, way = way] { way(Main()); })});
        EXPECT_EQ(m_result, IDCANCEL);
    }
}

TEST(ShowMessage, CaptionIconAndWhichBoxStaysOnTop) {
    TestApp().m_appTitle = wintest::TEST_APP_TITLE;
    for (const unsigned id : {IDS_MERGE_DONE, IDS_OUT_OF_MEMORY}) {
        SCOPED_TRACE(id);
        wintest::RunScript({WaitFor([] { return wintest::OpenMessageBox() != nullptr; }), Do([id] {
                                const HWND box = wintest::OpenMessageBox();
                                EXPECT_EQ(wintest::Text(box), wintest::TEST_APP_TITLE);
                                const bool topmost =
                                    GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST;
                                EXPECT_EQ(topmost, id == IDS_OUT_OF_MEMORY);
                                PressKey(VK_ESCAPE);
                            })},
                           [id] { ShowMessage(id); });
    }
}

}  // namespace
