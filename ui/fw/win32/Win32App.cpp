// The process entry on Win32: the framework's initialisation, then the application
// object's start-up routine.
#include <windows.h>

#include <string>

#include "WinLanguageSearch.h"
#include "WinResourceModule.h"
#include "fw/WinApp.h"
#include "fw/win32/Win32Text.h"

namespace {
HMODULE g_language = nullptr;
}  // namespace

namespace fw {

// Loaded as resource data only: a DLL dropped beside the executable cannot run code
// inside the tool. The title and the help file path stay as they are.
bool LoadLanguageResources(const std::string& exePath) {
    const HMODULE module = tarvix::res::LoadLanguageResources(
        tarvix::res::LanguageFileCandidates(exePath, tarvix::res::WinLanguageAbbreviations()));
    if (module == nullptr) {
        return false;
    }
    if (g_language != nullptr) {
        FreeLibrary(g_language);
    }
    g_language = module;
    tarvix::res::SetResourceInstance(module);
    return true;
}

// The whole path, however long: the title and the help file path are cut from it.
std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            return win32::Utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

int RunApplication(int, char**) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    // A drive without a medium and the like fail quietly: the merge reports its own message.
    const UINT mode = SetErrorMode(0);
    SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    const std::string exe = ExecutablePath();
    app->m_appTitle = AppTitleFromPath(exe);
    app->m_helpFilePath = HelpPathFromPath(exe);

    // The command line is ignored.
    if (app->InitInstance()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    const int status = app->ExitInstance();
    // The exit step releases the language resource file.
    if (g_language != nullptr) {
        tarvix::res::SetResourceInstance(nullptr);
        FreeLibrary(g_language);
        g_language = nullptr;
    }
    return status;
}

}  // namespace fw
