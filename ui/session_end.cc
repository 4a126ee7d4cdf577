#include "ui/session_end.h"

#include <glib-unix.h>
#include <wx/app.h>
#include <wx/toplevel.h>

#include <csignal>
#include <vector>

#include "highlight/progress_gauge.h"
#include "ui/frame_main.h"

namespace verbolt {

namespace {

// A message box or dialog runs a loop of its own inside the main one;
// destroying its parent window under it would pull the ground from under
// the command that opened it. The main loop calls this at depth 1, a box
// it opened at 2. A box of the start (the file named on the command line
// cannot be opened) runs before the main loop, its own loop then at depth
// 1: until the main loop runs, a box may be open whatever the depth.
bool aDialogMayBeOpen() { return !wxApp::IsMainLoopRunning() || g_main_depth() > 1; }

gboolean closeOnceNoDialogIsOpen(gpointer) {
  if (aDialogMayBeOpen()) return G_SOURCE_CONTINUE;
  closeEveryWindow();
  return G_SOURCE_REMOVE;
}

// GLib receives the signal and calls this from the event loop, where the
// windows may be touched.
gboolean onTerminationSignal(gpointer) {
  // A long F5 in progress lets the loop go back to its own depth, where
  // the windows can close.
  requestRunStop();
  saveEveryMainWindow();
  if (aDialogMayBeOpen()) {
    constexpr guint kRetryMilliseconds = 100;
    g_timeout_add(kRetryMilliseconds, closeOnceNoDialogIsOpen, nullptr);
  } else {
    closeEveryWindow();
  }
  return G_SOURCE_CONTINUE;
}

}  // namespace

void closeEveryWindow() {
  // Closing a window takes it out of the list being walked.
  std::vector<wxWindow*> windows(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
  for (wxWindow* window : windows) window->Close(true);
  // A closed window is destroyed when the toolkit next goes idle; called
  // from outside its own events, it would not know to.
  wxWakeUpIdle();
}

void saveEveryMainWindow() {
  for (wxWindow* window : wxTopLevelWindows) {
    if (auto* frame = dynamic_cast<FrameMain*>(window)) {
      frame->SaveSettings();
      frame->WriteRecoveryNow();
    }
  }
}

void closeWindowsOnTerminationSignals() {
  for (int signal : {SIGTERM, SIGHUP, SIGINT})
    g_unix_signal_add(signal, onTerminationSignal, nullptr);
}

}  // namespace verbolt
