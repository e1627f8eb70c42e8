// The help key's platform side on Qt: key state, focus, the wait cursor and the help
// engine.
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "fw/System.h"
#include "fw/WaitCursor.h"
#include "fw/qt/Handles.h"

namespace fw {

namespace {

BOOL DesktopHelp(const char* helpFile, UINT, ULONG_PTR) {
    const QFileInfo file(QString::fromUtf8(helpFile != nullptr ? helpFile : ""));
    if (!file.isFile()) {
        return FALSE;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())) ? TRUE : FALSE;
}

HelpEngine& Engine() {
    static HelpEngine engine = DesktopHelp;
    return engine;
}

}  // namespace

short GetKeyState(int key) {
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    const bool down = (key == VK_SHIFT && (mods & Qt::ShiftModifier)) ||
                      (key == VK_CONTROL && (mods & Qt::ControlModifier)) ||
                      (key == VK_MENU && (mods & Qt::AltModifier));
    return down ? static_cast<short>(-32768) : 0;  // the high bit, as the system sets it
}

HWND GetFocus() {
    return qt::ToHwnd(QApplication::focusWidget());
}

HWND GetParent(HWND hwnd) {
    // A top-level window's parent widget is its owner.
    const QWidget* w = qt::ToWidget(hwnd);
    return w != nullptr ? qt::ToHwnd(w->parentWidget()) : nullptr;
}

BOOL WinHelpA(HWND, const char* helpFile, UINT command, ULONG_PTR data) {
    return Engine()(helpFile, command, data);
}

HelpEngine SetHelpEngine(HelpEngine engine) {
    HelpEngine previous = std::move(Engine());
    Engine() = engine ? std::move(engine) : HelpEngine(DesktopHelp);
    return previous;
}

}  // namespace fw

CWaitCursor::CWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CWaitCursor::~CWaitCursor() {
    QApplication::restoreOverrideCursor();
}
