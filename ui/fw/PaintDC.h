// Painting of a window while it handles WM_PAINT.
#pragma once

#include "fw/Types.h"

class CWnd;

class CPaintDC {
  public:
    // Begins painting the window; valid only inside its WM_PAINT handling.
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    // Null when the window is not being painted: drawing then does nothing.
    HDC m_hDC = nullptr;

    // Draws the icon at its standard size with its top left corner at x, y.
    BOOL DrawIcon(int x, int y, HICON icon);

  private:
    CWnd* m_wnd;
};
