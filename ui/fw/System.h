// Operations of the window system that belong to no window.
#pragma once

#include <functional>

#include "fw/Types.h"

class CWnd;

namespace fw {

// The icon resource `id` of the current resource module at the standard icon size;
// null when the module has none. Shared: it lives as long as the process.
HICON LoadIconA(UINT id);

// SM_CXICON, SM_CYICON: the standard icon size. 0 for a metric the layer lacks.
int GetSystemMetrics(int index);

// A modal message box over `owner` (null: none), which takes no input meanwhile.
// Texts are UTF-8; "\n" breaks a line. MB_ICONEXCLAMATION gives the warning icon;
// MB_SYSTEMMODAL keeps the box above all other windows. Returns the button pressed
// (IDOK for OK, Enter, Escape and the close box).
int MessageBoxA(CWnd* owner, const char* text, const char* caption, UINT type);

// Negative while virtual key `key` (VK_SHIFT, VK_CONTROL, VK_MENU) is held down, as of
// the input event being handled.
short GetKeyState(int key);

// The window with the keyboard focus, and the parent or owner of a window; null when none.
HWND GetFocus();
HWND GetParent(HWND hwnd);

// The help engine: shows `helpFile` for `command` and `data` (HELP_CONTEXT: a context
// number); FALSE when it cannot. The default hands an existing file to the desktop,
// which opens it with the program it has for the file's type; a context cannot be
// passed on that way. Without the file, or a program for it, it fails.
BOOL WinHelpA(HWND wnd, const char* helpFile, UINT command, ULONG_PTR data);

// Replaces the help engine, for tests; an empty one restores the default. Returns
// the engine it replaces.
using HelpEngine = std::function<BOOL(const char* helpFile, UINT command, ULONG_PTR data)>;
HelpEngine SetHelpEngine(HelpEngine engine);

}  // namespace fw
