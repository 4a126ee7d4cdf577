// The application object keeps the window and the writer's work when a
// command fails or the desktop session ends.
#include "ui/guarded_app.h"

#include <gtest/gtest.h>
#include <wx/gauge.h>
#include <wx/statusbr.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>

#include "highlight/progress_gauge.h"
#include "settings/configuration.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"
#include "ui/run_analysis.h"

namespace verbolt {

namespace {

AnalysisResult runOutOfMemory(std::string_view, const AnalysisSettings&,
                              const ProgressSink& progress) {
  progress(30);
  throw std::bad_alloc();
}

// As long as the pass over a huge text: the writer presses Escape at its
// start, and it gives the gauge its values until it is stopped, or for ten
// seconds.
bool passRanOut = false;
AnalysisResult runUntilStopped(std::string_view, const AnalysisSettings&,
                               const ProgressSink& progress) {
  wxUIActionSimulator().KeyDown(WXK_ESCAPE);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    progress(20);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  passRanOut = true;
  return {};
}

// A signal's handler asks the run to stop, from the event loop.
AnalysisResult stopAsked(std::string_view, const AnalysisSettings&, const ProgressSink& progress) {
  requestRunStop();
  progress(10);
  passRanOut = true;
  return {};
}

AnalysisResult failWithAMessage(std::string_view, const AnalysisSettings&, const ProgressSink&) {
  throw std::runtime_error("the engine gave up");
}

AnalysisResult failWithoutAMessage(std::string_view, const AnalysisSettings&, const ProgressSink&) {
  throw 42;
}

// Closes the fixture's window in the test; the fixture must not again.
class GuardedWindow : public MainWindow {
 protected:
  void TearDown() override {
    setAnalysisPass(nullptr);
    MainWindow::TearDown();
  }

  bool frameIsGone() const {
    return std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), m_frame) ==
           wxTopLevelWindows.end();
  }

  void waitUntilFrameIsGone() {
    ASSERT_TRUE(waitFor([this] { return frameIsGone(); }, 10000));
    m_frame = nullptr;
  }

  std::string storedLine(const std::string& key) {
    std::string text = readFile(configPath());
    size_t at = text.find(key + " = ");
    return at == std::string::npos ? "" : text.substr(at, text.find('\n', at) - at);
  }
};

TEST_F(GuardedWindow, ACommandOutOfMemoryIsReportedOnceAndTheWindowGoesOn) {
  FrameMain& frame = openFrame();
  setText("Le chat et le chat.");
  numberField(&AnalysisSettings::m_closeDistance)->ChangeValue("250");
  setAnalysisPass(runOutOfMemory);
  command(kIdProcess);

  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].message.find("not enough memory"), wxString::npos)
      << messageBoxes[0].message;
  EXPECT_NE(messageBoxes[0].message.find("unchanged"), wxString::npos);
  EXPECT_TRUE(messageBoxes[0].style & wxICON_ERROR);
  EXPECT_EQ(toCp1252(frame.Editor().GetValue()), "Le chat et le chat.");
  EXPECT_EQ(numberField(&AnalysisSettings::m_closeDistance)->GetValue(), "250");
  EXPECT_EQ(frame.Gauge().GetValue(), 0);
  EXPECT_TRUE(frame.Editor().IsShown());

  // The window still works, and the settings are saved at exit.
  setAnalysisPass(nullptr);
  command(kIdProcess);
  EXPECT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(colourAt(3), kWhite);
  closeFrame();
  EXPECT_EQ(storedLine("m_closeDistance"), "m_closeDistance = 250");
}

TEST_F(GuardedWindow, EscapeStopsAProcessAndLeavesTheColoursAsTheyWere) {
  FrameMain& frame = openFrame();
  setText("Le chat et le chat.");
  command(kIdProcess);
  const Rgb coloured = colourAt(3);
  ASSERT_NE(coloured, kWhite);
  const wxString top100 = frame.Top100().GetValue();

  for (AnalysisPassFunction pass : {runUntilStopped, stopAsked}) {
    passRanOut = false;
    setAnalysisPass(pass);
    command(kIdProcess);
    wxUIActionSimulator().KeyUp(WXK_ESCAPE);
    EXPECT_FALSE(passRanOut);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(kWhereField),
              "Stopped: the text and its colours are as they were");
    EXPECT_EQ(colourAt(3), coloured);
    EXPECT_EQ(frame.Top100().GetValue(), top100);
    EXPECT_EQ(frame.Gauge().GetValue(), 0);
    EXPECT_EQ(toCp1252(frame.Editor().GetValue()), "Le chat et le chat.");
  }
  // The next F5 runs whole.
  setAnalysisPass(nullptr);
  setText("Un chien, un chien.");
  command(kIdProcess);
  EXPECT_NE(colourAt(4), kWhite);
}

TEST_F(GuardedWindow, FailuresOfOtherKindsAreNamedInTheMessage) {
  openFrame();
  setAnalysisPass(failWithAMessage);
  command(kIdProcess);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].message.find("the engine gave up"), wxString::npos);
  setAnalysisPass(failWithoutAMessage);
  command(kIdProcess);
  ASSERT_EQ(messageBoxes.size(), 2u);
  EXPECT_NE(messageBoxes[1].message.find("an unexpected error"), wxString::npos);
}

TEST_F(GuardedWindow, TheEndOfTheSessionClosesTheWindowTheNormalWay) {
  openFrame();
  numberField(&AnalysisSettings::m_closeDistance)->ChangeValue("250");
  wxCloseEvent end(wxEVT_END_SESSION);
  wxTheApp->ProcessEvent(end);
  waitUntilFrameIsGone();
  EXPECT_EQ(storedLine("m_closeDistance"), "m_closeDistance = 250");
}

}  // namespace

}  // namespace verbolt
