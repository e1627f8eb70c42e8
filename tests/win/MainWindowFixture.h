// The main window run modally under a script, for the window tests on Windows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TarvixApp.h"
#include "TarvixDlg.h"
#include "WinGui.h"
#include "WinText.h"
#include "resource.h"

namespace wintest {

// The tool's own application object (its table takes the help command).
CTarvixApp& TestApp();

// A step that does something once.
inline Step Do(std::function<void()> action) {
    return [action] {
        action();
        return true;
    };
}

// A step that waits until `ready` holds.
inline Step WaitFor(std::function<bool()> ready) {
    return ready;
}

inline RECT Rect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// Centres of `inner` and `outer` one pixel apart at most (odd sizes round).
inline void ExpectCentredOver(const RECT& inner, const RECT& outer) {
    EXPECT_NEAR(inner.left + inner.right, outer.left + outer.right, 2);
    EXPECT_NEAR(inner.top + inner.bottom, outer.top + outer.bottom, 2);
}

class MainWindow : public testing::Test {
  protected:
    MainWindow() { TestApp().m_appTitle = wintest::TEST_APP_TITLE; }

    // Runs the window modally with the script; the result of the run lands in m_result.
    void Run(std::vector<Step> steps) {
        steps.insert(steps.begin(), WaitFor([this] {
                         return m_dlg.m_hWnd != nullptr && IsWindowVisible(m_dlg.m_hWnd);
                     }));
        wintest::RunScript(steps, [this] {
            TestApp().m_pMainWnd = &m_dlg;
            m_result = m_dlg.DoModal();
        });
        EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
        EXPECT_EQ(m_dlg.m_hWnd, nullptr);
    }

    HWND Main() const { return m_dlg.m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(Main(), id); }

    // Escape, and the run ends with IDCANCEL.
    Step Close() {
        return Do([] { PressKey(VK_ESCAPE); });
    }

    // The message box that opens next: its text, caption and owner, and the main window
    // disabled under it; then Enter dismisses it.
    std::vector<Step> ExpectMessage(const char* text) {
        return {WaitFor([] { return wintest::OpenMessageBox() != nullptr; }), Do([this, text] {
                    const HWND box = wintest::OpenMessageBox();
                    EXPECT_EQ(wintest::MessageBoxText(box), text);
                    EXPECT_EQ(wintest::Text(box), wintest::TEST_APP_TITLE);
                    EXPECT_EQ(GetWindow(box, GW_OWNER), Main());
                    EXPECT_FALSE(IsWindowEnabled(Main()));
                    PressKey(VK_RETURN);
                }),
                WaitFor([this] {
                    return wintest::OpenMessageBox() == nullptr && IsWindowEnabled(Main());
                })};
    }

    CTarvixDlg m_dlg;
    INT_PTR m_result = 0;
};

}  // namespace wintest
