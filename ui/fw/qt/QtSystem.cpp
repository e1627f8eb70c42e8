#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <map>
#include <memory>

#include "Resources.h"
#include "fw/System.h"
#include "fw/Wnd.h"
#include "fw/qt/Handles.h"

namespace fw {

namespace {
constexpr int ICON_SIZE = 32;

// F1 in a message box is a help request to its owner, as on Windows.
class HelpKeyToOwner : public QObject {
  public:
    explicit HelpKeyToOwner(CWnd* owner) : m_owner(owner) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            m_owner->SendMessageA(WM_HELP, 0, 0);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    CWnd* m_owner;
};
}  // namespace

HICON LoadIconA(UINT id) {
    // Loaded once and kept: a shared icon is never released. The resource module is
    // fixed before the first icon is loaded, so the identifier alone names it.
    static std::map<UINT, std::unique_ptr<QPixmap>> cache;
    auto it = cache.find(id);
    if (it == cache.end()) {
        std::unique_ptr<QPixmap> pixmap;
        const auto icon =
            tarvix::res::LoadIcon(tarvix::res::CurrentModule(), static_cast<std::uint16_t>(id));
        if (icon && icon->width > 0 && icon->height > 0 &&
            icon->argb.size() == static_cast<std::size_t>(icon->width) * icon->height) {
            const QImage image(reinterpret_cast<const uchar*>(icon->argb.data()), icon->width,
                               icon->height, QImage::Format_ARGB32);
            QImage sized = image.width() == ICON_SIZE && image.height() == ICON_SIZE
                               ? image.copy()
                               : image.scaled(ICON_SIZE, ICON_SIZE, Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
            pixmap = std::make_unique<QPixmap>(QPixmap::fromImage(sized));
        }
        it = cache.emplace(id, std::move(pixmap)).first;
    }
    return qt::ToHicon(it->second.get());
}

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXICON:
        case SM_CYICON:
            return ICON_SIZE;
        default:
            return 0;
    }
}

int MessageBoxA(CWnd* owner, const char* text, const char* caption, UINT type) {
    QWidget* parent = owner != nullptr ? qt::ToWidget(owner->m_hWnd) : nullptr;
    const QMessageBox::Icon icon =
        (type & 0xF0) == MB_ICONEXCLAMATION ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromUtf8(caption != nullptr ? caption : ""),
                    QString::fromUtf8(text != nullptr ? text : ""), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);  // Escape and the close box answer as OK does
    if (type & MB_SYSTEMMODAL) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    HelpKeyToOwner help(owner);
    if (owner != nullptr) {
        box.installEventFilter(&help);  // keys its buttons leave reach the box
    }
    box.exec();
    if (parent != nullptr) {
        parent->activateWindow();  // the owner takes the keyboard back, as on Windows
    }
    return IDOK;
}

}  // namespace fw
