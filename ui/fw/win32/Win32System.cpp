#include <windows.h>

#include "WinResourceModule.h"
#include "fw/System.h"
#include "fw/Wnd.h"
#include "fw/win32/Win32Text.h"

namespace fw {

HICON LoadIconA(UINT id) {
    return ::LoadIconW(tarvix::res::ResourceInstance(), MAKEINTRESOURCEW(id));
}

int GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

// The texts go to the wide-character box: they show in Japanese on any system code page.
int MessageBoxA(CWnd* owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxW(owner != nullptr ? owner->m_hWnd : nullptr,
                         win32::Wide(text != nullptr ? text : "").c_str(),
                         win32::Wide(caption != nullptr ? caption : "").c_str(), type);
}

}  // namespace fw
