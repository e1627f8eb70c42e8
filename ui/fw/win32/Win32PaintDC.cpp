#include <windows.h>

#include "fw/PaintDC.h"
#include "fw/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_wnd(wnd) {
    if (wnd != nullptr && wnd->m_hWnd != nullptr) {
        PAINTSTRUCT paint;
        m_hDC = BeginPaint(wnd->m_hWnd, &paint);
    }
}

CPaintDC::~CPaintDC() {
    if (m_hDC != nullptr) {
        // Ending the painting needs only the window and the device context.
        PAINTSTRUCT paint{};
        paint.hdc = m_hDC;
        EndPaint(m_wnd->m_hWnd, &paint);
    }
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon) {
    return m_hDC != nullptr && icon != nullptr && ::DrawIcon(m_hDC, x, y, icon);
}
