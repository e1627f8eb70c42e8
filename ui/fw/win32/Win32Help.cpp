// The help key's platform side on Win32: key state, focus, the wait cursor and the
// system's help engine.
#include <windows.h>

#include <utility>

#include "fw/System.h"
#include "fw/WaitCursor.h"
#include "fw/win32/Win32Text.h"

namespace fw {

namespace {

// Empty: the system's own engine.
HelpEngine& Engine() {
    static HelpEngine engine;
    return engine;
}

}  // namespace

short GetKeyState(int key) {
    return ::GetKeyState(key);
}

HWND GetFocus() {
    return ::GetFocus();
}

HWND GetParent(HWND hwnd) {
    return hwnd != nullptr ? ::GetParent(hwnd) : nullptr;
}

BOOL WinHelpA(HWND wnd, const char* helpFile, UINT command, ULONG_PTR data) {
    if (Engine()) {
        return Engine()(helpFile, command, data);
    }
    return ::WinHelpW(wnd, win32::Wide(helpFile != nullptr ? helpFile : "").c_str(), command, data);
}

HelpEngine SetHelpEngine(HelpEngine engine) {
    return std::exchange(Engine(), std::move(engine));
}

}  // namespace fw

namespace {
HCURSOR g_restoreCursor = nullptr;
int g_waitDepth = 0;
}  // namespace

CWaitCursor::CWaitCursor() {
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // wait
    if (g_waitDepth++ == 0) {
        g_restoreCursor = previous;
    }
}

CWaitCursor::~CWaitCursor() {
    if (--g_waitDepth == 0) {
        SetCursor(g_restoreCursor);
    }
}
