// The backend-independent part of CDialog: its message table and default handlers.
#include "fw/Dialog.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParent(parent) {}

CDialog::~CDialog() = default;

const fw::MessageTable* CDialog::GetMessageMap() const {
    return GetThisMessageMap();
}

const fw::MessageTable* CDialog::GetThisMessageMap() {
    static constexpr fw::MessageRow rows[] = {
        fw::OnInitDialogMessage<&CDialog::OnInitDialog>(),
        fw::OnClicked<&CDialog::OnOK>(IDOK),
        fw::OnClicked<&CDialog::OnCancel>(IDCANCEL),
    };
    static const fw::MessageTable table{CWnd::GetThisMessageMap(), rows};
    return &table;
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
