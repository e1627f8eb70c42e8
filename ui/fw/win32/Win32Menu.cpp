// CMenu on Win32: the same list as on every backend, kept in step with the system's menu
// when the object stands for one.
#include "fw/win32/Win32Menu.h"

#include <string>

#include "fw/DlgText.h"
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

BOOL CMenu::AppendMenuA(UINT flags, UINT_PTR id, const char* text) {
    Item item;
    if (flags & MF_SEPARATOR) {
        item.flags = MF_SEPARATOR;
    } else {
        item.flags = MF_STRING;
        item.id = id;
        item.text = text != nullptr ? text : "";
    }
    if (m_hMenu != nullptr) {
        const std::wstring wide = fw::win32::Wide(item.text);
        const BOOL added = (item.flags & MF_SEPARATOR)
                               ? ::AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr)
                               : ::AppendMenuW(m_hMenu, MF_STRING, item.id, wide.c_str());
        if (!added) {
            return FALSE;
        }
    }
    m_items.push_back(std::move(item));
    return TRUE;
}

UINT CMenu::GetMenuItemID(int pos) const {
    if (pos < 0 || pos >= GetMenuItemCount()) {
        return static_cast<UINT>(-1);
    }
    const Item& item = m_items[static_cast<std::size_t>(pos)];
    return (item.flags & MF_SEPARATOR) ? 0 : static_cast<UINT>(item.id);
}

int CMenu::GetMenuStringA(UINT pos, char* buffer, int count, UINT flags) const {
    std::string_view text;
    if (flags & MF_BYPOSITION) {
        if (pos < m_items.size()) {
            text = m_items[pos].text;
        }
    } else {
        for (const Item& item : m_items) {
            if (!(item.flags & MF_SEPARATOR) && item.id == pos) {
                text = item.text;
                break;
            }
        }
    }
    if (buffer == nullptr) {
        return static_cast<int>(text.size());
    }
    return fw::CopyDlgText(text, buffer, count);
}
