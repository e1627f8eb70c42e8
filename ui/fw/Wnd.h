// A window of the layer: message dispatch, the dialog-item operations and the few
// window operations the tool's windows use.
#pragma once

#include <memory>

#include "fw/CmdTarget.h"
#include "fw/Types.h"

class CMenu;

class CWnd : public CCmdTarget {
  public:
    CWnd();
    ~CWnd() override;

    // The platform window, or null while none exists.
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Delivers a message at once: the first matching row of the message table, or
    // else the window's default processing. Returns the message's result.
    LRESULT SendMessageA(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // --- Dialog items, addressed by control identifier ---

    // The control's handle; null when the window has no such control.
    HWND GetDlgItem(int id) const;
    // The field's text as a decimal integer. Reads 0 (and *translated = FALSE) when the
    // text holds no number; the accepted forms are those of fw::ParseDlgInt.
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    // Puts decimal text into the field; its EN_CHANGE arrives before this returns.
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    // Copies at most count - 1 bytes of UTF-8 text, never cutting a character, and a
    // terminating zero; returns the bytes copied. An empty or missing field gives "".
    int GetDlgItemTextA(int id, char* buffer, int count) const;
    // Replaces the field's whole text; an edit field's EN_CHANGE arrives before this returns.
    void SetDlgItemTextA(int id, const char* text);

    // --- Window ---

    // The window's own system menu (with its close command), or null when the window
    // has none. With revert, the menu is reset to its original items and null returned.
    CMenu* GetSystemMenu(BOOL revert);
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL enable);  // returns whether it was disabled before
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;  // in screen coordinates, frame excluded
    // The window that a box owned by this one should sit over: the last active
    // pop-up window it owns, or itself.
    CWnd* GetLastActivePopup();
    // The control that has the keyboard focus, or null when it is not in this window.
    HWND GetFocusedItem() const;
    void SetFocusedItem(HWND control);
    // The control identifier of one of this window's controls; 0 when not one.
    int GetDlgCtrlID(HWND control) const;

    // The system command handler's default; SC_CLOSE becomes WM_CLOSE.
    void OnSysCommand(UINT command, LPARAM lParam);

    // The window object of a handle, or null.
    static CWnd* FromHandle(HWND hwnd);

  protected:
    // Default processing of a message that no row handled.
    virtual LRESULT DefWindowProcA(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message now being dispatched.
    LRESULT Default();

  private:
    friend class CDialog;
    struct Current {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    Current m_current;
    std::unique_ptr<CMenu> m_sysMenu;
    HICON m_icons[2] = {nullptr, nullptr};  // small, big
};
