// What the writer sees of the window, read back from the screen itself:
// backgrounds, the legend's ticks, the gauge at rest and during a long run,
// and the Top-100's columns.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/checkbox.h>
#include <wx/gauge.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <set>
#include <string>
#include <vector>

#include "highlight/gui_test_support.h"
#include "highlight/plan/colours.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"

namespace verbolt {

namespace {

int luminance(Rgb c) { return (299 * c.red + 587 * c.green + 114 * c.blue) / 1000; }

class WindowLooks : public MainWindow {
 protected:
  FrameMain& shown() {
    FrameMain& frame = openFrame();
    EXPECT_TRUE(drawn(frame));
    return frame;
  }
};

TEST_F(WindowLooks, TheToolBarsHaveTheWindowBackground) {
  FrameMain& frame = shown();
  for (int id : {kIdSettingsBar, kIdCommandBar, kIdTop100Bar}) {
    wxWindow* bar = frame.FindWindow(id);
    ASSERT_NE(bar, nullptr);
    // The right end of a bar holds no tool, only its background.
    const wxRect rect = bar->GetScreenRect();
    const std::vector<Rgb> pixels =
        screenPixels(wxRect(rect.GetRight() - 3, rect.y + rect.height / 2, 1, 1));
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0], kWindowBackground) << "bar " << id;
  }
}

// A ticked box fills its square with the theme's strong colour; a box
// painted with its pale section colour shows a white tick on pale, which
// reads as empty.
TEST_F(WindowLooks, ALegendTickStandsOutFromItsColour) {
  FrameMain& frame = shown();
  for (int id : {kSwitchClose, kSwitchDistant, kSwitchWords, kSwitchPhrases}) {
    auto* box = wxDynamicCast(frame.FindWindow(id), wxCheckBox);
    ASSERT_NE(box, nullptr);
    const wxRect rect = box->GetScreenRect();
    const wxRect square(rect.x, rect.y, std::min(24, rect.width), rect.height);
    auto darkPixels = [&] {
      int dark = 0;
      for (Rgb pixel : screenPixels(square)) dark += luminance(pixel) < 180;
      return dark;
    };
    box->SetValue(true);
    ASSERT_TRUE(drawn(*box));
    const int ticked = darkPixels();
    box->SetValue(false);
    ASSERT_TRUE(drawn(*box));
    const int unticked = darkPixels();
    EXPECT_GT(ticked, unticked + 60) << "box " << id;
    // Its section colour is still behind it.
    const std::vector<Rgb> label = screenPixels(wxRect(rect.GetRight() - 2, rect.y + 2, 1, 1));
    ASSERT_EQ(label.size(), 1u);
    EXPECT_NE(label[0], kWindowBackground) << "box " << id;
  }
}

TEST_F(WindowLooks, TheGaugeShowsItsEmptyTroughAtRest) {
  FrameMain& frame = shown();
  ASSERT_EQ(frame.Gauge().GetValue(), 0);
  int trough = 0;
  const std::vector<Rgb> pixels = screenPixels(frame.Gauge().GetScreenRect());
  for (Rgb pixel : pixels) trough += pixel != kWindowBackground;
  EXPECT_GT(trough, static_cast<int>(pixels.size()) / 2);
}

// The counts are right-aligned with spaces, so the colons of every main
// line stand in one column.
TEST_F(WindowLooks, TheTop100CountsLineUp) {
  FrameMain& frame = shown();
  std::string text;
  for (int i = 0; i < 120; ++i) text += "mot ";
  for (int i = 0; i < 12; ++i) text += "phrase ";
  text += "unique.\n";
  setText(text);
  command(kIdProcess);
  const std::string pane = toCp1252(frame.Top100().GetValue());
  std::set<int> colonColumns;
  for (size_t colon = pane.find(':'); colon != std::string::npos;
       colon = pane.find(':', colon + 1)) {
    ASSERT_TRUE(
        waitFor([&] { return frame.Top100().PositionToCoords(static_cast<long>(colon)).x > 0; }));
    colonColumns.insert(frame.Top100().PositionToCoords(static_cast<long>(colon)).x);
  }
  EXPECT_EQ(colonColumns.size(), 1u) << pane;
}

// A similar word too long for the pane goes on under its family's words,
// never at the margin where a counted word starts.
TEST_F(WindowLooks, ALongFamilyWordStaysIndented) {
  FrameMain& frame = shown();
  std::string text;
  for (int i = 0; i < 5; ++i) text += "revolution ";
  text += "revolutionaries.\n";
  setText(text);
  command(kIdProcess);
  const std::string pane = toCp1252(frame.Top100().GetValue());
  const size_t family = pane.find("revolutionaries");
  ASSERT_NE(family, std::string::npos) << pane;
  ASSERT_EQ(pane.substr(family - 8, 8), "\n       ") << pane;
  wxTextCtrl& top100 = frame.Top100();
  const long word = static_cast<long>(family);
  ASSERT_TRUE(waitFor([&] { return top100.PositionToCoords(word).x >= 0; }));
  const int indent = top100.GetTextExtent(wxString(' ', 7)).x;
  // The first character of the pane, at the start of a counted line.
  const wxPoint main = top100.PositionToCoords(0);
  const wxPoint wrapped = top100.PositionToCoords(word);
  // The word does not fit on the line of its spaces: it went on below...
  EXPECT_GT(wrapped.y, top100.PositionToCoords(word - 1).y) << pane;
  // ...under the family's indent.
  EXPECT_GE(wrapped.x - main.x, indent - 1);
  // A counted word that fits keeps its line whole: the indent takes no
  // room from the lines that need none.
  const long counted = static_cast<long>(pane.find("revolution"));
  EXPECT_EQ(top100.PositionToCoords(counted).y, top100.PositionToCoords(counted + 9).y) << pane;
}

