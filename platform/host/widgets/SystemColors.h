#pragma once

// The system colours the screens name, taken from the application's palette, and the
// conversion of a colour written as a number in the screens' notation ($00BBGGRR).

#include <QColor>

namespace host {

// Background of hints; the screens use it for required fields and for their grids.
QColor clInfoBk();
// Face of buttons and panels.
QColor clBtnFace();
// Title bar of the active window (the highlight) and of an inactive one (a light grey).
QColor clActiveCaption();
QColor clInactiveCaption();

// A colour written as $00BBGGRR: $008080 (32896) is red 128, green 128, blue 0.
QColor TColorToQColor(quint32 color);

} // namespace host
