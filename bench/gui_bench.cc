// Times the window's commands on generated novels, in the real main window
// on a (virtual) display: F5, a click that marks a word, an ALT+click, F6,
// F3, opening and pasting a novel with a key typed at once, F5 on 5 MB with
// the gauge followed, and the memory after F5. A command is timed until the
// editor has drawn its result, as the writer sees it; the best of five.
// Usage: gui-bench [FIGURES_FILE]   (run it under xvfb-run)
// With VERBOLT_BENCH_TEXT naming a Windows-1252 text file, the texts are
// taken from it (repeated when it is shorter) instead of generated.
#include <gtk/gtk.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/gauge.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <cmath>
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
#include "bench/window_pump.h"
#include "highlight/editor_history.h"
#include "highlight/editor_text.h"
#include "text/words.h"
#include "ui/echoes_controls.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

double processCpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// What the editor's own signals tell: when it was last drawn, and when its
// text first reached an awaited length.
struct EditorStamps {
  gint64 drawn = 0;
  long awaitedLength = -1;
  gint64 lengthReached = 0;
};
EditorStamps stamps;

gboolean stampDraw(GtkWidget*, cairo_t*, gpointer) {
  stamps.drawn = g_get_monotonic_time();
  return FALSE;
}

void stampLength(GtkTextBuffer* buffer, gpointer) {
  if (stamps.lengthReached == 0 && gtk_text_buffer_get_char_count(buffer) == stamps.awaitedLength) {
    stamps.lengthReached = g_get_monotonic_time();
  }
}

void watchEditor(wxTextCtrl& editor) {
  GtkWidget* view = editor.GetConnectWidget();
  g_signal_connect_after(view, "draw", G_CALLBACK(stampDraw), nullptr);
  g_signal_connect_after(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), "changed",
                         G_CALLBACK(stampLength), nullptr);
}

// Asks for a frame of the editor and waits until it is drawn.
void untilNextFrame(wxTextCtrl& editor) {
  const gint64 asked = g_get_monotonic_time();
  gtk_widget_queue_draw(editor.GetConnectWidget());
  pumpUntil([asked] { return stamps.drawn > asked; }, 60);
}

// A command timed twice: until the window has drawn its result, when the
// writer sees it and the next key is taken; and until the toolkit has also
// laid out again, in the background, every line whose colours changed. With
// VERBOLT_BENCH_CPU set, the times are the processor time of this program,
// which a busy machine disturbs far less than the time on the clock (the X
// server's share is left out).
struct Timing {
  double shown;
  double settled;
};

Timing timed(wxTextCtrl& editor, const std::function<void()>& action) {
  static const bool cpu = std::getenv("VERBOLT_BENCH_CPU") != nullptr;
  const auto start = Clock::now();
  const double cpuStart = processCpuMilliseconds();
  auto elapsed = [&] {
    return cpu ? processCpuMilliseconds() - cpuStart : millisecondsSince(start);
  };
  action();
  untilNextFrame(editor);
  Timing timing;
  timing.shown = elapsed();
  wxTheApp->Yield(true);
  timing.settled = elapsed();
  return timing;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One of the two times of each repeat.
std::vector<double> timesOf(const std::vector<Timing>& timings, double Timing::*which) {
  std::vector<double> values;
  for (const Timing& t : timings) values.push_back(t.*which);
  return values;
}

long residentKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  }
  return -1;
}

// Remembers every value the analysis gives the window's gauge, as the
// toolkit's bar hears it.
class GaugeRecorder {
 public:
  explicit GaugeRecorder(wxGauge& gauge) : m_bar(gauge.GetHandle()), m_range(gauge.GetRange()) {
    m_handler = g_signal_connect(m_bar, "notify::fraction", G_CALLBACK(onFraction), this);
    // The window may go first: the pointer is then cleared.
    g_object_add_weak_pointer(G_OBJECT(m_bar), reinterpret_cast<gpointer*>(&m_bar));
  }
  ~GaugeRecorder() {
    if (!m_bar) return;
    g_signal_handler_disconnect(m_bar, m_handler);
    g_object_remove_weak_pointer(G_OBJECT(m_bar), reinterpret_cast<gpointer*>(&m_bar));
  }
  GaugeRecorder(const GaugeRecorder&) = delete;
  GaugeRecorder& operator=(const GaugeRecorder&) = delete;

