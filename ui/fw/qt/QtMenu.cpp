// CMenu on Qt: the window's system menu is drawn from the item list itself, so no menu of
// the system is ever stood for (m_hMenu stays null) and there is nothing to keep in step.
#include "fw/Menu.h"

namespace fw {

bool AppendSystemMenuItem(HMENU, const CMenu::Item&) {
    return true;
}

}  // namespace fw
