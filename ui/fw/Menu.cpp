#include "fw/Menu.h"

#include "fw/DlgText.h"

BOOL CMenu::AppendMenuA(UINT flags, UINT_PTR id, const char* text) {
    Item item;
    if (flags & MF_SEPARATOR) {
        item.flags = MF_SEPARATOR;
    } else {
        item.flags = MF_STRING;
        item.id = id;
        item.text = text != nullptr ? text : "";
    }
    if (m_hMenu != nullptr && !fw::AppendSystemMenuItem(m_hMenu, item)) {
        return FALSE;
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
