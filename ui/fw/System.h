// Operations of the window system that belong to no window.
#pragma once

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

}  // namespace fw
