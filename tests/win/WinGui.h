// Driving the windows under test from inside their own modal loops, the way a user
// does: keys and clicks posted as window messages, read back from the system's windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wintest {

inline constexpr char TEST_APP_TITLE[] = "TitleUnderTest";

// One step of a script: returns false to be tried again a moment later (waiting for a
// window to appear), true when done. A step must not block: it posts what it does.
using Step = std::function<bool()>;

// Runs `steps` in order from a timer of this thread, which every modal loop (the
// dialog's, a message box's) keeps serving, then calls `run`, which shows the windows.
// Steps not done within the time limit fail the test, and every dialog still open is
// ended so that `run` returns.
void RunScript(const std::vector<Step>& steps, const std::function<void()>& run);

// The dialog-class windows of this thread (dialogs and message boxes), the most
// recently made first; by default only the visible ones.
std::vector<HWND> ThreadDialogs(bool visibleOnly = true);
// The message box now open, or null: a dialog of this thread with the text control.
HWND OpenMessageBox();
std::string MessageBoxText(HWND box);

// A key pressed and released where the keyboard focus is (or at `target`).
void PressKey(UINT vk, HWND target = nullptr);
// A key pressed and released through the system's input, as the keyboard gives it to
// the active window (F1 becomes a help request only this way).
void InputKey(WORD vk);
// Characters typed where the keyboard focus is.
void TypeText(const std::wstring& text);
// A left click in the middle of a window.
void Click(HWND window);

std::string Text(HWND hwnd);
std::string ItemText(HWND dialog, int id);

}  // namespace wintest
