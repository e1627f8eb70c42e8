// CMenu on Win32: the system's menu that a CMenu stands for, read into and kept in step
// with its item list.
#include "fw/win32/Win32Menu.h"

#include <string>

#include "fw/win32/Win32Text.h"

namespace fw::win32 {

std::vector<CMenu::Item> MenuItems(HMENU menu) {
    std::vector<CMenu::Item> items;
    const int count = ::GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        wchar_t text[256] = {};
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info)) {
            continue;
        }
        CMenu::Item item;
        if (info.fType & MFT_SEPARATOR) {
            item.flags = MF_SEPARATOR;
        } else {
            item.flags = MF_STRING;
            item.id = info.wID;
            item.text = Utf8(text);
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace fw::win32

namespace fw {

bool AppendSystemMenuItem(HMENU menu, const CMenu::Item& item) {
    if (item.flags & MF_SEPARATOR) {
        return ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    const std::wstring wide = win32::Wide(item.text);
    return ::AppendMenuW(menu, MF_STRING, item.id, wide.c_str());
}

}  // namespace fw
