// The main window's coupled position fields, its browse buttons with the system's file
// dialog, and the help key, on Windows and driven through window messages.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "WinScratch.h"
#include "fw/System.h"

namespace {

using namespace wintest;

// The field gets the focus with its whole text selected, as Tab gives it.
Step Select(HWND main, int id) {
    return Do([main, id] {
        SendMessageW(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(main, id)), TRUE);
    });
}

class PositionFields : public MainWindow {};

TEST_F(PositionFields, EachFieldRewritesTheOtherButNeverItsOwnEcho) {
    Run({Do([this] { Select(Main(), IDC_SECTOR)(); }), Do([] { TypeText(L"10000"); }), Do([this] {
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "10000");
             EXPECT_EQ(ItemText(Main(), IDC_SECONDS), "467");
             Select(Main(), IDC_SECONDS)();
             TypeText(L"4");
         }),
         Do([this] {
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "85");
             TypeText(L"6");
         }),
         Do([this] {
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "982");
             TypeText(L"8");
         }),
         Do([this] {
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "10000");
             EXPECT_EQ(ItemText(Main(), IDC_SECONDS), "468");
             // A negative sector count is the large count of the same 32 bits.
             Select(Main(), IDC_SECTOR)();
             TypeText(L"-1");
         }),
         Do([this] {
             EXPECT_EQ(ItemText(Main(), IDC_SECONDS), "201004463");
             // An emptied field reads as 0.
             Select(Main(), IDC_SECTOR)();
             PressKey(VK_DELETE);
         }),
         Do([this] {
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "");
             EXPECT_EQ(ItemText(Main(), IDC_SECONDS), "0");
         }),
         Close()});
}

// The file dialog now open: a dialog of this thread other than the main window.
HWND OpenFileDialog(HWND main) {
    for (HWND dialog : ThreadDialogs()) {
        if (dialog != main && OpenMessageBox() != dialog) {
            return dialog;
        }
    }
    return nullptr;
}

// The new-style dialog, or the older one where COM cannot be had in apartment mode
// (here: the thread already runs COM multithreaded).
class BrowseButtons : public MainWindow, public testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) {
            ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        }
    }
    void TearDown() override {
        if (GetParam()) {
            CoUninitialize();
        }
    }
};

INSTANTIATE_TEST_SUITE_P(Dialogs, BrowseButtons, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "OlderDialog" : "NewStyleDialog";
                         });

TEST_P(BrowseButtons, ChosenNameFillsOnlyItsFieldAndCancelChangesNothing) {
    ScratchDir dir;
    const std::string typed = dir / "新しい";
    Run({Do([this] { Click(Item(IDC_BROWSE_SOUND)); }),
         WaitFor([this] { return OpenFileDialog(Main()) != nullptr; }), Do([this, &typed] {
             EXPECT_FALSE(IsWindowEnabled(Main()));
             // A name of a file that does not exist, without an extension: txt is added.
             TypeText(Wide(typed));
         }),
         Do([] { PressKey(VK_RETURN); }),
         WaitFor([this] { return IsWindowEnabled(Main()) && OpenFileDialog(Main()) == nullptr; }),
         Do([this, &typed] {
             EXPECT_EQ(ItemText(Main(), IDC_SOUND_PATH), typed + ".txt");
             EXPECT_EQ(ItemText(Main(), IDC_PROGRAM_PATH), "");
             EXPECT_EQ(ItemText(Main(), IDC_SECTOR), "10000");
             EXPECT_EQ(ItemText(Main(), IDC_SECONDS), "468");
             Click(Item(IDC_BROWSE_SOUND));
         }),
         WaitFor([this] { return OpenFileDialog(Main()) != nullptr; }),
         Do([] { PressKey(VK_ESCAPE); }),
         WaitFor([this] { return IsWindowEnabled(Main()) && OpenFileDialog(Main()) == nullptr; }),
         Do([this, &typed] { EXPECT_EQ(ItemText(Main(), IDC_SOUND_PATH), typed + ".txt"); }),
         Close()});
    EXPECT_FALSE(IsFile(typed + ".txt")) << "choosing a name creates no file";
}

class HelpKey : public MainWindow {
  protected:
    void SetUp() override {
        m_previous = fw::SetHelpEngine([this](const char* file, UINT command, ULONG_PTR data) {
            m_calls.push_back({file, command, data});
            return FALSE;  // no help file ships with the tool
        });
    }
    void TearDown() override { fw::SetHelpEngine(m_previous); }

    struct Call {
        std::string file;
        UINT command;
        ULONG_PTR context;
    };
    std::vector<Call> m_calls;
    fw::HelpEngine m_previous;
};

TEST_F(HelpKey, F1AsksForTheContextOfWhatIsShownAndReportsTheFailureOnce) {
    Run({Do([] { InputKey(VK_F1); }), WaitFor([] { return OpenMessageBox() != nullptr; }),
         Do([this] {
             EXPECT_EQ(MessageBoxText(OpenMessageBox()), "ヘルプの起動に失敗しました。");
             ASSERT_EQ(m_calls.size(), 1u);
             EXPECT_EQ(m_calls[0].file, TestApp().m_helpFilePath);
             EXPECT_EQ(m_calls[0].command, static_cast<UINT>(HELP_CONTEXT));
             EXPECT_EQ(m_calls[0].context, 0x20066u);
             // F1 in the box that reports the failure asks nothing more.
             InputKey(VK_F1);
         }),
         Do([] { PressKey(VK_RETURN, GetDlgItem(OpenMessageBox(), IDOK)); }),
         WaitFor([this] { return OpenMessageBox() == nullptr && IsWindowEnabled(Main()); }),
         // While a merge's message is shown, F1 asks for that message's context.
         Do([] { PressKey(VK_RETURN); }), WaitFor([] { return OpenMessageBox() != nullptr; }),
         Do([] { InputKey(VK_F1); }),
         WaitFor([this] { return m_calls.size() == 2 && OpenMessageBox() != nullptr; }), Do([this] {
             EXPECT_EQ(m_calls[1].context, 0x3006Cu);
             EXPECT_EQ(MessageBoxText(OpenMessageBox()), "ヘルプの起動に失敗しました。");
         }),
         // Wine's message box hands one F1 to its owner twice, Windows once: every failure
         // box is dismissed until the merge's message is back.
         WaitFor([] {
             if (MessageBoxText(OpenMessageBox()) == "プログラムファイルが指定されていません") {
                 return true;
             }
             PressKey(VK_RETURN, GetDlgItem(OpenMessageBox(), IDOK));
             return false;
         }),
         Do([] { PressKey(VK_RETURN, GetDlgItem(OpenMessageBox(), IDOK)); }),
         WaitFor([this] { return OpenMessageBox() == nullptr && IsWindowEnabled(Main()); }),
         Close()});
    ASSERT_GE(m_calls.size(), 2u);
    for (std::size_t i = 1; i < m_calls.size(); ++i) {
        EXPECT_EQ(m_calls[i].context, 0x3006Cu) << i;
    }
}

}  // namespace
