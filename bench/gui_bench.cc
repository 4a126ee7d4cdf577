// Times the window's commands on generated novels, in the real main window
// on a (virtual) display: F5, a click that marks a word, an ALT+click, F6,
// F5 on 5 MB with the gauge followed, and the memory after F5.
// Usage: gui-bench [FIGURES_FILE]   (run it under xvfb-run)
// With VERBOLT_BENCH_TEXT naming a Windows-1252 text file, the texts are
// taken from it (repeated when it is shorter) instead of generated.
#include <gtk/gtk.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/gauge.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "bench/text_generator.h"
#include "highlight/editor_history.h"
#include "highlight/editor_text.h"
#include "text/words.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/text_ctrl_custom.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the toolkit lay out and repaint what the last command changed.
void settle(int milliseconds) {
  const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    wxTheApp->Yield(true);
  } while (Clock::now() < until);
}

double processCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// A command and the repaint it causes, timed to the end of the first
// round of pending events. With VERBOLT_BENCH_CPU set, the time is the
// processor time of this program, which a busy machine disturbs far less
// than the time on the clock (the X server's share is left out).
double timed(const std::function<void()>& action) {
  static const bool cpu = std::getenv("VERBOLT_BENCH_CPU") != nullptr;
  const auto start = Clock::now();
  const double cpuStart = processCpuMilliseconds();
  action();
  wxTheApp->Yield(true);
  return cpu ? processCpuMilliseconds() - cpuStart : millisecondsSince(start);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

long residentKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  }
  return -1;
}

// Remembers every value the analysis gives the gauge.
class RecordingGauge : public wxGauge {
 public:
  explicit RecordingGauge(wxWindow* parent) : wxGauge(parent, wxID_ANY, 100) {}
  void SetValue(int value) override {
    values.push_back(value);
    wxGauge::SetValue(value);
  }
  std::vector<int> values;
};

struct Figure {
  std::string number;
  std::string what;
  double value;
  std::string unit;
  double goal;
};

class Bench {
 public:
  explicit Bench(FrameMain& frame) : m_frame(frame) {}

  void load(const std::string& text) {
    m_frame.m_editor->Clear();
    m_frame.m_editor->ChangeValue(fromCp1252(text));
    m_text = text;
    settle(3000);  // the text is laid out before anything is timed
  }

  void command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame.GetEventHandler()->ProcessEvent(event);
  }

  // The start of the most counted word of the Top-100, which every click uses.
  long frequentWordPosition() {
    std::string report = toCp1252(m_frame.m_top100->GetValue());
    size_t colon = report.find(" : ");
    std::string word = report.substr(colon + 3, report.find('\n') - colon - 3);
    std::string lowered = lowercaseText(m_text);
    size_t at = 0;
    while ((at = lowered.find(word, at)) != std::string::npos) {
      bool starts = at == 0 || !isWordChar(lowered[at - 1]);
      bool ends = at + word.size() == lowered.size() || !isWordChar(lowered[at + word.size()]);
      if (starts && ends) break;
      ++at;
    }
    std::printf("  clicks on \"%s\" at %zu\n", word.c_str(), at);
    return static_cast<long>(at);
  }

  FrameMain& m_frame;
  std::string m_text;
};

