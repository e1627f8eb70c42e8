// The process entry on Qt: one QApplication around the application object's run.
#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "LanguageSearch.h"
#include "fw/WinApp.h"

namespace fw {

namespace {

const char NO_DISPLAY_HINT[] =
    "Tarvix: 画面（ディスプレイ）に接続できないため起動できません。\n"
    "デスクトップのセッションから起動するか、仮想ディスプレイを用意してから起動してください。\n"
    "  例: Xvfb :99 & DISPLAY=:99 Tarvix\n"
    "Tarvix needs a graphical display and cannot reach one (DISPLAY is not set or cannot be "
    "opened).\n"
    "Start it from a desktop session, or start a virtual display first, for example:\n"
    "  Xvfb :99 & DISPLAY=:99 Tarvix\n";

bool Empty(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr || *value == '\0';
}

QtMessageHandler g_previousHandler = nullptr;

// Qt ends the process when its window system cannot start; say why and how to help it.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(NO_DISPLAY_HINT, stderr);
        std::_Exit(1);
    }
    if (g_previousHandler != nullptr) {
        g_previousHandler(type, context, text);
    }
}

}  // namespace

// The file is read with the resource reader, as data: nothing in it runs.
bool LoadLanguageResources(const std::string& exePath) {
    namespace res = tarvix::res;
    std::optional<res::Module> module = res::LoadLanguageModule(
        res::LanguageFileCandidates(exePath, res::UserLocaleName(), res::SystemLocaleName()));
    if (!module) {
        return false;
    }
    res::SetCurrentModule(std::move(*module));
    return true;
}

std::string ExecutablePath() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) {
        return {};
    }
    path.resize(static_cast<std::size_t>(n));
    return path;
}

int RunApplication(int, char**) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    const std::string exe = ExecutablePath();
    app->m_appTitle = AppTitleFromPath(exe);
    app->m_helpFilePath = HelpPathFromPath(exe);

    if (Empty("QT_QPA_PLATFORM") && Empty("DISPLAY") && Empty("WAYLAND_DISPLAY")) {
        std::fputs(NO_DISPLAY_HINT, stderr);
        return 1;
    }
    // The command line is ignored: Qt gets the program's own path and nothing else,
    // so no toolkit option (-style, -platform, -reverse, ...) can change anything.
    std::string programName = exe.empty() ? std::string("Tarvix") : exe;
    char* qtArgv[] = {programName.data(), nullptr};
    int qtArgc = 1;

    g_previousHandler = qInstallMessageHandler(StartupMessageHandler);
    QApplication qapp(qtArgc, qtArgv);
    qInstallMessageHandler(g_previousHandler);

    // The toolkit's own texts (the message box's button) in the user's language.
    QTranslator translator;
    if (translator.load(QLocale(), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&translator);
    }

    if (app->InitInstance()) {
        QApplication::exec();
    }
    return app->ExitInstance();
}

}  // namespace fw
