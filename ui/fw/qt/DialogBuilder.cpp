#include "fw/qt/DialogBuilder.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

#include "fw/System.h"
#include "fw/Types.h"
#include "fw/qt/DialogWindow.h"
#include "fw/qt/Handles.h"

namespace fw::qt {

namespace {

using tarvix::res::DialogControl;
using tarvix::res::DialogTemplate;

constexpr std::uint16_t CLASS_BUTTON = 0x80;
constexpr std::uint16_t CLASS_EDIT = 0x81;
constexpr std::uint16_t CLASS_STATIC = 0x82;

// Windows' MulDiv for the small positive and negative values of templates: rounds
// half away from zero.
int MulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    return static_cast<int>(p >= 0 ? (2 * p + c) / (2 * c) : -((-2 * p + c) / (2 * c)));
}

std::optional<DialogWindow::Kind> KindOf(const tarvix::res::NameOrOrdinal& cls) {
    if (cls.isOrdinal) {
        switch (cls.ordinal) {
            case CLASS_BUTTON:
                return DialogWindow::Kind::Button;
            case CLASS_EDIT:
                return DialogWindow::Kind::Edit;
            case CLASS_STATIC:
                return DialogWindow::Kind::Static;
            default:
                return std::nullopt;
        }
    }
    const QString name = QString::fromUtf8(cls.text).toUpper();
    if (name == "BUTTON") {
        return DialogWindow::Kind::Button;
    }
    if (name == "EDIT") {
        return DialogWindow::Kind::Edit;
    }
    if (name == "STATIC") {
        return DialogWindow::Kind::Static;
    }
    return std::nullopt;
}

// Without "&" marks: what a screen reader should say.
QString StripMnemonic(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

// Arrow keys move within the button's group, as in a Windows dialog.
class PushButton : public QPushButton {
  public:
    PushButton(const QString& text, DialogWindow* window)
        : QPushButton(text, window), m_window(window) {}

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Left:
            case Qt::Key_Up:
                m_window->MoveInGroup(this, false);
                return;
            case Qt::Key_Right:
            case Qt::Key_Down:
                m_window->MoveInGroup(this, true);
                return;
            default:
                QPushButton::keyPressEvent(event);
        }
    }

  private:
    DialogWindow* m_window;
};

// An edit field without ES_AUTOHSCROLL takes no more text than it can show.
class FitWidthValidator : public QValidator {
  public:
    explicit FitWidthValidator(QLineEdit* edit) : QValidator(edit), m_edit(edit) {}
    State validate(QString& input, int&) const override {
        const int room = m_edit->contentsRect().width() - 4;
        return m_edit->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
    }

  private:
    QLineEdit* m_edit;
};

QWidget* MakeButton(DialogWindow& window, const DialogControl& c) {
    auto* button = new PushButton(QString::fromUtf8(c.title.text), &window);
    button->setAutoDefault(true);  // a focused push button takes Enter
    button->setDefault((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    button->setAccessibleName(StripMnemonic(button->text()));
    return button;
}

QWidget* MakeEdit(DialogWindow& window, const DialogControl& c) {
    auto* edit = new QLineEdit(&window);
    edit->setText(QString::fromUtf8(c.title.text));
    edit->setFrame((c.style & WS_BORDER) != 0);
    edit->setReadOnly((c.style & ES_READONLY) != 0);
    const UINT align = c.style & (ES_CENTER | ES_RIGHT);
    edit->setAlignment((align == ES_CENTER  ? Qt::AlignHCenter
                        : align == ES_RIGHT ? Qt::AlignRight
                                            : Qt::AlignLeft) |
                       Qt::AlignVCenter);
    if (!(c.style & ES_AUTOHSCROLL)) {
        edit->setValidator(new FitWidthValidator(edit));
    }
    return edit;
}

QWidget* MakeStatic(DialogWindow& window, const DialogControl& c, QRect& rect) {
    auto* label = new QLabel(&window);
    const UINT type = c.style & SS_TYPEMASK;
    if (type == SS_ICON) {
        // Named by resource number; the control takes the icon's size.
        const HICON icon = c.title.isOrdinal ? fw::LoadIconA(c.title.ordinal) : nullptr;
        if (icon != nullptr) {
            label->setPixmap(*ToPixmap(icon));
        }
        rect.setSize(QSize(fw::GetSystemMetrics(SM_CXICON), fw::GetSystemMetrics(SM_CYICON)));
        return label;
    }
    label->setTextFormat(Qt::PlainText);
    const QString text = QString::fromUtf8(c.title.text);
    // "&" marks an access key unless SS_NOPREFIX; Qt draws the mark for a label with
    // a buddy, and the buddy is the next control, as on Windows.
    label->setText((c.style & SS_NOPREFIX) ? text : StripMnemonic(text));
    label->setAlignment((type == SS_CENTER  ? Qt::AlignHCenter
                         : type == SS_RIGHT ? Qt::AlignRight
                                            : Qt::AlignLeft) |
                        Qt::AlignTop);
    label->setWordWrap(type <= SS_RIGHT);
    return label;
}

QString LabelText(const DialogWindow::Control& c) {
    auto* label = qobject_cast<QLabel*>(c.widget);
    return c.kind == DialogWindow::Kind::Static && label != nullptr ? label->text() : QString();
}

// For assistive clients: an edit field is named by the label before it, as on
// Windows. A label right after another edit field is that field's unit ("秒" after
// the seconds), so it describes that field instead and the name comes from further back.
void NameEditFields(std::vector<DialogWindow::Control>& controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind != DialogWindow::Kind::Edit) {
            continue;
        }
        if (i + 1 < controls.size() && !LabelText(controls[i + 1]).isEmpty()) {
            controls[i].widget->setAccessibleDescription(LabelText(controls[i + 1]));
        }
        for (std::size_t j = i; j-- > 0;) {
            const bool isUnit = j > 0 && controls[j - 1].kind == DialogWindow::Kind::Edit;
            if (!LabelText(controls[j]).isEmpty() && !isUnit) {
                controls[i].widget->setAccessibleName(LabelText(controls[j]));
                break;
            }
        }
    }
}

