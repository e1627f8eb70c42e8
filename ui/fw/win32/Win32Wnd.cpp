// CWnd on Win32: the window and its controls are the system's own; the dialog-item
// operations are the system's, with texts converted between UTF-8 and UTF-16.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "fw/DlgText.h"
#include "fw/Menu.h"
#include "fw/Wnd.h"
#include "fw/win32/Win32Menu.h"
#include "fw/win32/Win32Text.h"
#include "fw/win32/Win32Window.h"

using fw::win32::Utf8;
using fw::win32::Wide;

namespace {

const wchar_t WND_PROP[] = L"Tarvix.CWnd";
const wchar_t STATE_PROP[] = L"Tarvix.State";

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

namespace fw::win32 {

LRESULT CALLBACK TableWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    fw::win32::WindowState* state = fw::win32::StateOf(hwnd);
    if (wnd == nullptr || state == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The window's last message: give the procedure back and forget the object.
        const WNDPROC systemProc = state->systemProc;
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc));
        RemovePropW(hwnd, WND_PROP);
        RemovePropW(hwnd, STATE_PROP);
        wnd->m_hWnd = nullptr;
        return CallWindowProcW(systemProc, hwnd, message, wParam, lParam);
    }
    if (message != WM_INITDIALOG) {
        return wnd->SendMessageA(message, wParam, lParam);
    }
    RECT before;
    GetWindowRect(hwnd, &before);
    const LRESULT result = wnd->SendMessageA(message, wParam, lParam);
    RECT after;
    GetWindowRect(hwnd, &after);
    if (state->centre && !IsWindowVisible(hwnd) && before.left == after.left &&
        before.top == after.top) {
        fw::win32::Centre(hwnd, GetWindow(hwnd, GW_OWNER));
    }
    return result;
}

void Attach(CWnd& wnd, HWND hwnd, WindowState& state) {
    wnd.m_hWnd = hwnd;
    SetPropW(hwnd, WND_PROP, &wnd);
    SetPropW(hwnd, STATE_PROP, &state);
    state.systemProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TableWindowProc)));
}

WindowState* StateOf(HWND hwnd) {
    return static_cast<WindowState*>(GetPropW(hwnd, STATE_PROP));
}

void Centre(HWND hwnd, HWND owner) {
    RECT window;
    GetWindowRect(hwnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : hwnd, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    const RECT area = monitor.rcWork;
    RECT over = area;
    if (owner != nullptr) {
        GetWindowRect(owner, &over);
    }
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    x = std::max<int>(area.left, std::min<int>(x, area.right - width));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace fw::win32

HWND CWnd::GetDlgItem(int id) const {
    return m_hWnd != nullptr ? ::GetDlgItem(m_hWnd, id) : nullptr;
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    BOOL ok = FALSE;
    const UINT value = m_hWnd != nullptr ? ::GetDlgItemInt(m_hWnd, id, &ok, isSigned) : 0;
    if (translated != nullptr) {
        *translated = ok;
    }
    return ok ? value : 0;
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    if (m_hWnd != nullptr) {
        ::SetDlgItemInt(m_hWnd, id, value, isSigned);
    }
}

int CWnd::GetDlgItemTextA(int id, char* buffer, int count) const {
    const HWND item = GetDlgItem(id);
    return fw::CopyDlgText(item != nullptr ? Utf8(WindowText(item)) : std::string(), buffer, count);
}

void CWnd::SetDlgItemTextA(int id, const char* text) {
    if (m_hWnd != nullptr) {
        SetDlgItemTextW(m_hWnd, id, Wide(text != nullptr ? text : "").c_str());
    }
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    const HMENU menu = m_hWnd != nullptr ? ::GetSystemMenu(m_hWnd, revert) : nullptr;
    if (revert || menu == nullptr) {
        m_sysMenu.reset();
        return nullptr;
    }
    if (!m_sysMenu || m_sysMenu->m_hMenu != menu) {
        m_sysMenu = std::make_unique<CMenu>();
        m_sysMenu->m_hMenu = menu;
        m_sysMenu->Reset(fw::win32::MenuItems(menu));
    }
    return m_sysMenu.get();
}

BOOL CWnd::IsIconic() const {
    return m_hWnd != nullptr && ::IsIconic(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const {
    return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsWindowEnabled() const {
    return m_hWnd != nullptr && ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return m_hWnd != nullptr && ::EnableWindow(m_hWnd, enable);
}

void CWnd::GetClientRect(CRect* rect) const {
    RECT r{};
    if (m_hWnd != nullptr) {
        ::GetClientRect(m_hWnd, &r);
    }
    *rect = {r.left, r.top, r.right, r.bottom};
}

void CWnd::GetWindowRect(CRect* rect) const {
    RECT r{};
    if (m_hWnd != nullptr) {
        ::GetClientRect(m_hWnd, &r);
        MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    *rect = {r.left, r.top, r.right, r.bottom};
}

CWnd* CWnd::GetLastActivePopup() {
    if (m_hWnd == nullptr) {
        return this;
    }
    CWnd* popup = FromHandle(::GetLastActivePopup(m_hWnd));
    return popup != nullptr ? popup : this;
}

HWND CWnd::GetFocusedItem() const {
    const HWND focus = ::GetFocus();
    return m_hWnd != nullptr && focus != nullptr && ::IsChild(m_hWnd, focus) ? focus : nullptr;
}

void CWnd::SetFocusedItem(HWND control) {
    if (m_hWnd != nullptr && control != nullptr) {
        // As the dialog keyboard interface moves the focus: the default button follows.
        ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
}

int CWnd::GetDlgCtrlID(HWND control) const {
    return m_hWnd != nullptr && control != nullptr && ::IsChild(m_hWnd, control)
               ? ::GetDlgCtrlID(control)
               : 0;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return hwnd != nullptr ? static_cast<CWnd*>(GetPropW(hwnd, WND_PROP)) : nullptr;
}

LRESULT CWnd::DefWindowProcA(UINT message, WPARAM wParam, LPARAM lParam) {
    const fw::win32::WindowState* state = m_hWnd != nullptr ? fw::win32::StateOf(m_hWnd) : nullptr;
    if (state == nullptr) {
        return 0;
    }
    return CallWindowProcW(state->systemProc, m_hWnd, message, wParam, lParam);
}
