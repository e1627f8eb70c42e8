#include "WinGui.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "WinText.h"

namespace wintest {

namespace {

// Generous: the first window of a fresh Wine prefix waits for the font cache.
constexpr DWORD TIME_LIMIT_MS = 60000;
constexpr DWORD GIVE_UP_MS = 10000;
constexpr UINT TICK_MS = 15;

struct Script {
    const std::vector<Step>* steps = nullptr;
    std::size_t next = 0;
    DWORD start = 0;
    bool inStep = false;
    bool failed = false;
};

Script* g_script = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    Script* s = g_script;
    if (s == nullptr || s->inStep) {
        return;
    }
    if (!s->failed && s->next < s->steps->size()) {
        if (GetTickCount() - s->start > TIME_LIMIT_MS) {
            s->failed = true;
        } else {
            s->inStep = true;
            if ((*s->steps)[s->next]()) {
                ++s->next;
            }
            s->inStep = false;
        }
    }
    if (s->failed) {
        // End whatever is still open, innermost first, so that every modal run returns;
        // should that not help, end the program rather than hang the test run.
        for (HWND dialog : ThreadDialogs(false)) {
            EndDialog(dialog, IDCANCEL);
        }
        if (GetTickCount() - s->start > TIME_LIMIT_MS + GIVE_UP_MS) {
            std::fputs("the windows under test do not close: giving up\n", stderr);
            std::fflush(stderr);
            ExitProcess(3);
        }
    }
}

struct Collect {
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM arg) {
    auto* collect = reinterpret_cast<Collect*>(arg);
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    if ((!collect->visibleOnly || IsWindowVisible(hwnd)) && std::wstring(name) == L"#32770") {
        collect->found.push_back(hwnd);
    }
    return TRUE;
}

// The message box's text control.
constexpr int MESSAGE_TEXT_ID = 0xFFFF;

}  // namespace

void RunScript(const std::vector<Step>& steps, const std::function<void()>& run) {
    Script script;
    script.steps = &steps;
    script.start = GetTickCount();
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, TICK_MS, OnTick);
    run();
    KillTimer(nullptr, timer);
    g_script = nullptr;
    if (script.failed) {
        ADD_FAILURE() << "step " << script.next << " (from 0) of " << steps.size()
                      << " did not happen in time";
    } else {
        EXPECT_EQ(script.next, steps.size()) << "the windows closed before the script ended";
    }
}

std::vector<HWND> ThreadDialogs(bool visibleOnly) {
    Collect collect{visibleOnly, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&collect));
    return collect.found;
}

HWND OpenMessageBox() {
    for (HWND dialog : ThreadDialogs()) {
        if (GetDlgItem(dialog, MESSAGE_TEXT_ID) != nullptr) {
            return dialog;
        }
    }
    return nullptr;
}

std::string MessageBoxText(HWND box) {
    return ItemText(box, MESSAGE_TEXT_ID);
}

void PressKey(UINT vk, HWND target) {
    if (target == nullptr) {
        target = GetFocus();
    }
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

void InputKey(WORD vk) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void TypeText(const std::wstring& text) {
    const HWND target = GetFocus();
    for (wchar_t c : text) {
        PostMessageW(target, WM_CHAR, c, 1);
    }
}

void Click(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

std::string Text(HWND hwnd) {
    return WindowTextUtf8(hwnd);
}

std::string ItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? WindowTextUtf8(item) : std::string("<no control>");
}

}  // namespace wintest