// `bytes` of prose: the writer's text when one is given, else generated.
std::string benchText(size_t bytes) {
  const char* file = std::getenv("VERBOLT_BENCH_TEXT");
  if (!file) return generateProse(bytes, 1);
  std::ifstream in(file, std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (whole.empty()) return generateProse(bytes, 1);
  std::string text;
  while (text.size() < bytes) text += whole.substr(0, bytes - text.size());
  return text;
}

// Pasting a long text, with the writer's keys: Ctrl+V, then one letter,
// timed until both the text and the letter are in the editor; -1 when they
// never came. The letter is taken at once; the text comes when the
// clipboard has handed it over.
double timedPaste(FrameMain& frame, Bench& bench, size_t megabytes) {
  bench.load("");
  const std::string bytes = benchText(megabytes << 20);
  const wxString pasted = fromCp1252(bytes);
  if (wxTheClipboard->Open()) {
    wxTheClipboard->SetData(new wxTextDataObject(pasted));
    wxTheClipboard->Close();
  }
  frame.Raise();
  frame.m_editor->SetFocus();
  settle(300);
  const auto start = Clock::now();
  wxUIActionSimulator input;
  input.Char('v', wxMOD_CONTROL);
  input.Char('q');
  const long expected = static_cast<long>(pasted.size()) + 1;
  while (frame.m_editor->GetLastPosition() != expected && millisecondsSince(start) < 60000) {
    wxTheApp->Yield(true);
  }
  return frame.m_editor->GetLastPosition() == expected ? millisecondsSince(start) : -1;
}

std::vector<Figure> run() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("verbolt-gui-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
  frame->Show(true);
  auto* gauge = new RecordingGauge(frame);
  gauge->Hide();
  frame->m_gauge = gauge;
  Bench bench(*frame);
  std::vector<Figure> figures;
  constexpr int kRepeats = 3;

  bench.load(benchText(1 << 20));
  std::vector<double> fresh, recoloured, marks, hides, clears;
  for (int i = 0; i < kRepeats; ++i) {
    bench.command(kIdClear);
    settle(300);
    fresh.push_back(timed([&] { bench.command(kIdProcess); }));
    settle(300);
    recoloured.push_back(timed([&] { bench.command(kIdProcess); }));
    settle(300);
  }
  const long rss = residentKilobytes("VmRSS:");
  const long word = bench.frequentWordPosition();
  for (int i = 0; i < kRepeats; ++i) {
    marks.push_back(timed([&] { frame->OnEditorClick(word, false, false); }));
    settle(200);
    hides.push_back(timed([&] { frame->OnEditorClick(word, false, true); }));
    settle(200);
    frame->OnEditorClick(word, false, true);  // shown again for the next round
    settle(200);
  }
  for (int i = 0; i < kRepeats; ++i) {
    bench.command(kIdProcess);
    settle(200);
    clears.push_back(timed([&] { bench.command(kIdClear); }));
    settle(200);
  }
  // F3 reads the editor's colours once after each change, then walks a list.
  std::vector<double> firstWalks, nextWalks;
  for (int i = 0; i < kRepeats; ++i) {
    bench.command(kIdProcess);
    settle(200);
    frame->m_editor->SetInsertionPoint(0);
    firstWalks.push_back(timed([&] { bench.command(kIdNextFinding); }));
    nextWalks.push_back(timed([&] { bench.command(kIdNextFinding); }));
    settle(200);
  }
  const long marked = bench.frequentWordPosition();
  std::vector<double> markedWalks;
  for (int i = 0; i < kRepeats; ++i) {
    frame->OnEditorClick(marked, false, false);
    settle(200);
    markedWalks.push_back(timed([&] { bench.command(kIdNextFinding); }));
    settle(200);
  }
  // On a writer's text the rows carry the goals of real prose.
  const bool real = std::getenv("VERBOLT_BENCH_TEXT") != nullptr;

  auto row = [real](const char* generated, const char* prose) { return real ? prose : generated; };
  auto goal = [real](double generated, double prose) { return real ? prose : generated; };
  figures.push_back(
      {row("8", "W1"), "F5 on 1 MB, white text", median(fresh), "ms", goal(1000, 250)});
  figures.push_back(
      {row("8", "W1"), "F5 on 1 MB, already coloured", median(recoloured), "ms", goal(1000, 300)});
  figures.push_back({row("9", "W2"), "click (mark) on 1 MB", median(marks), "ms", goal(300, 100)});
  figures.push_back({row("9", "W2"), "ALT+click on 1 MB", median(hides), "ms", goal(500, 100)});
  figures.push_back({row("9", "W2"), "F6 on 1 MB", median(clears), "ms", goal(300, 100)});
  figures.push_back({row("14", "W2"), "F3 on 1 MB, first after F5", median(firstWalks), "ms", 100});
  figures.push_back(
      {row("14", "W2"), "F3 on 1 MB, first after a mark", median(markedWalks), "ms", 100});
  figures.push_back({row("14", "W2"), "F3 on 1 MB, the next ones", median(nextWalks), "ms", 100});

  for (const size_t megabytes : {1, 5}) {
    figures.push_back(
        {row("12", "W4"),
         megabytes == 1 ? "paste 1 MB, until the next key" : "paste 5 MB, until the next key",
         timedPaste(*frame, bench, megabytes), "ms", megabytes == 1 ? 500.0 : 2000.0});
  }

  bench.load(benchText(5 << 20));
  gauge->values.clear();
  const double large = timed([&] { bench.command(kIdProcess); });
  const long rssLarge = residentKilobytes("VmRSS:");
  figures.push_back({row("10", "W3"), "F5 on 5 MB", large, "ms", goal(5000, 1000)});
  int distinct = 0, last = -1, highest = 0;
  for (int value : gauge->values) {
    if (value != last) ++distinct;
    last = value;
    highest = std::max(highest, value);
  }
  std::printf("  gauge on 5 MB: %zu updates, %d changes of value, highest %d, last %d\n",
              gauge->values.size(), distinct, highest, last);
  figures.push_back(
      {row("10", "W3"), "gauge values during F5 on 5 MB", double(distinct), "values", 0});
  figures.push_back({row("11", "11"), "resident memory after F5 on 1 MB", rss / 1024.0, "MB", 300});
  figures.push_back(
      {row("11", "W5"), "resident memory after F5 on 5 MB", rssLarge / 1024.0, "MB", 300});

  // The undo history after the writer deletes the whole coloured 5 MB text,
  // the largest single step there is.
  GtkTextBuffer* buffer =
      gtk_text_view_get_buffer(GTK_TEXT_VIEW(frame->m_editor->GetConnectWidget()));
  frame->m_editor->SelectAll();
  gtk_text_buffer_begin_user_action(buffer);
  gtk_text_buffer_delete_selection(buffer, TRUE, TRUE);
  gtk_text_buffer_end_user_action(buffer);
  figures.push_back({row("15", "15"), "undo history after deleting 5 MB",
                     frame->m_editor->m_history->Bytes() / 1048576.0, "MB",
                     kMaxHistoryBytes / 1048576.0});

  frame->Destroy();
  settle(100);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  const char* figuresFile = argc > 1 ? argv[1] : nullptr;
  int toolkitArgc = 1;  // the toolkit would refuse the file name
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "gui-bench: the toolkit did not start (is there a display?)\n");
    return 1;
  }
  wxLog::SetLogLevel(wxLOG_Info);
  std::vector<Figure> figures = run();

  std::FILE* out = figuresFile ? std::fopen(figuresFile, "w") : nullptr;
  std::printf("%-4s %-36s %10s %8s  %s\n", "fig", "what", "ours", "goal", "met");
  for (const Figure& f : figures) {
    const bool met = f.goal == 0 ? f.value > 10 : f.value <= f.goal;
    std::printf("%-4s %-36s %8.0f %-3s %6.0f  %s\n", f.number.c_str(), f.what.c_str(), f.value,
                f.unit.c_str(), f.goal, met ? "yes" : "NO");
    if (out) {
      // number, figure, ours, baseline, ratio, goal, met: the rows of the
      // benchmark table.
      std::fprintf(out, "%s\t%s\t%.0f %s\t-\t-\t%s%.0f %s\t%s\n", f.number.c_str(), f.what.c_str(),
                   f.value, f.unit.c_str(), f.goal == 0 ? "> " : "<= ", f.goal == 0 ? 10 : f.goal,
                   f.unit.c_str(), met ? "yes" : "no");
    }
  }
  if (out) std::fclose(out);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
