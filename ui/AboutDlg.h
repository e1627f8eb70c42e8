// The about box: the icon, the name and version, and the rights notice.
#pragma once

#include "fw/Dialog.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
    ~CAboutDlg() override;

    const fw::MessageTable* GetMessageMap() const override;
    static const fw::MessageTable* GetThisMessageMap();
};
