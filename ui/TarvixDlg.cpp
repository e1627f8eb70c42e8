#include "TarvixDlg.h"

#include <cstdint>
#include <string>

#include "AboutDlg.h"
#include "MergeSound.h"
#include "MessageText.h"
#include "Position.h"
#include "ShowMessage.h"
#include "fw/FileDialog.h"
#include "fw/Menu.h"
#include "fw/PaintDC.h"
#include "fw/System.h"

namespace {
// What the position fields show when the window opens: written as they are, not
// converted into each other.
constexpr int DEFAULT_SECTOR = 10000;
constexpr int DEFAULT_SECONDS = 468;
// Room for a path: at most 259 bytes of text and the terminating zero.
constexpr int PATH_BUFFER = 260;
// The file types of the two browse dialogs. Not resources: they stay the same in
// every language.
constexpr char PROGRAM_FILTER[] = "ﾍﾟﾙﾅ・ﾌﾟﾛｸﾞﾗﾑﾌｧｲﾙ(*.txt)|*.txt||";
constexpr char SOUND_FILTER[] = "ﾍﾟﾙﾅ・ｻｳﾝﾄﾞﾌｧｲﾙ(*.txt,*.wav)|*.txt;*.wav||";
constexpr char DEFAULT_EXTENSION[] = "txt";
}  // namespace

// The guard is off until the initialisation turns it on; nothing reads it before.
CTarvixDlg::CTarvixDlg()
    : CDialog(IDD_MAIN_WINDOW), m_appIcon(fw::LoadIconA(IDR_APP_ICON)), m_linkActive(false) {}

CTarvixDlg::~CTarvixDlg() = default;

const fw::MessageTable* CTarvixDlg::GetMessageMap() const {
    return GetThisMessageMap();
}

const fw::MessageTable* CTarvixDlg::GetThisMessageMap() {
    static constexpr fw::MessageRow rows[] = {
        fw::OnSysCommand<&CTarvixDlg::OnSysCommand>(),
        fw::OnPaint<&CTarvixDlg::OnPaint>(),
        fw::OnQueryDragIcon<&CTarvixDlg::OnQueryDragIcon>(),
        // Shadows the dialog's own OK handling: the start button merges, and the
        // window stays open.
        fw::OnClicked<&CTarvixDlg::OnStartMerge>(IDOK),
        fw::OnClicked<&CTarvixDlg::OnBrowseProgram>(IDC_BROWSE_PROGRAM),
        fw::OnClicked<&CTarvixDlg::OnBrowseSound>(IDC_BROWSE_SOUND),
        fw::OnEditChange<&CTarvixDlg::OnSectorChange>(IDC_SECTOR),
        fw::OnEditChange<&CTarvixDlg::OnSecondsChange>(IDC_SECONDS),
    };
    static const fw::MessageTable table{CDialog::GetThisMessageMap(), rows};
    return &table;
}

BOOL CTarvixDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* sysMenu = GetSystemMenu(FALSE)) {
        const std::string aboutItem = MessageText(IDS_ABOUT_ITEM);
        if (!aboutItem.empty()) {
            sysMenu->AppendMenuA(MF_SEPARATOR);
            sysMenu->AppendMenuA(MF_STRING, IDM_ABOUT, aboutItem.c_str());
        }
    }

    SendMessageA(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_appIcon));
    SendMessageA(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_appIcon));

    m_linkActive = false;
    SetDlgItemInt(IDC_SECTOR, DEFAULT_SECTOR, TRUE);
    SetDlgItemInt(IDC_SECONDS, DEFAULT_SECONDS, TRUE);
    m_linkActive = true;

    return TRUE;  // the focus goes to the first tab stop: the start button
}

void CTarvixDlg::OnSysCommand(UINT command, LPARAM lParam) {
    // The low four bits of a system command are the system's own.
    if ((command & 0xFFF0) == IDM_ABOUT) {
        CAboutDlg aboutBox;
        aboutBox.DoModal();
    } else {
        CDialog::OnSysCommand(command, lParam);
    }
}

CPoint CTarvixDlg::IconOrigin(const CRect& client, int cx, int cy) {
    return {(client.right - client.left - cx + 1) / 2, (client.bottom - client.top - cy + 1) / 2};
}

void CTarvixDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessageA(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    const int cx = fw::GetSystemMetrics(SM_CXICON);
    const int cy = fw::GetSystemMetrics(SM_CYICON);
    CRect client;
    GetClientRect(&client);
    const CPoint origin = IconOrigin(client, cx, cy);
    dc.DrawIcon(origin.x, origin.y, m_appIcon);
}

HICON CTarvixDlg::OnQueryDragIcon() {
    return m_appIcon;
}

void CTarvixDlg::OnStartMerge() {
    // An empty field, or one without a number, reads as sector 0.
    const auto sector = static_cast<std::int32_t>(GetDlgItemInt(IDC_SECTOR, nullptr, TRUE));
    char programPath[PATH_BUFFER];
    GetDlgItemTextA(IDC_PROGRAM_PATH, programPath, PATH_BUFFER);
    char soundPath[PATH_BUFFER];
    GetDlgItemTextA(IDC_SOUND_PATH, soundPath, PATH_BUFFER);
    MergeSound(programPath, soundPath, sector, ShowMessage);
}

void CTarvixDlg::OnBrowseProgram() {
    BrowseInto(IDC_PROGRAM_PATH, PROGRAM_FILTER);
}

void CTarvixDlg::OnBrowseSound() {
    BrowseInto(IDC_SOUND_PATH, SOUND_FILTER);
}

void CTarvixDlg::BrowseInto(int fieldId, const char* filter) {
    // The sound dialog completes a bare name with txt too; the name box starts empty.
    CFileDialog dialog(TRUE, DEFAULT_EXTENSION, nullptr, OFN_HIDEREADONLY, filter);
    if (dialog.DoModal() == IDOK) {
        SetDlgItemTextA(fieldId, dialog.GetPathName().c_str());
    }
}

// Each handler turns the guard off around its own write, so that the change the write
// raises in the other field is not converted back.
void CTarvixDlg::OnSectorChange() {
    if (!m_linkActive) {
        return;
    }
    m_linkActive = false;
    // A negative entry counts as the large count of the same 32 bits.
    const UINT sectors = GetDlgItemInt(IDC_SECTOR, nullptr, TRUE);
    SetDlgItemInt(IDC_SECONDS, static_cast<UINT>(SectorsToSeconds(sectors)), TRUE);
    m_linkActive = true;
}

void CTarvixDlg::OnSecondsChange() {
    if (!m_linkActive) {
        return;
    }
    m_linkActive = false;
    const UINT seconds = GetDlgItemInt(IDC_SECONDS, nullptr, TRUE);
    SetDlgItemInt(IDC_SECTOR, static_cast<UINT>(SecondsToSectors(seconds)), TRUE);
    m_linkActive = true;
}
