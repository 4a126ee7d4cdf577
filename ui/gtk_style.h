// Looks that wx cannot ask of GTK by itself, given to single controls
// through their own style sheets.
#pragma once

#include "highlight/plan/colours.h"

class wxGauge;
class wxTextCtrl;
class wxToolBar;

namespace verbolt {

// The theme paints a tool bar's background with its own grey, whatever wx
// asks for: this colour wins over the theme.
void setToolBarBackground(wxToolBar& bar, Rgb colour);

// The theme draws a gauge as a two-pixel line at the bottom of its space,
// which the eye takes for a border: the trough and the bar fill the gauge.
void fillGaugeHeight(wxGauge& gauge);

// A line too long for the control goes on `indent` pixels in from the
// left, under the text of an indented line rather than at the margin. A
// negative first-line indent alone gives that: a left margin would narrow
// every line, those that fit included.
void hangWrappedLines(wxTextCtrl& control, int indent);

}  // namespace verbolt
