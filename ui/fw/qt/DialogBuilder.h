// Turns a dialog template into a DialogWindow with its controls.
#pragma once

#include <QFont>
#include <QRect>

#include "Resources.h"

namespace fw::qt {

class DialogWindow;

// Pixels per 4 horizontal and per 8 vertical dialog units, from a font the way Windows
// takes them: the average width of A-Z and a-z, rounded, and the font's height.
struct BaseUnits {
    int x = 0;
    int y = 0;
};

// The template's font: its typeface where installed, else a Japanese Gothic.
QFont DialogFont(const tarvix::res::DialogTemplate& dlg);
BaseUnits DialogBaseUnits(const QFont& font);
QRect MapDialogRect(const BaseUnits& units, int x, int y, int cx, int cy);

// Sizes the window and creates its controls in template order. False when the
// template names a control class the layer does not have.
bool BuildDialog(DialogWindow& window, const tarvix::res::DialogTemplate& dlg);

}  // namespace fw::qt
