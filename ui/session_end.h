// However the session ends, the settings of every main window are saved.
#pragma once

namespace verbolt {

// Closes every top-level window as its close box would, which saves.
void closeEveryWindow();

// Saves the settings of every main window, closing nothing: for endings
// that leave no time to close the windows.
void saveEveryMainWindow();

// SIGTERM (a logout or shutdown), SIGHUP (the terminal closed) and SIGINT
// (Ctrl+C) save the settings at once and close the windows the normal way
// as soon as no modal dialog holds the event loop. Needs the toolkit's
// event loop to be set up.
void closeWindowsOnTerminationSignals();

}  // namespace verbolt
