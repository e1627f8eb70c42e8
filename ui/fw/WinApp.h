// The application object and the process entry that drives it.
//
// The executable links the layer's main(), which: fixes the application title and the
// help file path from the executable's path, creates the window system's
// application with no arguments but the program name, calls InitInstance of the one
// CWinApp object, and ends with ExitInstance's status.
#pragma once

#include <cstdint>
#include <string>

#include "fw/CmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
  public:
    // There is exactly one application object, a static one; it registers itself here.
    CWinApp();
    ~CWinApp() override;

    // The executable's file name without directory and extension: every message box's caption.
    std::string m_appTitle;
    // The executable's path with its extension replaced by ".HLP".
    std::string m_helpFilePath;
    // The window that owns message boxes, while it exists.
    CWnd* m_pMainWnd = nullptr;
    // The help context for a help request at this moment; 0 when none is set.
    std::uint32_t m_helpContext = 0;
    // How the framework's own messages (the help failure) reach the user: the program's
    // message function. Without one they are not shown.
    void (*m_pfnShowMessage)(unsigned id) = nullptr;

    // The start-up routine: FALSE means no message loop is run and the process ends.
    // The base's loads the language resources (LoadLanguageResources).
    virtual BOOL InitInstance();
    // The exit step; returns the process's exit status.
    virtual int ExitInstance();

    // The help command (ID_HELP), for an application's table: the help for the help
    // context while one is set, else for the dialog that holds the keyboard focus
    // (HID_BASE_RESOURCE + its template number). Nothing while the help failure itself
    // is shown.
    void OnHelp();
    // Asks the help engine for the help file at `data`, with the wait cursor; when it
    // fails, shows IDS_HELP_LAUNCH_FAILED.
    void WinHelp(ULONG_PTR data, UINT command = HELP_CONTEXT);

    const fw::MessageTable* GetMessageMap() const override;
    static const fw::MessageTable* GetThisMessageMap();
};

// Help contexts: of a message shown by identifier, and of a dialog by template number.
inline constexpr std::uint32_t HID_BASE_PROMPT = 0x30000;
inline constexpr std::uint32_t HID_BASE_RESOURCE = 0x20000;

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

namespace fw {

// The language resource search beside the executable `exePath`: files named after it
// and the Windows abbreviations of the user's and the system's language (TarvixJPN.dll
// for /opt/tarvix/Tarvix), then "LOC". The first that reads as a resource DLL becomes
// the resource module, with no fallback to the program's own resources. False when
// none does.
bool LoadLanguageResources(const std::string& exePath);

// Runs the application object for the process; returns the exit status.
int RunApplication(int argc, char** argv);

// The running executable's full path.
std::string ExecutablePath();
// "/opt/tools/Tarvix" -> "Tarvix"; "C:\a\a.b.exe" -> "a.b": the last dot of the file
// name starts the extension, and a name without a dot stays whole.
std::string AppTitleFromPath(const std::string& exePath);
// The path with the file name's extension replaced by (or, without one, followed by) ".HLP".
std::string HelpPathFromPath(const std::string& exePath);

}  // namespace fw
