// Helpers for driving modal windows from inside their own modal loops.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <ostream>

#include "fw/Types.h"

// Texts in test failures as text, not as arrays of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline constexpr char TEST_APP_TITLE[] = "TitleUnderTest";

class CWinApp;
// A test program's main after InitGoogleTest: runs every test headless inside one
// QApplication, with `app` titled TEST_APP_TITLE as the application object.
int RunHeadless(char** argv, CWinApp& app);

// Runs `step` with the next active modal window other than `current`, from inside
// the modal loop that shows it. A window that never comes fails the test.
void WhenModal(QWidget* current, std::function<void(QWidget*)> step);
// The same for the next pop-up menu.
void WhenPopup(std::function<void(QWidget*)> step);

// Keys and clicks as the window system delivers them: to the open menu, else the
// window with the keyboard focus, and through the toolkit's modality checks.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Type(const QString& text);
void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = QPoint(-1, -1));

// The widget behind a control handle of the Qt backend.
QWidget* Widget(HWND hwnd);

// Closes every modal window and menu still open after a test went wrong, so that
// the modal runs return instead of hanging the test program.
class Watchdog {
  public:
    Watchdog();
    ~Watchdog();

  private:
    QObject* m_timer;
};
