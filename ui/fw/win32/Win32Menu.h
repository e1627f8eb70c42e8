// A CMenu on Win32 may stand for a system menu (m_hMenu): its item list then mirrors the
// system's menu, and appending changes both.
#pragma once

#include <windows.h>

#include <vector>

#include "fw/Menu.h"

namespace fw::win32 {

// The items of a system menu, as CMenu lists them.
std::vector<CMenu::Item> MenuItems(HMENU menu);

}  // namespace fw::win32
