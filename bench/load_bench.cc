// Times putting a long text into the real editor, each way the toolkit
// offers: one ChangeValue, chunks appended, a frozen control, and a paste
// from the clipboard. It times the call only: GTK lays the text out later,
// in its idle time, which this does not see.
// Usage: load-bench [TEXTFILE]   (run it under xvfb-run; without a file,
// generated prose of 1 MB and 5 MB)
#include <unistd.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench/text_generator.h"
#include "bench/window_pump.h"
#include "highlight/editor_text.h"
#include "ui/frame_main.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

bool waitFor(const std::function<bool()>& done, int seconds) {
  const auto until = Clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (Clock::now() > until) return false;
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Empties the editor and lets the toolkit finish with the old text.
void empty(wxTextCtrl& editor) {
  editor.Clear();
  waitFor([] { return !wxTheApp->Pending(); }, 10);
}

double timed(const std::function<void()>& load) {
  const auto start = Clock::now();
  load();
  return millisecondsSince(start);
}

struct Way {
  const char* name;
  std::function<void(wxTextCtrl&, const wxString&)> load;
};

std::vector<Way> ways() {
  return {
      {"one ChangeValue",
       [](wxTextCtrl& editor, const wxString& text) { editor.ChangeValue(text); }},
      {"AppendText in 64 KB chunks",
       [](wxTextCtrl& editor, const wxString& text) {
         for (size_t at = 0; at < text.size(); at += 65536) editor.AppendText(text.Mid(at, 65536));
       }},
      {"Freeze, ChangeValue, Thaw",
       [](wxTextCtrl& editor, const wxString& text) {
         editor.Freeze();
         editor.ChangeValue(text);
         editor.Thaw();
       }},
      {"paste from the clipboard",
       [](wxTextCtrl& editor, const wxString& text) {
         if (wxTheClipboard->Open()) {
           wxTheClipboard->SetData(new wxTextDataObject(text));
           wxTheClipboard->Close();
         }
         editor.Paste();
       }},
  };
}

void measure(FrameMain& frame, const std::string& name, const std::string& bytes) {
  const wxString text = fromCp1252(bytes);
  std::printf("%s (%.1f MB, %zu lines)\n", name.c_str(), bytes.size() / 1048576.0,
              static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
  for (const Way& way : ways()) {
    wxTextCtrl& editor = frame.Editor();
    empty(editor);
    const double returned = timed([&] { way.load(editor, text); });
    const bool whole = editor.GetLastPosition() == static_cast<long>(text.size());
    std::printf("  %-28s returns in %7.0f ms%s\n", way.name, returned,
                whole ? "" : "  (text not whole!)");
    std::fflush(stdout);
  }
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  int toolkitArgc = 1;
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "load-bench: the toolkit did not start (is there a display?)\n");
    return 1;
  }
  wxLog::SetLogLevel(wxLOG_Info);
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("verbolt-load-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
  frame->Show(true);
  frame->Raise();
  waitFor([] { return false; }, 1);

  if (argc > 1) {
    std::ifstream in(argv[1], std::ios::binary);
    measure(*frame, argv[1],
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  } else {
    measure(*frame, "generated prose", generateProse(1 << 20, 1));
    measure(*frame, "generated prose", generateProse(5 << 20, 1));
  }
  frame->Destroy();
  waitFor([] { return false; }, 1);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
