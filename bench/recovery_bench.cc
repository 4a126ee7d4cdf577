// What keeping a recovery copy costs while a writer types into a 5 MB
// novel: the bytes written to the disk per minute of steady typing, and
// the time the window's thread spends on it, which is the longest a key
// can wait. The typing is simulated over ten minutes (five letters a
// second, a pause of three seconds after each sentence, a click elsewhere
// now and then) on the clock the copies keep; the disk writes are real.
// The full copy's read of the editor's text is timed on the real editor.
// Usage: recovery-bench [TEXTFILE]   (under xvfb-run; without a file,
// generated prose)
#include <unistd.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/text_generator.h"
#include "highlight/buffer_changes.h"
#include "highlight/editor_text.h"
#include "recovery/recovery_keeper.h"
#include "ui/frame_main.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr size_t kNovelBytes = 5u << 20;
constexpr int kMinutes = 10;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void settle(int milliseconds) {
  const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < until) {
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(1ms);
  }
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Ten minutes of typing told to a keeper, as the editor tells it.
void simulateTyping(const fs::path& folder, const std::string& utf8) {
  RecoveryKeeper keeper(folder.string());
  keeper.Begin("/books/novel.txt", false);
  int fullCopies = 0;
  auto text = [&] {
    ++fullCopies;
    return utf8;
  };
  std::mt19937 random(1);
  const int64_t length = characterCount(utf8);
  int64_t caret = length / 2;
  std::vector<double> pauses;
  double recordMs = 0;
  long keys = 0;
  const Clock::time_point start = Clock::now();
  RecoveryKeeper::Clock::time_point now = start;
  const char sentence[] = "She said nothing for a while, then looked out again. ";
  while (now - start < std::chrono::minutes(kMinutes)) {
    if (random() % 4 == 0) caret = static_cast<int64_t>(random() % length);
    const auto typing = Clock::now();
    for (const char* letter = sentence; *letter; ++letter) {
      keeper.Record({caret++, 0, std::string(1, *letter)});
      ++keys;
      // A typo now and then, taken back at once.
      if (random() % 20 == 0) keeper.Record({--caret, 1, ""}), ++keys;
    }
    recordMs += millisecondsSince(typing);
    now += std::chrono::milliseconds(200 * (sizeof sentence - 1)) + 3s;
    const auto pause = Clock::now();
    keeper.Pause(text, caret, now);
    pauses.push_back(millisecondsSince(pause));
  }
  keeper.Close(true);
  std::printf("  %ld keys over %d minutes: %.2f us of the window's time a key\n", keys, kMinutes,
              1000 * recordMs / static_cast<double>(keys));
  std::printf(
      "  pauses: %zu, of which full copies: %d; window's time a pause: median %.3f ms, "
      "longest %.1f ms\n",
      pauses.size(), fullCopies, median(pauses), *std::max_element(pauses.begin(), pauses.end()));
  // The first pause writes the whole text once; the rest is the journal,
  // and the full copies of a grown journal.
  const double total = static_cast<double>(keeper.BytesWritten());
  const double afterFirst = total - static_cast<double>(utf8.size());
  std::printf("  written to the disk: %.1f MB in all; after the first full copy, %.1f KB a "
              "minute\n",
              total / 1048576, afterFirst / 1024 / kMinutes);
}

// The full copy's part on the window's thread: the editor's text read out
// of the toolkit, and the copy's bytes made from it.
void timeFullCopyRead(FrameMain& frame, const fs::path& file) {
  frame.OpenFile(wxString::FromUTF8(file.string()));
  settle(500);
  std::vector<double> reads, snapshots;
  for (int i = 0; i < 5; ++i) {
    const auto read = Clock::now();
    RecoveredText copy;
    copy.utf8 = bufferText(frame.Editor());
    reads.push_back(millisecondsSince(read));
    const auto made = Clock::now();
    const std::string bytes = snapshotBytes(copy, 1);
    snapshots.push_back(millisecondsSince(made));
  }
  std::printf(
      "  a full copy on the window's thread: %.1f ms to read the editor's text, "
      "%.1f ms to make the copy's bytes (medians of 5)\n",
      median(reads), median(snapshots));
}

void measure(FrameMain& frame, const fs::path& dir, const std::string& name,
             const std::string& cp1252) {
  std::string prose = cp1252;
  while (prose.size() < kNovelBytes) prose += cp1252;
  prose.resize(kNovelBytes);
  const std::string utf8 = utf8Of(fromCp1252(prose));
  std::printf("%s, %.1f MB\n", name.c_str(), static_cast<double>(utf8.size()) / 1048576);
  simulateTyping(dir / "simulated", utf8);
  const fs::path file = dir / "novel.txt";
  std::ofstream(file, std::ios::binary) << utf8;
  timeFullCopyRead(frame, file);
  std::fflush(stdout);
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  const fs::path dir =
      fs::temp_directory_path() / ("verbolt-recovery-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  fs::current_path(dir);
  int toolkitArgc = 1;
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(toolkitArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "recovery-bench: the toolkit did not start (is there a display?)\n");
    return 1;
  }
  wxLog::SetLogLevel(wxLOG_Info);
  auto* frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
  frame->Show(true);
  settle(500);
  if (argc > 1) {
    std::ifstream in(argv[1], std::ios::binary);
    measure(*frame, dir, argv[1],
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  } else {
    measure(*frame, dir, "generated prose", generateProse(kNovelBytes, 1));
  }
  frame->Destroy();
  settle(200);
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(dir);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
