#include "highlight/progress_gauge.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/event.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>

#include <chrono>
#include <memory>

namespace verbolt {

namespace {

using Clock = std::chrono::steady_clock;

// A command shorter than this looks instant: painting it would only flash.
constexpr auto kQuietStart = std::chrono::milliseconds(150);
// About twenty-five pictures a second are enough to see the gauge move.
constexpr auto kPaintInterval = std::chrono::milliseconds(40);

bool commandRunning = false;
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

void showProgress(wxGauge& gauge, int value) {
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
  paintWithoutInput();
}

}  // namespace verbolt
