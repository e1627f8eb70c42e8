// The backend-independent part of the application object.
#include "fw/WinApp.h"

namespace {
CWinApp* g_app = nullptr;

// Start of the file name: after the last separator ('\' too, for paths of the
// Windows build).
std::size_t FileNameStart(const std::string& path) {
    const std::size_t sep = path.find_last_of("/\\");
    return sep == std::string::npos ? 0 : sep + 1;
}

// Where the extension starts: the file name's last dot, or the end.
std::size_t ExtensionStart(const std::string& path) {
    const std::size_t name = FileNameStart(path);
    const std::size_t dot = path.find_last_of('.');
    return dot == std::string::npos || dot < name ? path.size() : dot;
}
}  // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

const fw::MessageTable* CWinApp::GetMessageMap() const {
    return GetThisMessageMap();
}

const fw::MessageTable* CWinApp::GetThisMessageMap() {
    static const fw::MessageTable table{CCmdTarget::GetThisMessageMap(), {}};
    return &table;
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

namespace fw {

std::string AppTitleFromPath(const std::string& exePath) {
    const std::size_t name = FileNameStart(exePath);
    return exePath.substr(name, ExtensionStart(exePath) - name);
}

std::string HelpPathFromPath(const std::string& exePath) {
    return exePath.substr(0, ExtensionStart(exePath)) + ".HLP";
}

}  // namespace fw
