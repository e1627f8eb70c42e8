// The main window: two path fields with browse buttons, the merge position in
// sectors and in seconds, the start button and the close button.
#pragma once

#include "fw/Dialog.h"

class CTarvixDlg : public CDialog {
  public:
    CTarvixDlg();
    ~CTarvixDlg() override;

    const fw::MessageTable* GetMessageMap() const override;
    static const fw::MessageTable* GetThisMessageMap();

    // Where an icon of cx by cy pixels is drawn to sit centred in `client`. Plain
    // integer division, truncating toward zero: a 0 x 0 area gives -15 for 32 pixels.
    static CPoint IconOrigin(const CRect& client, int cx, int cy);

  protected:
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT command, LPARAM lParam);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnStartMerge();
    void OnBrowseProgram();
    void OnBrowseSound();
    void OnSectorChange();
    void OnSecondsChange();

    // Puts the path chosen in an open-file dialog with `filter` into field `fieldId`.
    void BrowseInto(int fieldId, const char* filter);

    HICON m_appIcon;
    // Off while the position fields are written by the program, so that the change
    // notification of one field's write is not turned back into the other.
    bool m_linkActive;
};
