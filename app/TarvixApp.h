// The application object: the process's start-up and the main window's modal run.
#pragma once

#include "fw/WinApp.h"

class CTarvixApp : public CWinApp {
  public:
    // Framework messages (the help failure) go through ShowMessage like all others.
    CTarvixApp();
    ~CTarvixApp() override;

    const fw::MessageTable* GetMessageMap() const override;
    static const fw::MessageTable* GetThisMessageMap();

    // Runs the main window until it closes; FALSE: no message loop follows.
    BOOL InitInstance() override;
};
