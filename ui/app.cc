#include "ui/app.h"

#include <wx/log.h>

#include <csignal>

#include "analysis/debug_trace.h"
#include "highlight/editor_text.h"
#include "ui/display_loss.h"
#include "ui/frame_main.h"

namespace {

void traceToDebugLog(const std::string& line) { wxLogDebug("%s", fromCp1252(line)); }

// Runs in the event loop, after the signal itself has returned.
void closeWindowsOnSignal(int) { closeEveryWindow(); }

}  // namespace

bool MyApp::OnInit() {
#ifdef NDEBUG
  // The trace lines are for developers; a writer's terminal stays quiet.
  wxLog::SetLogLevel(wxLOG_Info);
#endif
  setDebugTraceSink(traceToDebugLog);
  // A logout or shutdown (SIGTERM), a closed terminal (SIGHUP) and Ctrl+C
  // (SIGINT) close the window as its close box does, which saves the
  // settings. The toolkit hands the signal over to its event loop.
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) SetSignalHandler(signal, closeWindowsOnSignal);
  saveSettingsIfTheDisplayIsLost();
  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
  frame->Show(true);
  SetTopWindow(frame);
  return true;
}
