// A menu: here the window's own system menu, kept as a list of items that the
// backend shows as a pop-up. An item sends WM_SYSCOMMAND with its identifier.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fw/Types.h"

class CMenu {
  public:
    struct Item {
        UINT flags = MF_STRING;  // MF_STRING or MF_SEPARATOR
        UINT_PTR id = 0;
        std::string text;  // UTF-8; "&" marks the access key, "\t" starts the key hint
    };

    HMENU m_hMenu = nullptr;

    // Adds an item at the end. A separator takes no identifier and no text.
    BOOL AppendMenuA(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    // The identifier of the item at `pos`; 0 for a separator, UINT(-1) past the end.
    UINT GetMenuItemID(int pos) const;
    // The text of item `pos` (MF_BYPOSITION) into buffer; returns its length.
    int GetMenuStringA(UINT pos, char* buffer, int count, UINT flags) const;

    const std::vector<Item>& Items() const { return m_items; }
    void Reset(std::vector<Item> items) { m_items = std::move(items); }

  private:
    std::vector<Item> m_items;
};

namespace fw {

// Per backend: adds item to the system's menu that a CMenu stands for (m_hMenu), so that
// the two stay in step; false when the system refuses it.
bool AppendSystemMenuItem(HMENU menu, const CMenu::Item& item);

}  // namespace fw
