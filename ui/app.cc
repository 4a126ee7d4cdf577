#include "ui/app.h"

#include <wx/log.h>

#include <optional>
#include <string>
#include <utility>

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

std::optional<std::string>& manuscriptAtStart() {
  static std::optional<std::string> path;
  return path;
}

}  // namespace

void MyApp::OpenAtStart(std::string path) { manuscriptAtStart() = std::move(path); }

bool MyApp::OnInit() {
#ifdef NDEBUG
  // The trace lines are for developers; a writer's terminal stays quiet.
  wxLog::SetLogLevel(wxLOG_Info);
#endif
  setDebugTraceSink(traceToDebugLog);
  useToolkitLanguage(currentLanguage());
  closeWindowsOnTerminationSignals();
  saveSettingsIfTheDisplayIsLost();
  // Wide enough for every button of the toolbar.
  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(1060, 730));
  frame->Show(true);
  SetTopWindow(frame);
  // `verbolt FILE` opens the manuscript at start; without one, a text with
  // no file that the last run left unsaved comes back.
  if (manuscriptAtStart()) {
    frame->OpenFile(fileNameOf(*manuscriptAtStart()));
  } else {
    frame->RecoverUntitledText();
  }
  return true;
}

}  // namespace verbolt