// A label keeps its place and height, but with our fonts a text can be wider than the
// box the template gives it. Where the line fits before the next control to its right,
// the label widens to one line instead of wrapping into a clipped second line.
void FitLabels(DialogWindow& window) {
    for (DialogWindow::Control& c : window.Controls()) {
        auto* label = qobject_cast<QLabel*>(c.widget);
        if (label == nullptr || !label->wordWrap()) {
            continue;
        }
        const QRect box = label->geometry();
        const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
        if (needed <= box.width()) {
            continue;
        }
        int limit = window.width();
        for (const DialogWindow::Control& other : window.Controls()) {
            const QRect r = other.widget->geometry();
            if (other.widget != label && !other.widget->isHidden() && r.left() > box.left() &&
                r.top() < box.bottom() && r.bottom() > box.top()) {
                limit = std::min(limit, r.left());
            }
        }
        if (box.left() + needed <= limit) {
            label->setWordWrap(false);
            label->resize(needed, box.height());
        }
    }
}

void ApplyCommonStyle(QWidget* w, DialogWindow::Kind kind, UINT style) {
    if (kind == DialogWindow::Kind::Static) {
        w->setFocusPolicy(Qt::NoFocus);
    } else {
        w->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    }
    w->setEnabled(!(style & WS_DISABLED));
    w->setVisible((style & WS_VISIBLE) != 0);
}

}  // namespace

QFont DialogFont(const DialogTemplate& dlg) {
    QFont font;
    QStringList families;
    if (dlg.style & DS_SETFONT && !dlg.typeface.empty()) {
        families << QString::fromUtf8(dlg.typeface);
    }
    // Like the usual dialog font, the proportional face first.
    families << "IPAPGothic"
             << "IPAGothic";
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    const int points = (dlg.style & DS_SETFONT) && dlg.pointSize > 0 ? dlg.pointSize : 9;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
    font.setPixelSize(MulDiv(points, dpi, 72));
    if (dlg.weight >= 600) {
        font.setBold(true);
    }
    font.setItalic(dlg.italic);
    return font;
}

BaseUnits DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

QRect MapDialogRect(const BaseUnits& units, int x, int y, int cx, int cy) {
    return QRect(MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
                 MulDiv(cy, units.y, 8));
}

bool BuildDialog(DialogWindow& window, const DialogTemplate& dlg) {
    const QFont font = DialogFont(dlg);
    window.setFont(font);
    const BaseUnits units = DialogBaseUnits(font);
    const QRect frame = MapDialogRect(units, dlg.x, dlg.y, dlg.cx, dlg.cy);
    window.setFixedSize(frame.size());
    window.setWindowTitle(QString::fromUtf8(dlg.caption));

    for (const DialogControl& c : dlg.controls) {
        const std::optional<DialogWindow::Kind> kind = KindOf(c.windowClass);
        if (!kind) {
            return false;
        }
        QRect rect = MapDialogRect(units, c.x, c.y, c.cx, c.cy);
        QWidget* w = nullptr;
        switch (*kind) {
            case DialogWindow::Kind::Button:
                w = MakeButton(window, c);
                break;
            case DialogWindow::Kind::Edit:
                w = MakeEdit(window, c);
                break;
            case DialogWindow::Kind::Static:
                w = MakeStatic(window, c, rect);
                break;
        }
        w->setGeometry(rect);
        ApplyCommonStyle(w, *kind, c.style);
        window.Controls().push_back({c.id, *kind, c.style, w});
    }
    FitLabels(window);
    auto& controls = window.Controls();
    NameEditFields(controls);
    // Labels with an access key lead to the control after them.
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(controls[i].widget);
        if (label != nullptr && !(controls[i].style & SS_NOPREFIX) &&
            controls[i].kind == DialogWindow::Kind::Static) {
            const QString text = QString::fromUtf8(dlg.controls[i].title.text);
            if (text.contains('&')) {
                label->setText(text);
                label->setBuddy(controls[i + 1].widget);
            }
        }
    }
    return true;
}

}  // namespace fw::qt
