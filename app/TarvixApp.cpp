#include "TarvixApp.h"

#include "TarvixDlg.h"

// The one application object: constructed before main() runs.
static CTarvixApp theApp;

CTarvixApp::CTarvixApp() = default;

CTarvixApp::~CTarvixApp() = default;

const fw::MessageTable* CTarvixApp::GetMessageMap() const {
    return GetThisMessageMap();
}

const fw::MessageTable* CTarvixApp::GetThisMessageMap() {
    static const fw::MessageTable table{CWinApp::GetThisMessageMap(), {}};
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
