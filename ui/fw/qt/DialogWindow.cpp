#include "fw/qt/DialogWindow.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

#include "fw/Dialog.h"
#include "fw/Menu.h"
#include "fw/qt/Handles.h"

namespace fw::qt {

DialogWindow::DialogWindow(CDialog* dialog, QWidget* owner, UINT style)
    : QDialog(owner), m_dialog(dialog), m_style(style) {
    // Window managers keep Alt+F4 and Alt+Space for themselves; where one leaves them
    // to the program, they work here as in the window manager's own menu.
    auto* close = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(close, &QShortcut::activated, this,
            [this] { m_dialog->SendMessageA(WM_SYSCOMMAND, SC_CLOSE, 0); });
    auto* menu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(menu, &QShortcut::activated, this,
            [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });
}

const DialogWindow::Control* DialogWindow::FindControl(int id) const {
    for (const Control& c : m_controls) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

const DialogWindow::Control* DialogWindow::FindControl(const QWidget* widget) const {
    for (const Control& c : m_controls) {
        if (c.widget == widget) {
            return &c;
        }
    }
    return nullptr;
}

void DialogWindow::SendCommand(int id, UINT code) {
    const Control* c = FindControl(id);
    const LPARAM control = c != nullptr ? reinterpret_cast<LPARAM>(ToHwnd(c->widget)) : 0;
    m_dialog->SendMessageA(WM_COMMAND, MakeWParam(static_cast<UINT>(id), code), control);
}

void DialogWindow::PressDefaultButton() {
    // The default push button of the template, else IDOK, as on Windows. A focused
    // push button takes Enter itself before it gets here.
    int id = IDOK;
    for (const Control& c : m_controls) {
        if (c.kind == Kind::Button && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            id = c.id;
            break;
        }
    }
    const Control* c = FindControl(id);
    if (c != nullptr && (!c->widget->isEnabled() || !c->widget->isVisible())) {
        return;
    }
    SendCommand(id, BN_CLICKED);
}

void DialogWindow::MoveInGroup(QWidget* from, bool forward) {
    const Control* current = FindControl(from);
    if (current == nullptr) {
        return;
    }
    const auto n = static_cast<int>(m_controls.size());
    const int at = static_cast<int>(current - m_controls.data());
    int first = at;
    while (first > 0 && !(m_controls[static_cast<std::size_t>(first)].style & WS_GROUP)) {
        --first;
    }
    int end = at + 1;
    while (end < n && !(m_controls[static_cast<std::size_t>(end)].style & WS_GROUP)) {
        ++end;
    }
    const int size = end - first;
    for (int step = 1; step < size; ++step) {
        const int offset = forward ? step : size - step;
        const Control& c =
            m_controls[static_cast<std::size_t>(first + (at - first + offset) % size)];
        if (c.kind != Kind::Static && c.widget->isVisible() && c.widget->isEnabled()) {
            c.widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void DialogWindow::ShowSystemMenu(const QPoint& globalPos) {
    CMenu* sysMenu = m_dialog->GetSystemMenu(FALSE);
    if (sysMenu == nullptr) {
        return;
    }
    QMenu popup(this);
    for (const CMenu::Item& item : sysMenu->Items()) {
        if (item.flags & MF_SEPARATOR) {
            popup.addSeparator();
        } else {
            QAction* action = popup.addAction(QString::fromUtf8(item.text));
            action->setData(QVariant::fromValue<qulonglong>(item.id));
        }
    }
    QAction* chosen = popup.exec(globalPos);
    activateWindow();
    if (chosen != nullptr) {
        m_dialog->SendMessageA(WM_SYSCOMMAND, static_cast<WPARAM>(chosen->data().toULongLong()), 0);
    }
}

void DialogWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A dialog that appears takes the keyboard, as the system gives it on Windows.
    activateWindow();
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Escape:
            if (mods == Qt::NoModifier) {
                SendCommand(IDCANCEL, BN_CLICKED);
                return;
            }
            break;
        case Qt::Key_F1:
            // With any modifiers: the dialog's WM_HELP handling decides.
            m_dialog->SendMessageA(WM_HELP, 0, 0);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!(mods & Qt::AltModifier)) {
                PressDefaultButton();
                return;
            }
            break;
        default:
            break;
    }
    // Not QDialog's own handling: Escape and Enter must not end the run behind the
    // message table's back.
    event->ignore();
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    if (m_ending) {
        event->accept();
        return;
    }
    // The close box and the window manager's close arrive as the close command of the
    // system menu; the dialog's handling decides what follows.
    event->ignore();
    m_dialog->SendMessageA(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWindow::paintEvent(QPaintEvent*) {
    m_inPaint = true;
    m_dialog->SendMessageA(WM_PAINT, 0, 0);
    m_inPaint = false;
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The dialog's background and its labels open the system menu; controls keep theirs.
    QWidget* child = childAt(event->pos());
    if (child != nullptr && qobject_cast<QLabel*>(child) == nullptr) {
        event->ignore();
        return;
    }
    ShowSystemMenu(event->globalPos());
}

DialogWindow* DialogFromHandle(HWND hwnd) {
    return dynamic_cast<DialogWindow*>(ToWidget(hwnd));
}

}  // namespace fw::qt
