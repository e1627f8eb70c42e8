#include "fw/CmdTarget.h"

const fw::MessageTable* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const fw::MessageTable* CCmdTarget::GetThisMessageMap() {
    static const fw::MessageTable table{nullptr, {}};
    return &table;
}

const fw::MessageRow* CCmdTarget::FindRow(const fw::MessageTable* table, UINT message,
                                          WPARAM wParam) {
    for (; table != nullptr; table = table->base) {
        for (const fw::MessageRow& row : table->rows) {
            if (row.message != message) {
                continue;
            }
            if (message == WM_COMMAND &&
                (row.id != fw::LoWord(wParam) || row.code != fw::HiWord(wParam))) {
                continue;
            }
            return &row;
        }
    }
    return nullptr;
}

bool CCmdTarget::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const fw::MessageRow* row = FindRow(GetMessageMap(), message, wParam);
    if (row == nullptr) {
        return false;
    }
    LRESULT r = row->call(*this, wParam, lParam);
    if (result != nullptr) {
        *result = r;
    }
    return true;
}
