// How the Qt backend stands behind the layer's opaque handles: a window or control
// handle is its QWidget, a device context the QPainter of the paint in progress, an
// icon a QPixmap that lives as long as the process.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "fw/Types.h"

namespace fw::qt {

inline QWidget* ToWidget(HWND h) {
    return reinterpret_cast<QWidget*>(h);
}
inline HWND ToHwnd(QWidget* w) {
    return reinterpret_cast<HWND>(w);
}
inline QPainter* ToPainter(HDC h) {
    return reinterpret_cast<QPainter*>(h);
}
inline HDC ToHdc(QPainter* p) {
    return reinterpret_cast<HDC>(p);
}
inline const QPixmap* ToPixmap(HICON h) {
    return reinterpret_cast<const QPixmap*>(h);
}
inline HICON ToHicon(const QPixmap* p) {
    return reinterpret_cast<HICON>(const_cast<QPixmap*>(p));
}

}  // namespace fw::qt
