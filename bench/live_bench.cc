// Times colour as you type in the real main window on a (virtual)
// display: a key typed in the middle of a coloured novel, from the key to
// the frame that shows its colours, and a chapter pasted into it; the same
// keys with the colours left alone, for comparison.
// Usage: live-bench   (run it under xvfb-run)
// With VERBOLT_BENCH_TEXT naming a Windows-1252 text file, the texts are
// taken from it (repeated when it is shorter) instead of generated.
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "bench/text_generator.h"
#include "bench/window_pump.h"
#include "highlight/editor_text.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/text_ctrl_custom.h"

using namespace verbolt;

namespace {

gint64 lastDrawn = 0;
// The part of the last timed edit's time spent until its colours were
// painted, before the frame.
std::vector<double> paintedTimes;

gboolean stampDraw(GtkWidget*, cairo_t*, gpointer) {
  lastDrawn = g_get_monotonic_time();
  return FALSE;
}

// Until the toolkit has had nothing to do for a while: after F5 it lays out
// every recoloured line again in the background, which would be timed with
// the first keys otherwise.
void settle() {
  gint64 quietSince = g_get_monotonic_time();
  pumpUntil([&quietSince] {
    if (g_main_context_pending(nullptr)) quietSince = g_get_monotonic_time();
    return g_get_monotonic_time() - quietSince > 300 * 1000;
  });
}

void command(FrameMain& frame, int id) {
  wxCommandEvent event(wxEVT_MENU, id);
  frame.GetEventHandler()->ProcessEvent(event);
}

// From the edit to the first frame drawn once its colours are painted, in
// milliseconds; `edit` changes the buffer as a key or a paste does.
double timedEdit(FrameMain& frame, const std::function<void(GtkTextBuffer*)>& edit) {
  GtkWidget* view = frame.Editor().GetConnectWidget();
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
  const gint64 start = g_get_monotonic_time();
  edit(buffer);
  pumpUntil([&] { return !frame.ColoursDue(); });
  const gint64 painted = g_get_monotonic_time();
  paintedTimes.push_back((painted - start) / 1000.0);
  gtk_widget_queue_draw(view);
  pumpUntil([&] { return lastDrawn > painted; });
  return (lastDrawn - start) / 1000.0;
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(p * values.size()))];
}

// Keys typed at the caret in the middle of the text: a letter, then a
// backspace, so that the text stays as it was.
std::vector<double> timedKeys(FrameMain& frame, int keys) {
  std::vector<double> times;
  for (int i = 0; i < keys; ++i) {
    const bool letter = i % 2 == 0;
    times.push_back(timedEdit(frame, [letter](GtkTextBuffer* buffer) {
      if (letter) {
        gtk_text_buffer_insert_interactive_at_cursor(buffer, "e", 1, TRUE);
      } else {
        GtkTextIter caret;
        gtk_text_buffer_get_iter_at_mark(buffer, &caret, gtk_text_buffer_get_insert(buffer));
        gtk_text_buffer_backspace(buffer, &caret, TRUE, TRUE);
      }
    }));
  }
  return times;
}

// A sentence typed at the caret key by key, each key timed.
std::vector<double> timedSentence(FrameMain& frame, const std::string& sentence) {
  std::vector<double> times;
  for (char c : sentence) {
    times.push_back(timedEdit(frame, [c](GtkTextBuffer* buffer) {
      gtk_text_buffer_insert_interactive_at_cursor(buffer, &c, 1, TRUE);
    }));
  }
  return times;
}

void report(const char* what, const std::vector<double>& times) {
  std::printf("%-52s p50 %7.1f ms   p95 %7.1f ms   max %7.1f ms  (painted: p50 %.1f ms)\n", what,
              percentile(times, 0.5), percentile(times, 0.95),
              *std::max_element(times.begin(), times.end()), percentile(paintedTimes, 0.5));
  paintedTimes.clear();
}

