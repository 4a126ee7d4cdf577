// The application object keeps the window and the writer's work when a
// command fails or the desktop session ends.
#include "ui/guarded_app.h"

#include <gtest/gtest.h>
#include <wx/gauge.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <stdexcept>

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
