#include <QPainter>

#include "fw/PaintDC.h"
#include "fw/Wnd.h"
#include "fw/qt/DialogWindow.h"
#include "fw/qt/Handles.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_wnd(wnd) {
    fw::qt::DialogWindow* window = fw::qt::DialogFromHandle(wnd != nullptr ? wnd->m_hWnd : nullptr);
    if (window != nullptr && window->InPaint()) {
        m_hDC = fw::qt::ToHdc(new QPainter(window));
    }
}

CPaintDC::~CPaintDC() {
    delete fw::qt::ToPainter(m_hDC);
}

BOOL CPaintDC::DrawIcon(int x, int y, HICON icon) {
    QPainter* painter = fw::qt::ToPainter(m_hDC);
    const QPixmap* pixmap = fw::qt::ToPixmap(icon);
    if (painter == nullptr || pixmap == nullptr) {
        return FALSE;
    }
    painter->drawPixmap(x, y, *pixmap);
    return TRUE;
}