  std::vector<int> values;

 private:
  static void onFraction(GtkProgressBar* bar, GParamSpec*, GaugeRecorder* self) {
    self->values.push_back(
        static_cast<int>(std::lround(gtk_progress_bar_get_fraction(bar) * self->m_range)));
  }

  GtkWidget* m_bar;
  int m_range;
  gulong m_handler = 0;
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

  // Ticks or unticks the two switches of the Echoes section, as a click does.
  void switchEchoes(bool on) {
    EchoesControls& echoes = m_frame.Settings().EchoesSection();
    for (wxCheckBox* box : {&echoes.PhrasesBox(), &echoes.OpeningsBox()}) {
      box->SetValue(on);
      wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
      event.SetEventObject(box);
      event.SetInt(on);
      box->GetEventHandler()->ProcessEvent(event);
    }
  }

  void load(const std::string& text) {
    m_frame.Editor().Clear();
    m_frame.Editor().ChangeValue(fromCp1252(text));
    m_text = text;
    settle(3000);  // the text is laid out before anything is timed
  }

  void command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame.GetEventHandler()->ProcessEvent(event);
  }

  // The start of the first occurrence of a word of the Top-100: the most
  // counted one (rank 0), or a later one.
  long frequentWordPosition(size_t rank = 0) {
    const std::string report = toCp1252(m_frame.Top100().GetValue());
    size_t colon = report.find(" : ");
    for (size_t r = 0; r < rank; ++r) colon = report.find(" : ", colon + 3);
    std::string word = report.substr(colon + 3, report.find('\n', colon) - colon - 3);
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

// From now on the editor's text is awaited at `length` characters.
void awaitLength(long length) {
  stamps.awaitedLength = length;
  stamps.lengthReached = 0;
}

// Waits until the awaited text is in the editor and drawn; the milliseconds
// on the clock from `start` to that frame, or -1 when it never came.
double untilShown(gint64 start) {
  const bool shown = pumpUntil(
      [] { return stamps.lengthReached != 0 && stamps.drawn > stamps.lengthReached; }, 60);
  if (!shown) return -1;
  const double milliseconds = static_cast<double>(stamps.drawn - start) / 1000.0;
  const gint64 drawn = stamps.drawn;
  wxTheApp->Yield(true);
  std::printf(
      "  text and key in after %.0f ms, shown after %.0f ms, every line laid out %.0f ms later\n",
      static_cast<double>(stamps.lengthReached - start) / 1000.0, milliseconds,
      static_cast<double>(g_get_monotonic_time() - drawn) / 1000.0);
  return milliseconds;
}

// Pasting a long text, with the writer's keys: Ctrl+V, then one letter,
// timed until both the text and the letter are in the editor and drawn.
double timedPaste(FrameMain& frame, Bench& bench, size_t megabytes) {
  bench.load("");
  const wxString pasted = fromCp1252(benchProse(megabytes << 20));
  if (wxTheClipboard->Open()) {
    wxTheClipboard->SetData(new wxTextDataObject(pasted));
    wxTheClipboard->Close();
  }
  frame.Raise();
  frame.Editor().SetFocus();
  settle(300);
  wxUIActionSimulator input;  // opening its own display connection takes a while
  awaitLength(static_cast<long>(pasted.size()) + 1);
  const gint64 start = g_get_monotonic_time();
  input.Char('v', wxMOD_CONTROL);
  input.Char('q');
  return untilShown(start);
}

// Opening a manuscript with a letter typed at once: the letter waits for
// the file to be read and shown, then goes in before its first word.
double timedOpen(FrameMain& frame, Bench& bench, size_t megabytes) {
  bench.load("");
  const std::string path = "novel-" + std::to_string(megabytes) + "mb.txt";
  std::ofstream(path, std::ios::binary) << benchProse(megabytes << 20);
  frame.Raise();
  frame.Editor().SetFocus();
  settle(300);
  wxUIActionSimulator input;
  awaitLength(-1);
  const gint64 start = g_get_monotonic_time();
  input.Char('q');
  frame.OpenFile(path);
  awaitLength(frame.Editor().GetLastPosition() + 1);
  const double milliseconds = untilShown(start);
  frame.Editor().History()->MarkClean();  // no question about the letter later
  return milliseconds;
}

std::vector<Figure> run() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("verbolt-gui-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);

  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
  frame->Show(true);
  GaugeRecorder gaugeValues(frame->Gauge());
  auto* gauge = &gaugeValues;
  watchEditor(frame->Editor());
  Bench bench(*frame);
  std::vector<Figure> figures;
  constexpr int kRepeats = 5;

  bench.load(benchProse(1 << 20));
  std::vector<Timing> fresh, recoloured, marks, hides, clears;
  for (int i = 0; i < kRepeats; ++i) {
    bench.command(kIdClear);
    settle(300);
    fresh.push_back(timed(frame->Editor(), [&] { bench.command(kIdProcess); }));
    settle(300);
    recoloured.push_back(timed(frame->Editor(), [&] { bench.command(kIdProcess); }));
    settle(300);
  }
  // The same with both echoes on: their goal is 1.3 times F5 without them.
  std::vector<Timing> echoed;
  bench.switchEchoes(true);
  for (int i = 0; i < kRepeats; ++i) {
    bench.command(kIdClear);
    settle(300);
    echoed.push_back(timed(frame->Editor(), [&] { bench.command(kIdProcess); }));
    settle(300);
  }
  bench.switchEchoes(false);
  // The clicks are timed on the colours of F5 without the echoes, as
  // before they came: their ranges would add to every restyle.
  bench.command(kIdProcess);
  settle(300);
  const long rss = residentKilobytes("VmRSS:");
  // Each mark first un-marks the word marked before, as when the writer
  // goes from one word to the next.
  const long word = bench.frequentWordPosition();
  const long otherWord = bench.frequentWordPosition(1);
  // ALT+click greys a word that is not marked, and shows it again.
  const long hiddenWord = bench.frequentWordPosition(2);
  for (int i = 0; i < kRepeats; ++i) {
    frame->Editor().SendWordClick(otherWord, false, false);
    settle(200);
    marks.push_back(
        timed(frame->Editor(), [&] { frame->Editor().SendWordClick(word, false, false); }));
    settle(200);
    hides.push_back(
        timed(frame->Editor(), [&] { frame->Editor().SendWordClick(hiddenWord, false, true); }));
    settle(200);
    frame->Editor().SendWordClick(hiddenWord, false, true);  // shown again for the next round
    settle(200);
  }
  for (int i = 0; i < kRepeats; ++i) {
    bench.command(kIdProcess);
    settle(200);
    clears.push_back(timed(frame->Editor(), [&] { bench.command(kIdClear); }));
    settle(200);
  }
  // F3 reads the editor's colours once after each change, then walks a list.
  std::vector<Timing> firstWalks, nextWalks;
  for (int i = 0; i < kRepeats; ++i) {
    bench.command(kIdProcess);
    settle(200);
    frame->Editor().SetInsertionPoint(0);
    firstWalks.push_back(timed(frame->Editor(), [&] { bench.command(kIdNextFinding); }));
    nextWalks.push_back(timed(frame->Editor(), [&] { bench.command(kIdNextFinding); }));
    settle(200);
  }
  const long marked = bench.frequentWordPosition();
  std::vector<Timing> markedWalks;
  for (int i = 0; i < kRepeats; ++i) {
    frame->Editor().SendWordClick(marked, false, false);
    settle(200);
    markedWalks.push_back(timed(frame->Editor(), [&] { bench.command(kIdNextFinding); }));
    settle(200);
  }
  // On a writer's text the rows carry the goals of real prose.
  const bool real = std::getenv("VERBOLT_BENCH_TEXT") != nullptr;

  auto row = [real](const char* generated, const char* prose) { return real ? prose : generated; };
  auto goal = [real](double generated, double prose) { return real ? prose : generated; };
  // Each command's row is the best time until its result is drawn; the
  // median, and the time until the toolkit has also laid out again every
  // line whose colours changed, which it may do in the background, are
  // printed beside.
  auto addTimed = [&](const char* number, const std::string& what,
                      const std::vector<Timing>& timings, double goalMs) {
    // The least disturbed of the repeats: on a shared machine the others
    // measure the neighbours as much as the program.
    const std::vector<double> shown = timesOf(timings, &Timing::shown);
    const double best = *std::min_element(shown.begin(), shown.end());
    figures.push_back({number, what, best, "ms", goalMs});
    std::printf(
        "  %s: shown after %.0f ms at best, %.0f ms in the median; every line laid out "
        "after %.0f ms\n",
        what.c_str(), best, median(shown), median(timesOf(timings, &Timing::settled)));
  };
  addTimed(row("8", "W1"), "F5 on 1 MB, white text", fresh, goal(1000, 250));
  addTimed(row("8", "W1"), "F5 on 1 MB, already coloured", recoloured, goal(1000, 300));
  const std::vector<double> freshTimes = timesOf(fresh, &Timing::shown);
  addTimed(row("8", "W1"), "F5 on 1 MB, white text, echoes on", echoed,
           1.3 * *std::min_element(freshTimes.begin(), freshTimes.end()));
  addTimed(row("9", "W2"), "click (mark) on 1 MB", marks, goal(300, 100));
  addTimed(row("9", "W2"), "ALT+click on 1 MB", hides, goal(500, 100));
  addTimed(row("9", "W2"), "F6 on 1 MB", clears, goal(300, 100));
  addTimed(row("14", "W2"), "F3 on 1 MB, first after F5", firstWalks, 100);
  addTimed(row("14", "W2"), "F3 on 1 MB, first after a mark", markedWalks, 100);
  addTimed(row("14", "W2"), "F3 on 1 MB, the next ones", nextWalks, 100);

  for (const size_t megabytes : {1, 5}) {
    const double goalMs = megabytes == 1 ? 500.0 : 2000.0;
    const std::string size = std::to_string(megabytes) + " MB";
    figures.push_back({row("12", "W4"), "open " + size + ", until the next key is shown",
                       timedOpen(*frame, bench, megabytes), "ms", goalMs});
    figures.push_back({row("12", "W4"), "paste " + size + ", until the next key is shown",
                       timedPaste(*frame, bench, megabytes), "ms", goalMs});
  }

  bench.load(benchProse(5 << 20));
  gauge->values.clear();
  const Timing large = timed(frame->Editor(), [&] { bench.command(kIdProcess); });
  const long rssLarge = residentKilobytes("VmRSS:");
  addTimed(row("10", "W3"), "F5 on 5 MB", {large}, goal(5000, 1000));
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
      gtk_text_view_get_buffer(GTK_TEXT_VIEW(frame->Editor().GetConnectWidget()));
  frame->Editor().SelectAll();
  gtk_text_buffer_begin_user_action(buffer);
  gtk_text_buffer_delete_selection(buffer, TRUE, TRUE);
  gtk_text_buffer_end_user_action(buffer);
  figures.push_back({row("15", "15"), "undo history after deleting 5 MB",
                     frame->Editor().History()->Bytes() / 1048576.0, "MB",
                     kMaxHistoryBytes / 1048576.0});

  frame->Destroy();
  settle(100);
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(dir);
  return figures;
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

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
  std::printf("%-4s %-40s %15s %-10s %s\n", "fig", "what", "ours", "goal", "met");
  for (const Figure& f : figures) {
    // A goal of 0 asks for more than 10; a negative goal is no goal, the
    // row only tells; a negative value is a measure that never ended.
    const bool hasGoal = f.goal >= 0;
    const bool met = f.value >= 0 && (f.goal == 0 ? f.value > 10 : f.value <= f.goal);
    const std::string goal = !hasGoal ? "-"
                             : f.goal == 0
                                 ? "> 10 " + f.unit
                                 : "<= " + std::to_string(static_cast<int>(f.goal)) + " " + f.unit;
    const std::string verdict = !hasGoal ? "-" : met ? "yes" : "no";
    std::printf("%-4s %-40s %8.0f %-6s %-10s %s\n", f.number.c_str(), f.what.c_str(), f.value,
                f.unit.c_str(), goal.c_str(), verdict.c_str());
    if (out) {
      // number, figure, ours, baseline, ratio, goal, met: the rows of the
      // benchmark table.
      std::fprintf(out, "%s\t%s\t%.0f %s\t-\t-\t%s\t%s\n", f.number.c_str(), f.what.c_str(),
                   f.value, f.unit.c_str(), goal.c_str(), verdict.c_str());
    }
  }
  if (out) std::fclose(out);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
