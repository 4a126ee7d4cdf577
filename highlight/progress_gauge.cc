#include "highlight/progress_gauge.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/event.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/utils.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "analysis/progress.h"

namespace verbolt {

namespace {

using Clock = std::chrono::steady_clock;

// A command shorter than this looks instant: painting it would only flash.
constexpr auto kQuietStart = std::chrono::milliseconds(150);
// About twenty-five pictures a second are enough to see the gauge move.
constexpr auto kPaintInterval = std::chrono::milliseconds(40);

bool commandRunning = false;
bool stoppable = false;
std::atomic<bool> stopRequested = false;
Clock::time_point commandStart;
Clock::time_point lastPaint;

// Outside the program's own loop (tests, benchmarks) a loop made for the
// occasion does the same.
void paintWithoutInput() {
  if (!wxTheApp) return;
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  std::unique_ptr<wxEventLoopBase> madeHere;
  if (!loop) {
    madeHere.reset(wxTheApp->GetTraits()->CreateEventLoop());
    loop = madeHere.get();
  }
  loop->YieldFor(wxEVT_CATEGORY_UI);
}

}  // namespace

StoppableRun::StoppableRun() {
  stoppable = true;
  stopRequested = false;
}

StoppableRun::~StoppableRun() { stoppable = false; }

void requestRunStop() { stopRequested = true; }

void showProgress(wxGauge& gauge, int value) {
  if (stoppable && stopRequested.exchange(false)) throw RunStopped();
  if (gauge.GetValue() != value) gauge.SetValue(value);
  const Clock::time_point now = Clock::now();
  if (value == 0) {
    commandRunning = false;
    return;
  }
  if (!commandRunning) {
    commandRunning = true;
    commandStart = now;
    lastPaint = now;
    return;
  }
  if (now - commandStart < kQuietStart || now - lastPaint < kPaintInterval) return;
  lastPaint = now;
  // Escape is read from the keyboard itself, as often as the gauge is
  // drawn: its key press waits, with the others, until the command ends.
  if (stoppable && wxGetKeyState(WXK_ESCAPE)) throw RunStopped();
  paintWithoutInput();
}

}  // namespace verbolt
