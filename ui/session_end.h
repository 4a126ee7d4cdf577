// However the session ends, the settings of every main window are saved,
// and its unsaved text is kept for the next start.
#pragma once

namespace verbolt {

// Closes every top-level window as its close box would, which saves.
void closeEveryWindow();

// Saves the settings of every main window and brings the recovery copies
// of their unsaved text up to date, closing nothing: for endings that
// leave no time to close the windows.
void saveEveryMainWindow();

// SIGTERM (a logout or shutdown), SIGHUP (the terminal closed) and SIGINT
// (Ctrl+C) save the settings and the unsaved text at once and close the windows the normal way
// as soon as no modal dialog holds the event loop. Needs the toolkit's
// event loop to be set up.
void closeWindowsOnTerminationSignals();

}  // namespace verbolt
