// CWnd on Qt: controls are the widgets of the dialog's DialogWindow.
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "fw/Dialog.h"
#include "fw/DlgText.h"
#include "fw/Menu.h"
#include "fw/qt/DialogWindow.h"
#include "fw/qt/Handles.h"

using fw::qt::DialogFromHandle;
using fw::qt::DialogWindow;
using fw::qt::ToHwnd;
using fw::qt::ToWidget;

namespace {

QWidget* Item(const CWnd& wnd, int id) {
    DialogWindow* window = DialogFromHandle(wnd.m_hWnd);
    const DialogWindow::Control* c = window != nullptr ? window->FindControl(id) : nullptr;
    return c != nullptr ? c->widget : nullptr;
}

QString ItemText(const QWidget* w) {
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        return label->text();
    }
    return {};
}

}  // namespace

HWND CWnd::GetDlgItem(int id) const {
    return ToHwnd(Item(*this, id));
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    bool ok = false;
    const QWidget* w = Item(*this, id);
    const UINT value = w != nullptr ? fw::ParseDlgInt(ItemText(w).toStdString(), isSigned, &ok) : 0;
    if (translated != nullptr) {
        *translated = ok ? TRUE : FALSE;
    }
    return value;
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    SetDlgItemTextA(id, fw::FormatDlgInt(value, isSigned != FALSE).c_str());
}

int CWnd::GetDlgItemTextA(int id, char* buffer, int count) const {
    const QWidget* w = Item(*this, id);
    return fw::CopyDlgText(w != nullptr ? ItemText(w).toStdString() : std::string(), buffer, count);
}

void CWnd::SetDlgItemTextA(int id, const char* text) {
    QWidget* w = Item(*this, id);
    const QString value = QString::fromUtf8(text != nullptr ? text : "");
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() == value) {
            // Qt reports no change for the same text; an edit control reports every write.
            SendMessageA(WM_COMMAND, fw::MakeWParam(static_cast<UINT>(id), EN_CHANGE),
                         reinterpret_cast<LPARAM>(ToHwnd(edit)));
        } else {
            edit->setText(value);  // its textChanged sends EN_CHANGE from within
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(value);
    }
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    DialogWindow* window = DialogFromHandle(m_hWnd);
    if (window == nullptr || !(window->Style() & WS_SYSMENU)) {
        return nullptr;
    }
    if (!m_sysMenu || revert) {
        m_sysMenu = std::make_unique<CMenu>();
        m_sysMenu->AppendMenuA(MF_STRING, SC_CLOSE, "閉じる(&C)\tAlt+F4");
    }
    return revert ? nullptr : m_sysMenu.get();
}

BOOL CWnd::IsIconic() const {
    const QWidget* w = ToWidget(m_hWnd);
    return w != nullptr && w->isMinimized();
}

BOOL CWnd::IsWindowVisible() const {
    const QWidget* w = ToWidget(m_hWnd);
    return w != nullptr && w->isVisible();
}

BOOL CWnd::IsWindowEnabled() const {
    const QWidget* w = ToWidget(m_hWnd);
    return w != nullptr && w->isEnabled();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    QWidget* w = ToWidget(m_hWnd);
    if (w == nullptr) {
        return FALSE;
    }
    const bool wasDisabled = !w->isEnabled();
    w->setEnabled(enable != FALSE);
    return wasDisabled;
}

void CWnd::GetClientRect(CRect* rect) const {
    const QWidget* w = ToWidget(m_hWnd);
    *rect = w != nullptr ? CRect{0, 0, w->width(), w->height()} : CRect{};
}

void CWnd::GetWindowRect(CRect* rect) const {
    const QWidget* w = ToWidget(m_hWnd);
    if (w == nullptr) {
        *rect = {};
        return;
    }
    const QPoint origin = w->mapToGlobal(QPoint(0, 0));
    *rect = {origin.x(), origin.y(), origin.x() + w->width(), origin.y() + w->height()};
}

CWnd* CWnd::GetLastActivePopup() {
    // A modal dialog of ours above this window, else the window itself.
    QWidget* modal = QApplication::activeModalWidget();
    DialogWindow* popup = modal != nullptr ? dynamic_cast<DialogWindow*>(modal) : nullptr;
    for (QWidget* w = popup; w != nullptr; w = w->parentWidget()) {
        if (ToHwnd(w) == m_hWnd) {
            return popup->Dialog();
        }
    }
    return this;
}

HWND CWnd::GetFocusedItem() const {
    QWidget* focus = QApplication::focusWidget();
    DialogWindow* window = DialogFromHandle(m_hWnd);
    return window != nullptr && focus != nullptr && window->FindControl(focus) != nullptr
               ? ToHwnd(focus)
               : nullptr;
}

void CWnd::SetFocusedItem(HWND control) {
    if (QWidget* w = ToWidget(control)) {
        w->setFocus(Qt::OtherFocusReason);
    }
}

int CWnd::GetDlgCtrlID(HWND control) const {
    DialogWindow* window = DialogFromHandle(m_hWnd);
    const DialogWindow::Control* c =
        window != nullptr ? window->FindControl(ToWidget(control)) : nullptr;
    return c != nullptr ? c->id : 0;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    DialogWindow* window = DialogFromHandle(hwnd);
    return window != nullptr ? window->Dialog() : nullptr;
}

LRESULT CWnd::DefWindowProcA(UINT message, WPARAM wParam, LPARAM lParam) {
    QWidget* w = ToWidget(m_hWnd);
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                SendMessageA(WM_CLOSE, 0, 0);
            } else if ((wParam & 0xFFF0) == SC_KEYMENU) {
                if (DialogWindow* window = DialogFromHandle(m_hWnd)) {
                    window->ShowSystemMenu(window->mapToGlobal(QPoint(0, 0)));
                }
            }
            return 0;
        case WM_SETICON: {
            const int slot = wParam == ICON_BIG ? 1 : 0;
            const HICON previous = m_icons[slot];
            m_icons[slot] = reinterpret_cast<HICON>(lParam);
            if (w != nullptr) {
                QIcon icon;
                for (HICON h : m_icons) {
                    if (h != nullptr) {
                        icon.addPixmap(*fw::qt::ToPixmap(h));
                    }
                }
                w->setWindowIcon(icon);
            }
            return reinterpret_cast<LRESULT>(previous);
        }
        case WM_ICONERASEBKGND:
            if (QPainter* painter = fw::qt::ToPainter(reinterpret_cast<HDC>(wParam));
                painter && w) {
                painter->fillRect(w->rect(), w->palette().window());
            }
            return 1;
        default:
            // WM_PAINT: the window and its controls paint themselves.
            return 0;
    }
}
