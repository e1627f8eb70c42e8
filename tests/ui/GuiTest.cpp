#include "GuiTest.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdlib>

#include "fw/WinApp.h"
#include "fw/qt/Handles.h"

namespace {

constexpr int POLL_MS = 5;
constexpr int GIVE_UP_MS = 5000;
constexpr int WATCHDOG_MS = 20000;

void Poll(std::function<QWidget*()> find, std::function<void(QWidget*)> step, const char* what) {
    auto* timer = new QTimer(qApp);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, find, step, what] {
        if (QWidget* w = find()) {
            timer->stop();
            timer->deleteLater();
            step(w);
        } else if (++*ticks * POLL_MS > GIVE_UP_MS) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no " << what << " appeared";
        }
    });
    timer->start(POLL_MS);
}

}  // namespace

void WhenModal(QWidget* current, std::function<void(QWidget*)> step) {
    Poll(
        [current]() -> QWidget* {
            QWidget* w = QApplication::activeModalWidget();
            return w != nullptr && w != current && w->isVisible() && w->isActiveWindow() ? w
                                                                                         : nullptr;
        },
        std::move(step), "modal window");
}

void WhenPopup(std::function<void(QWidget*)> step) {
    Poll(
        []() -> QWidget* {
            QWidget* w = QApplication::activePopupWidget();
            return w != nullptr && w->isVisible() ? w : nullptr;
        },
        std::move(step), "pop-up menu");
}

namespace {
QWindow* KeyTarget() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup->windowHandle();
    }
    // Activation arrives through the event queue: a window that was just closed may
    // not have handed the keyboard back yet.
    (void)QTest::qWaitFor([] { return QGuiApplication::focusWindow() != nullptr; }, GIVE_UP_MS);
    return QGuiApplication::focusWindow();
}
}  // namespace

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWindow* target = KeyTarget();
    ASSERT_NE(target, nullptr) << "no window has the keyboard focus";
    QTest::keyClick(target, key, modifiers);
}

void Type(const QString& text) {
    QWindow* target = KeyTarget();
    ASSERT_NE(target, nullptr) << "no window has the keyboard focus";
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void Click(QWidget* widget, Qt::MouseButton button, QPoint at) {
    ASSERT_NE(widget, nullptr);
    QWidget* top = widget->window();
    if (at == QPoint(-1, -1)) {
        at = widget->rect().center();
    }
    QTest::mouseClick(top->windowHandle(), button, Qt::NoModifier, widget->mapTo(top, at));
}

QWidget* Widget(HWND hwnd) {
    return fw::qt::ToWidget(hwnd);
}

Watchdog::Watchdog() {
    auto* timer = new QTimer(qApp);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, [] {
        ADD_FAILURE() << "a window was left open; closing it";
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        for (int i = 0; i < 10; ++i) {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        }
    });
    timer->start(WATCHDOG_MS);
    m_timer = timer;
}

Watchdog::~Watchdog() {
    delete m_timer;
}

int RunHeadless(char** argv, CWinApp& app) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication qapp(qtArgc, argv);
    app.m_appTitle = TEST_APP_TITLE;
    return RUN_ALL_TESTS();
}
