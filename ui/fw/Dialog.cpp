// The backend-independent part of CDialog: its message table and default handlers.
#include "fw/Dialog.h"

#include "fw/Menu.h"
#include "fw/System.h"
#include "fw/WinApp.h"

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
        fw::OnMessage<&CDialog::OnHelpInfo>(WM_HELP),
    };
    static const fw::MessageTable table{CWnd::GetThisMessageMap(), rows};
    return &table;
}

CWnd* CDialog::ModalOwner() const {
    CWnd* owner = m_pParent;
    if (owner == nullptr && AfxGetMainWnd() != this) {
        owner = AfxGetMainWnd();
    }
    return owner != nullptr ? owner->GetLastActivePopup() : nullptr;
}

void CDialog::ForgetWindow() {
    m_hWnd = nullptr;
    m_sysMenu.reset();
    m_icons[0] = m_icons[1] = nullptr;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
    }
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

LRESULT CDialog::OnHelpInfo(WPARAM, LPARAM) {
    if (fw::GetKeyState(VK_SHIFT) < 0 || fw::GetKeyState(VK_CONTROL) < 0 ||
        fw::GetKeyState(VK_MENU) < 0) {
        return TRUE;
    }
    if (CWnd* main = AfxGetMainWnd()) {
        main->SendMessageA(WM_COMMAND, ID_HELP, 0);
    } else if (CWinApp* app = AfxGetApp()) {
        app->Dispatch(WM_COMMAND, ID_HELP, 0, nullptr);
    }
    return TRUE;
}

namespace fw {

bool CentredByTemplate(UINT style, int x, int y) {
    const bool placed =
        x != 0 || y != 0 || (style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) != 0;
    return !placed || (style & DS_CENTER) != 0;
}

}  // namespace fw
