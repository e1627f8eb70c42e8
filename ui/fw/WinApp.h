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

    // The start-up routine: FALSE means no message loop is run and the process ends.
    virtual BOOL InitInstance();
    // The exit step; returns the process's exit status.
    virtual int ExitInstance();

    const fw::MessageTable* GetMessageMap() const override;
    static const fw::MessageTable* GetThisMessageMap();
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

namespace fw {

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
