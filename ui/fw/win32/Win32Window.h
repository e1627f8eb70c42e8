// How a CWnd is tied to its system window: the dialog manager makes the window, and the
// backend then replaces its window procedure, so that every message goes through the
// window's message table first and the dialog manager's own procedure handles the rest.
#pragma once

#include <windows.h>

class CWnd;

namespace fw::win32 {

struct WindowState {
    WNDPROC systemProc = nullptr;  // the dialog class's procedure, for default processing
    bool centre = false;           // centre after WM_INITDIALOG unless it was moved there
};

// The window procedure of every window of the layer.
LRESULT CALLBACK TableWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Ties `wnd` to `hwnd` and routes hwnd's messages through wnd's table until WM_NCDESTROY.
void Attach(CWnd& wnd, HWND hwnd, WindowState& state);
WindowState* StateOf(HWND hwnd);

// Over the owner, else on the work area of the window's monitor; kept inside that work area.
void Centre(HWND hwnd, HWND owner);

}  // namespace fw::win32
