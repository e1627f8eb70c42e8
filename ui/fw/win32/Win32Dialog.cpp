// CDialog's modal run on Win32: the system's dialog manager makes the window from the
// template in the resource module and runs the modal loop with the dialog keyboard
// interface; the table sees every message first.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "WinResourceModule.h"
#include "fw/Dialog.h"
#include "fw/win32/Win32Window.h"

namespace {

// Reads from the template what the centring rule needs.
bool WantsCentring(const void* tmpl, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(tmpl);
    auto word = [&](std::size_t at) {
        std::uint16_t v;
        std::memcpy(&v, bytes + at, sizeof v);
        return v;
    };
    auto dword = [&](std::size_t at) {
        std::uint32_t v;
        std::memcpy(&v, bytes + at, sizeof v);
        return v;
    };
    const bool extended = size >= 26 && word(0) == 1 && word(2) == 0xFFFF;
    if (!extended && size < 18) {
        return false;
    }
    const std::size_t xy = extended ? 18 : 10;
    return fw::CentredByTemplate(extended ? dword(12) : dword(0), word(xy), word(xy + 2));
}

struct Creation {
    CDialog* dialog = nullptr;
    fw::win32::WindowState* state = nullptr;
};

// The dialog being made. The dialog procedure ties it to its window at the first message,
// before WM_INITDIALOG.
thread_local Creation* g_creating = nullptr;

INT_PTR CALLBACK AttachingDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_creating != nullptr && CWnd::FromHandle(hwnd) == nullptr) {
        fw::win32::Attach(*g_creating->dialog, hwnd, *g_creating->state);
        g_creating = nullptr;
        // Without a font in the template, WM_INITDIALOG is the first message.
        if (message == WM_INITDIALOG) {
            return fw::win32::TableWindowProc(hwnd, message, wParam, lParam);
        }
    }
    // Everything else reaches the table through the window procedure.
    return FALSE;
}

}  // namespace

INT_PTR CDialog::DoModal() {
    // Resource type 5: dialog templates.
    const HMODULE module = tarvix::res::ResourceInstance();
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(5));
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* tmpl = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (tmpl == nullptr || m_hWnd != nullptr) {
        return -1;
    }
    CWnd* owner = ModalOwner();

    fw::win32::WindowState state;
    state.centre = WantsCentring(tmpl, SizeofResource(module, found));
    Creation creation{this, &state};
    Creation* outer = g_creating;
    g_creating = &creation;
    const INT_PTR result =
        DialogBoxIndirectParamW(module, static_cast<const DLGTEMPLATE*>(tmpl),
                                owner != nullptr ? owner->m_hWnd : nullptr, AttachingDialogProc, 0);
    g_creating = outer;

    ForgetWindow();
    return result;
}

void CDialog::EndDialog(int result) {
    if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, result);
    }
}

// The system's dialog procedure already turns WM_CLOSE into the IDCANCEL command.
LRESULT CDialog::DefWindowProcA(UINT message, WPARAM wParam, LPARAM lParam) {
    return CWnd::DefWindowProcA(message, wParam, lParam);
}
