#include "ui/app.h"

#include <wx/log.h>

#include "highlight/editor_text.h"
#include "strings/localized_text.h"
#include "text/debug_trace.h"
#include "ui/display_loss.h"
#include "ui/frame_main.h"
#include "ui/session_end.h"
#include "ui/toolkit_language.h"

namespace verbolt {

namespace {

void traceToDebugLog(const std::string& line) { wxLogDebug("%s", fromCp1252(line)); }

}  // namespace

bool MyApp::OnInit() {
#ifdef NDEBUG
  // The trace lines are for developers; a writer's terminal stays quiet.
  wxLog::SetLogLevel(wxLOG_Info);
#endif
  setDebugTraceSink(traceToDebugLog);
  useToolkitLanguage(currentLanguage());
  closeWindowsOnTerminationSignals();
  saveSettingsIfTheDisplayIsLost();
  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
  frame->Show(true);
  SetTopWindow(frame);
  // `verbolt FILE` opens the manuscript at start; without one, a text with
  // no file that the last run left unsaved comes back.
  if (argc > 1) {
    frame->OpenFile(argv[1]);
  } else {
    frame->RecoverUntitledText();
  }
  return true;
}

}  // namespace verbolt
