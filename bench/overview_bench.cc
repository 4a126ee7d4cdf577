// Times the overview strip's update in the real main window, on a
// (virtual) display: after F5, when the marks come from the runs the
// editor keeps, and after a key typed into the coloured text, when they
// come from the runs moved with the edit. Generated novels of 1 and 5 MB,
// and real prose when a folder of bench/prepare-real-texts.sh is given.
// Usage: overview-bench [REAL_TEXTS_DIR]   (run it under xvfb-run)
#include <unistd.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/text_generator.h"
#include "bench/window_pump.h"
#include "highlight/editor_text.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/plan/overview_marks.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/overview_strip.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

template <typename Work>
double bestOf(int rounds, Work&& work) {
  double best = 1e9;
  for (int i = 0; i < rounds; ++i) best = std::min(best, work());
  return best;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void measure(FrameMain& frame, const std::string& name, const std::string& text) {
  TextCtrlCustom& editor = frame.Editor();
  editor.Clear();
  editor.ChangeValue(fromCp1252(text));
  settle(200);
  wxCommandEvent process(wxEVT_MENU, kIdProcess);
  frame.GetEventHandler()->ProcessEvent(process);
  settle(300);
  OverviewStrip& strip = frame.Overview();
  const double afterProcess = bestOf(7, [&] {
    const auto start = Clock::now();
    strip.UpdateMarks();
    return millisecondsSince(start);
  });
  // The runs as the strip reads them now, for the edit's own share.
  std::vector<ColourRun> runs;
  frame.Overview().OnRunsChanged([&runs](const std::vector<ColourRun>& now) { runs = now; });
  strip.UpdateMarks();
  const size_t marks = strip.Marks().size();
  const long middle = editor.GetLastPosition() / 2;
  const double moved = bestOf(5, [&] {
    const auto start = Clock::now();
    (void)runsAfterEdit(runs, middle, 0, 1);
    return millisecondsSince(start);
  });
  const double afterKey = bestOf(5, [&] {
    editor.SetInsertionPoint(middle);
    editor.WriteText("x");
    const auto start = Clock::now();
    strip.UpdateMarks();
    return millisecondsSince(start);
  });
  // With the colours following the typing, the key's own repaint comes
  // first; the strip then follows it.
  wxCommandEvent live(wxEVT_MENU, kIdColourAsYouType);
  frame.GetEventHandler()->ProcessEvent(live);
  settle(300);
  const double afterLiveKey = bestOf(5, [&] {
    editor.SetInsertionPoint(middle);
    editor.WriteText("x");
    while (frame.ColoursDue()) wxTheApp->Yield(true);
    const auto start = Clock::now();
    strip.UpdateMarks();
    return millisecondsSince(start);
  });
  frame.GetEventHandler()->ProcessEvent(live);
  std::printf(
      "%-28s %6.1f MB %8zu runs %5zu marks  after F5 %6.2f ms  after a key %6.2f ms"
      " (+ %.2f ms moving the runs)  after a key coloured as typed %6.2f ms\n",
      name.c_str(), static_cast<double>(text.size()) / (1 << 20), runs.size(), marks, afterProcess,
      afterKey, moved, afterLiveKey);
  std::fflush(stdout);
  frame.Overview().OnRunsChanged({});
}

void run(const char* realTexts) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("verbolt-overview-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  auto* frame = new FrameMain("Verbolt 2", wxPoint(0, 0), wxSize(1000, 760));
  frame->Show();
  settle(500);
  for (size_t megabytes : {1, 5}) {
    measure(*frame, "generated prose", generateProse(megabytes << 20, 1));
  }
  if (realTexts) {
    for (const char* name : {"english-1.txt", "english-5.txt"}) {
      const std::string text = fileText(std::string(realTexts) + "/" + name);
      if (text.empty()) {
        std::printf("%s: missing (bench/prepare-real-texts.sh %s)\n", name, realTexts);
        continue;
      }
      measure(*frame, std::string("King James Bible, ") + name, text);
    }
  }
  frame->Destroy();
  settle(200);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
}

}  // namespace

}  // namespace verbolt

int main(int argc, char** argv) {
  int toolkitArgc = 1;
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "overview-bench: the toolkit did not start (is there a display?)\n");
    return 1;
  }
  wxLog::SetLogLevel(wxLOG_Info);
  verbolt::run(argc > 1 ? argv[1] : nullptr);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
