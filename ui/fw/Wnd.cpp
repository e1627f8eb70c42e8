// The backend-independent part of CWnd: delivery of messages through the table.
#include "fw/Wnd.h"

#include "fw/Menu.h"
#include "fw/WinApp.h"

CWnd::CWnd() = default;
CWnd::~CWnd() = default;

LRESULT CWnd::SendMessageA(UINT message, WPARAM wParam, LPARAM lParam) {
    const Current saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!Dispatch(message, wParam, lParam, &result)) {
        // A command (not a control notification) that no window handles goes on to the
        // application object, where the help command lives.
        CWinApp* app = AfxGetApp();
        const bool command = message == WM_COMMAND && fw::HiWord(wParam) == 0 && lParam == 0;
        if (!(command && app != nullptr && app->Dispatch(message, wParam, lParam, &result))) {
            result = DefWindowProcA(message, wParam, lParam);
        }
    }
    m_current = saved;
    return result;
}

LRESULT CWnd::Default() {
    return DefWindowProcA(m_current.message, m_current.wParam, m_current.lParam);
}

void CWnd::OnSysCommand(UINT command, LPARAM lParam) {
    DefWindowProcA(WM_SYSCOMMAND, command, lParam);
}
