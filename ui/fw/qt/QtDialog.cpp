// CDialog's modal run on Qt.
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <memory>

#include "Resources.h"
#include "fw/Dialog.h"
#include "fw/qt/DialogBuilder.h"
#include "fw/qt/DialogWindow.h"
#include "fw/qt/Handles.h"

using fw::qt::DialogFromHandle;
using fw::qt::DialogWindow;

namespace {

Qt::WindowFlags FlagsFor(UINT style, bool owned) {
    // Fixed size; a caption with a close box, and the minimise and maximise boxes only
    // when the template asks for them.
    Qt::WindowFlags flags = (owned ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
    if (style & WS_CAPTION) {
        flags |= Qt::WindowTitleHint;
    }
    if (style & WS_SYSMENU) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style & WS_MINIMIZEBOX) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
        if (style & WS_MAXIMIZEBOX) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    return flags;
}

// Over the owner, else on the work area of the primary monitor; kept inside that work
// area. The frame counts where the platform knows it before the window is shown.
void Centre(QWidget& window, const QWidget* owner) {
    window.winId();
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QRect over =
        owner != nullptr ? QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size()) : area;
    const QSize size = window.frameGeometry().size();
    QPoint pos(over.left() + (over.width() - size.width()) / 2,
               over.top() + (over.height() - size.height()) / 2);
    pos.setX(std::max(area.left(), std::min(pos.x(), area.right() + 1 - size.width())));
    pos.setY(std::max(area.top(), std::min(pos.y(), area.bottom() + 1 - size.height())));
    window.move(pos);
}

void FocusFirstTabStop(DialogWindow& window) {
    for (const DialogWindow::Control& c : window.Controls()) {
        if ((c.style & WS_TABSTOP) && c.widget->isEnabled() && !c.widget->isHidden() &&
            c.kind != DialogWindow::Kind::Static) {
            c.widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace

INT_PTR CDialog::DoModal() {
    const std::optional<tarvix::res::DialogTemplate> dlg = tarvix::res::LoadDialog(
        tarvix::res::CurrentModule(), static_cast<std::uint16_t>(m_templateId));
    if (!dlg || m_hWnd != nullptr) {
        return -1;
    }
    CWnd* owner = ModalOwner();
    QWidget* ownerWidget = owner != nullptr ? fw::qt::ToWidget(owner->m_hWnd) : nullptr;

    auto window = std::make_unique<DialogWindow>(this, ownerWidget, dlg->style);
    window->setWindowFlags(FlagsFor(dlg->style, ownerWidget != nullptr));
    if (!fw::qt::BuildDialog(*window, *dlg)) {
        return -1;
    }
    // Text the controls get from the template is not a change; from now on it is.
    for (const DialogWindow::Control& c : window->Controls()) {
        if (auto* button = qobject_cast<QAbstractButton*>(c.widget)) {
            QObject::connect(button, &QAbstractButton::clicked, window.get(),
                             [w = window.get(), id = c.id] { w->SendCommand(id, BN_CLICKED); });
        } else if (auto* edit = qobject_cast<QLineEdit*>(c.widget)) {
            QObject::connect(edit, &QLineEdit::textChanged, window.get(),
                             [w = window.get(), id = c.id] { w->SendCommand(id, EN_CHANGE); });
        }
    }
    m_hWnd = fw::qt::ToHwnd(window.get());

    const QPoint before = window->pos();
    if (SendMessageA(WM_INITDIALOG, 0, 0) != FALSE) {
        FocusFirstTabStop(*window);
    }
    if (fw::CentredByTemplate(dlg->style, dlg->x, dlg->y) && window->pos() == before) {
        Centre(*window, ownerWidget);
    }

    int result = window->m_result;
    if (!window->m_ending) {
        window->m_inModalLoop = true;
        window->exec();
        window->m_inModalLoop = false;
        result = window->m_result;
    }
    window->m_ending = true;
    window->hide();
    // The owner becomes active again unless another window took over meanwhile.
    QWidget* active = QApplication::activeWindow();
    const bool wasActive = active == nullptr || active == window.get();
    m_hWnd = nullptr;
    window.reset();
    if (ownerWidget != nullptr && wasActive) {
        ownerWidget->activateWindow();
    }
    ForgetWindow();
    return result;
}

void CDialog::EndDialog(int result) {
    DialogWindow* window = DialogFromHandle(m_hWnd);
    if (window == nullptr) {
        return;
    }
    window->m_result = result;
    window->m_ending = true;
    if (window->m_inModalLoop) {
        window->done(result);
    }
}

LRESULT CDialog::DefWindowProcA(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // As the close button: the IDCANCEL command, which the table ends the run with.
        const HWND cancel = GetDlgItem(IDCANCEL);
        SendMessageA(WM_COMMAND, fw::MakeWParam(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    return CWnd::DefWindowProcA(message, wParam, lParam);
}
