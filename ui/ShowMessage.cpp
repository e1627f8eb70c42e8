#include "ShowMessage.h"

#include <cstdint>
#include <string>

#include "MessageText.h"
#include "fw/System.h"
#include "fw/WinApp.h"
#include "fw/Wnd.h"

void ShowMessage(unsigned id) {
    const std::string text = MessageText(id);
    CWinApp* app = AfxGetApp();
    CWnd* mainWnd = AfxGetMainWnd();
    CWnd* owner = mainWnd != nullptr && mainWnd->GetSafeHwnd() != nullptr
                      ? mainWnd->GetLastActivePopup()
                      : nullptr;
    const std::string caption = app != nullptr ? app->m_appTitle : std::string();

    // Running out of memory concerns the whole desktop: that box stays above every
    // window, and it leaves the help context alone.
    const bool outOfMemory = id == IDS_OUT_OF_MEMORY;
    const UINT type = MB_OK | MB_ICONEXCLAMATION | (outOfMemory ? MB_SYSTEMMODAL : 0);

    std::uint32_t savedContext = 0;
    const bool setContext = app != nullptr && !outOfMemory;
    if (setContext) {
        savedContext = app->m_helpContext;
        app->m_helpContext = HID_BASE_PROMPT + id;
    }
    fw::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
    if (setContext) {
        app->m_helpContext = savedContext;
    }
}
