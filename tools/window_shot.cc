// Takes a picture of the main window after F5, for the README: the window
// is opened in the current directory, the layout is let settle, and the
// picture is refused when a field of the settings pane is not visible.
//
// Usage: window-shot OUTPUT.png [TEXTFILE]
// With TEXTFILE (Windows-1252 bytes), the editor holds that text instead of
// the welcome text, and "processing" is printed on standard output just
// before F5, for pictures taken from outside during the run. With
// VERBOLT_SHOT_MARK naming a word of the text, that word is then clicked
// (marked red) as a writer would click it, and the window is shown at its
// first occurrence.
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/scrolwin.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "highlight/editor_text.h"
#include "strings/language.h"
#include "strings/localized_text.h"
#include "ui/editor_events.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

using Clock = std::chrono::steady_clock;

void pumpFor(std::chrono::milliseconds span) {
  const auto until = Clock::now() + span;
  while (Clock::now() < until) {
    wxTheApp->Yield(true);
    wxTheApp->ProcessPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// The sizes of every field of the pane, the editor and the frame: the
// layout has settled when they stop changing.
std::vector<wxRect> layoutOf(const FrameMain& frame) {
  std::vector<wxRect> rects = {frame.GetScreenRect(), frame.Editor().GetScreenRect()};
  for (wxWindow* field : frame.Settings().Fields()) rects.push_back(field->GetScreenRect());
  return rects;
}

bool settle(const FrameMain& frame) {
  std::vector<wxRect> last = layoutOf(frame);
  int stableRounds = 0;
  const auto until = Clock::now() + std::chrono::seconds(10);
  while (stableRounds < 6 && Clock::now() < until) {
    pumpFor(std::chrono::milliseconds(50));
    std::vector<wxRect> now = layoutOf(frame);
    stableRounds = now == last ? stableRounds + 1 : 0;
    last = now;
  }
  return stableRounds >= 6;
}

// A field is visible when it has a usable size and lies within the pane's
// shown part (the lower sections may be scrolled out of view).
std::string hiddenField(const FrameMain& frame) {
  const wxRect pane = frame.Settings().GetScreenRect();
  for (wxWindow* field : frame.Settings().Fields()) {
    const wxRect rect = field->GetScreenRect();
    if (!pane.Intersects(rect)) continue;
    if (!field->IsShownOnScreen() || rect.height < 12 || rect.width < 12) {
      return "a field of " + std::to_string(rect.width) + "x" + std::to_string(rect.height);
    }
  }
  return {};
}

bool save(const wxRect& area, const char* path) {
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), area.x, area.y,
                                               area.width, area.height);
  if (!shot) return false;
  const bool saved = gdk_pixbuf_save(shot, path, "png", nullptr, nullptr);
  g_object_unref(shot);
  return saved;
}

int takeShot(const char* output, const char* textFile) {
  auto* frame = new FrameMain("Verbolt 2", wxPoint(60, 35), wxSize(980, 730));
  frame->Show(true);
  frame->Raise();
  if (textFile) {
    std::ifstream in(textFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    frame->Editor().Clear();
    frame->Editor().ChangeValue(fromCp1252(text));
  }
  int status = 0;
  if (!settle(*frame)) {
    std::fprintf(stderr, "window-shot: the layout never settled\n");
    status = 1;
  }
  if (textFile) {
    std::printf("processing\n");
    std::fflush(stdout);
  }
  wxCommandEvent process(wxEVT_MENU, kIdProcess);
  frame->GetEventHandler()->ProcessEvent(process);
  if (status == 0 && !settle(*frame)) status = 1;
  if (const char* word = std::getenv("VERBOLT_SHOT_MARK")) {
    const std::string text = toCp1252(frame->Editor().GetValue());
    const size_t at = text.find(word);
    if (at != std::string::npos) {
      WordClickEvent click(kEvtWordClick, kIdEditor, static_cast<long>(at));
      click.SetEventObject(&frame->Editor());
      frame->GetEventHandler()->ProcessEvent(click);
      if (status == 0 && !settle(*frame)) status = 1;
    }
  }
  const std::string hidden = hiddenField(*frame);
  if (!hidden.empty()) {
    std::fprintf(stderr, "window-shot: the settings pane shows %s: no picture\n", hidden.c_str());
    status = 1;
  }
  if (status == 0 && !save(frame->GetScreenRect(), output)) {
    std::fprintf(stderr, "window-shot: cannot write %s\n", output);
    status = 1;
  }
  frame->Destroy();
  pumpFor(std::chrono::milliseconds(50));
  return status;
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: window-shot OUTPUT.png [TEXTFILE]\n");
    return 2;
  }
  // The window speaks the language of the locale, as the program does.
  setLanguage(
      languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")));
  // The arguments are this program's, not the toolkit's.
  int toolkitArgc = 1;
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit()) return 1;
  wxLog::SetLogLevel(wxLOG_Info);  // the developer trace stays out of the way
  const int status = takeShot(argv[1], argc == 3 ? argv[2] : nullptr);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return status;
}