void run() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("verbolt-live-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);

  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
  frame->Show(true);
  g_signal_connect_after(frame->Editor().GetConnectWidget(), "draw", G_CALLBACK(stampDraw),
                         nullptr);
  for (const size_t megabytes : {1, 5}) {
    const std::string text = benchProse(megabytes << 20);
    frame->Editor().Clear();
    frame->Editor().ChangeValue(fromCp1252(text));
    command(*frame, kIdProcess);
    // A place in the middle, at the start of a word.
    long middle = static_cast<long>(text.size() / 2);
    while (middle < static_cast<long>(text.size()) && text[middle] != ' ') ++middle;
    frame->Editor().SetInsertionPoint(middle + 1);
    frame->Editor().ShowPosition(middle + 1);
    settle();
    char what[96];
    std::snprintf(what, sizeof what, "key, colours left alone, %zu MB", megabytes);
    report(what, timedKeys(*frame, 40));
    command(*frame, kIdColourAsYouType);
    pumpUntil([&] { return !frame->ColoursDue(); });
    settle();
    std::snprintf(what, sizeof what, "key to coloured frame, as you type, %zu MB", megabytes);
    report(what, timedKeys(*frame, 100));
    if (megabytes == 1) {
      // A chapter of 5,000 words from the text itself.
      const std::string chapter = text.substr(0, text.find(' ', 30000));
      std::vector<double> pastes;
      for (int i = 0; i < 5; ++i) {
        pastes.push_back(timedEdit(*frame, [&](GtkTextBuffer* buffer) {
          const std::string utf8 = fromCp1252(chapter).ToStdString(wxConvUTF8);
          gtk_text_buffer_insert_interactive_at_cursor(buffer, utf8.data(),
                                                       static_cast<gint>(utf8.size()), TRUE);
        }));
      }
      report("paste of a 5,000-word chapter, as you type, 1 MB", pastes);
    }
    {
      // A sentence typed key by key at the end of a word, then taken back:
      // the words in the making are new words, some of whose families run
      // through the text.
      const std::string sentence = " And he said unto them, Behold the house of the Lord.";
      frame->Editor().SetInsertionPoint(middle);
      frame->Editor().ShowPosition(middle);
      settle();
      std::snprintf(what, sizeof what, "a sentence typed, as you type, %zu MB", megabytes);
      report(what, timedSentence(*frame, sentence));
      frame->Editor().Remove(middle, middle + static_cast<long>(sentence.size()));
      frame->Editor().SetInsertionPoint(middle + 1);
      frame->Editor().ShowPosition(middle + 1);
      pumpUntil([&] { return !frame->ColoursDue(); });
      settle();
    }
    command(*frame, kIdColourAsYouType);
    settle();
  }
  // A paragraph of 21,700 characters, white and then coloured: GTK lays
  // out a paragraph whole, with every tag toggle in it, at each key.
  {
    std::string paragraph = benchProse(1 << 20).substr(0, 21700);
    std::replace(paragraph.begin(), paragraph.end(), '\n', ' ');
    frame->Editor().Clear();
    frame->Editor().ChangeValue(fromCp1252(paragraph + "\n" + paragraph + "\n"));
    frame->Editor().SetInsertionPoint(10000);
    frame->Editor().ShowPosition(10000);
    settle();
    report("key in that paragraph without colours", timedKeys(*frame, 20));
    command(*frame, kIdProcess);
    frame->Editor().SetInsertionPoint(10000);
    frame->Editor().ShowPosition(10000);
    settle();
    report("key in a coloured paragraph of 21,700 characters", timedKeys(*frame, 20));
    command(*frame, kIdColourAsYouType);
    pumpUntil([&] { return !frame->ColoursDue(); });
    settle();
    report("the same, as you type", timedKeys(*frame, 20));
    // Keys whose colours change the paragraph's tags: a sentence that
    // repeats its own words.
    report("a sentence typed in it, as you type",
           timedSentence(*frame, " The garden was green, and the garden was quiet."));
    command(*frame, kIdColourAsYouType);
  }
  frame->Destroy();
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

}  // namespace

int main(int, char** argv) {
  int toolkitArgc = 1;
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "live-bench: the toolkit did not start (is there a display?)\n");
    return 1;
  }
  wxLog::SetLogLevel(wxLOG_Info);
  run();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