// A long run lets GTK draw the gauge as it fills; the keys typed meanwhile
// wait and land after the run, in their order.
class LongRun : public WindowLooks {
 protected:
  // Settings under which every word is similar to every other: the run on
  // a few hundred kilobytes takes long enough to watch.
  void slowSettings() {
    numberField(&AnalysisSettings::m_sameNbLetters)->ChangeValue("0");
    numberField(&AnalysisSettings::m_samePercent)->ChangeValue("0");
    numberField(&AnalysisSettings::m_distantDistance)->ChangeValue("99999");
    numberField(&AnalysisSettings::m_distantNb)->ChangeValue("99");
  }
  // Words of two to four syllables, thousands of them, in a fixed order.
  std::string longText() {
    const char* syllables[] = {"ba", "ce", "di", "fo", "gu",  "la",  "me",  "ni",  "po",  "ru",
                               "sa", "te", "vi", "zo", "mar", "lin", "tor", "ven", "cal", "dus"};
    std::string text;
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
      seed = seed * 1103515245u + 12345u;
      return (seed >> 16) % range;
    };
    for (int i = 0; text.size() < 200000; ++i) {
      const unsigned count = 2 + next(3);
      for (unsigned s = 0; s < count; ++s) text += syllables[next(20)];
      text += i % 13 == 12 ? ".\n" : " ";
    }
    return text;
  }
};

void recordDrawnFraction(GtkWidget* widget, cairo_t*, gpointer fractions) {
  static_cast<std::vector<double>*>(fractions)->push_back(
      gtk_progress_bar_get_fraction(GTK_PROGRESS_BAR(widget)));
}

TEST_F(LongRun, TheGaugeIsDrawnAsItFills) {
  FrameMain& frame = shown();
  slowSettings();
  setText(longText());
  settle();
  std::vector<double> drawn;
  const gulong handler = g_signal_connect_after(frame.Gauge().GetHandle(), "draw",
                                                G_CALLBACK(recordDrawnFraction), &drawn);
  command(kIdProcess);
  g_signal_handler_disconnect(frame.Gauge().GetHandle(), handler);
  std::set<double> duringTheRun;
  for (double fraction : drawn) {
    if (fraction > 0) duringTheRun.insert(fraction);
  }
  EXPECT_GE(duringTheRun.size(), 2u) << "the gauge was drawn " << drawn.size() << " times";
  EXPECT_EQ(frame.Gauge().GetValue(), 0);
}

struct Sightings {
  GtkWidget* editor;
  std::vector<bool> shown;
};

void recordEditorShown(GObject*, GParamSpec*, gpointer data) {
  auto* sightings = static_cast<Sightings*>(data);
  sightings->shown.push_back(gtk_widget_get_mapped(sightings->editor));
}

// While a long run colours the text, or marks a word in it, the writer
// keeps the text in sight: the editor is never taken off the screen.
TEST_F(LongRun, TheTextStaysInSightWhileItIsColouredAndMarked) {
  FrameMain& frame = shown();
  slowSettings();
  const std::string text = longText();
  setText(text);
  settle();
  Sightings sightings{frame.Editor().GetHandle(), {}};
  // Each step of the gauge, as the run sets it.
  const gulong handler = g_signal_connect(frame.Gauge().GetHandle(), "notify::fraction",
                                          G_CALLBACK(recordEditorShown), &sightings);
  command(kIdProcess);
  const size_t duringF5 = sightings.shown.size();
  clickAt(frame.Editor(), 3);
  ASSERT_FALSE(frame.MarkedWord().empty());
  g_signal_handler_disconnect(frame.Gauge().GetHandle(), handler);
  EXPECT_GE(duringF5, 2u);
  EXPECT_GT(sightings.shown.size(), duringF5) << "the gauge did not move while marking";
  for (size_t i = 0; i < sightings.shown.size(); ++i) {
    EXPECT_TRUE(sightings.shown[i]) << "hidden at gauge step " << i << " of "
                                    << sightings.shown.size() << " (F5's: " << duringF5 << ")";
  }
}

TEST_F(LongRun, KeysTypedDuringARunLandAfterItInOrder) {
  FrameMain& frame = shown();
  slowSettings();
  const std::string text = "\n" + longText();
  setText(text);
  command(kIdProcess);
  std::vector<Rgb> colours;
  for (long i = 0; i < 300; ++i) colours.push_back(colourAt(i));
  command(kIdClear);

  clickAt(frame.Editor(), 0);
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  wxUIActionSimulator input;
  input.Char(WXK_F5);
  input.Text("xyz");
  ASSERT_TRUE(
      waitFor([&] { return toCp1252(frame.Editor().GetValue()).rfind("xyz", 0) == 0; }, 20000));
  EXPECT_EQ(toCp1252(frame.Editor().GetValue()), "xyz" + text);
  // The run saw the text before the keys: its colours moved with the words,
  // and the new word has none.
  for (long i = 0; i < 3; ++i) EXPECT_EQ(colourAt(i), kWhite) << i;
  for (long i = 0; i < 300; ++i) ASSERT_EQ(colourAt(i + 3), colours[i]) << i;
}

}  // namespace

}  // namespace verbolt
