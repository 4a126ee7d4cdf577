// The progress gauge during a long command: the one thing that moves
// while the editor is being recoloured.
#pragma once

class wxGauge;

namespace verbolt {

// Sets the gauge. Once a command has run long enough for the writer to
// wonder whether anything happens, the toolkit is also let paint, and only
// paint: keys and clicks that arrive meanwhile wait, in their order, until
// the command has ended. A value of 0 ends the command.
void showProgress(wxGauge& gauge, int value);

}  // namespace verbolt
