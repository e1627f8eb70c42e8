#include "AboutDlg.h"

// Owned by the main window; everything else is the plain dialog's behaviour.
CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) {}

CAboutDlg::~CAboutDlg() = default;

const fw::MessageTable* CAboutDlg::GetMessageMap() const {
    return GetThisMessageMap();
}

const fw::MessageTable* CAboutDlg::GetThisMessageMap() {
    static const fw::MessageTable table{CDialog::GetThisMessageMap(), {}};
    return &table;
}
