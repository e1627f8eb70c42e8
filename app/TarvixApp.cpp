#include "TarvixApp.h"

#include "ShowMessage.h"
#include "TarvixDlg.h"

CTarvixApp::CTarvixApp() {
    m_pfnShowMessage = ShowMessage;
}

CTarvixApp::~CTarvixApp() = default;

const fw::MessageTable* CTarvixApp::GetMessageMap() const {
    return GetThisMessageMap();
}

const fw::MessageTable* CTarvixApp::GetThisMessageMap() {
    static constexpr fw::MessageRow rows[] = {
        fw::OnCommand<&CWinApp::OnHelp>(ID_HELP),
    };
    static const fw::MessageTable table{CWinApp::GetThisMessageMap(), rows};
    return &table;
}

BOOL CTarvixApp::InitInstance() {
    CWinApp::InitInstance();

    CTarvixDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // Also when the window could not be made: the reference must not outlive the object.
    m_pMainWnd = nullptr;
    return FALSE;
}
