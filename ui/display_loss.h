// When the connection to the X display breaks (the X server stopped, a
// remote session dropped), the toolkit ends the program at once, and no
// window is closed. Before it does, the settings of every main window are
// saved: the pane's controls keep their contents on this side of the
// connection.
#pragma once

namespace verbolt {

// Called once the toolkit has opened the display.
void saveSettingsIfTheDisplayIsLost();

}  // namespace verbolt
