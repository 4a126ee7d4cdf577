// The overview strip and the palettes in the real window: marks read back
// from the strip and from the screen, clicks made with the mouse.
#include "ui/overview_strip.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "highlight/gui_test_support.h"
#include "highlight/plan/colour_vision.h"
#include "highlight/plan/palette.h"
#include "highlight/restyle.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"
#include "ui/spread_chart.h"

namespace verbolt {

namespace {

// A word no other word of the text resembles: its letters are those of
// `n` in base 26, the one that changes most first.
std::string uniqueWord(int n) {
  std::string word;
  for (int i = 0; i < 5; ++i, n /= 26) word += static_cast<char>('a' + n % 26);
  return word;
}

// `lines` lines of words that never come back, and on line `echoLine` the
// text's only repetition.
std::string textWithOneRepetition(int lines, int echoLine) {
  std::string text;
  for (int line = 0; line < lines; ++line) {
    if (line == echoLine) {
      text += "suddenly, suddenly.\n";
      continue;
    }
    for (int w = 0; w < 3; ++w) text += uniqueWord(line * 3 + w) + (w < 2 ? " " : ".\n");
  }
  return text;
}

class OverviewWindow : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    removeViewChoices();
  }
  void TearDown() override {
    MainWindow::TearDown();
    setActivePalette(PaletteName::kStandard);
    removeViewChoices();
  }

  static std::filesystem::path viewChoicesPath() {
    const char* home = std::getenv("XDG_CONFIG_HOME");
    return std::filesystem::path(home ? home : ".") / "verbolt" / "view.txt";
  }
  static void removeViewChoices() {
    std::error_code ignored;
    std::filesystem::remove(viewChoicesPath(), ignored);
  }

  OverviewStrip& strip() { return m_frame->Overview(); }

  // Whether the character at `position` lies in the part of the text on
  // screen.
  bool inView(long position) {
    wxTextCtrl& editor = m_frame->Editor();
    const wxSize size = editor.GetClientSize();
    long first = 0, last = 0;
    editor.HitTest(wxPoint(0, 0), &first);
    editor.HitTest(wxPoint(size.x - 1, size.y - 1), &last);
    return first <= position && position <= last;
  }

  // The pixels of the word at `position` as the screen shows it.
  std::vector<Rgb> wordPixels(long position) {
    wxTextCtrl& editor = m_frame->Editor();
    const wxPoint at = editor.ClientToScreen(editor.PositionToCoords(position));
    return screenPixels(wxRect(at.x, at.y + 2, 30, 8));
  }

  static bool shows(const std::vector<Rgb>& pixels, Rgb colour) {
    return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
  }
};

// The only repetition is far below the part on screen: F5 marks it on the
// strip, and a click on the mark brings its yellow words into view.
TEST_F(OverviewWindow, AClickOnAMarkBringsItsWordsIntoView) {
  FrameMain& frame = openFrame();
  const std::string text = textWithOneRepetition(400, 230);
  setText(text);
  frame.Editor().SetInsertionPoint(0);
  frame.Editor().ShowPosition(0);
  const long echo = static_cast<long>(text.find("suddenly"));
  EXPECT_FALSE(strip().IsShown()) << "a text without colour has no strip";
  command(kIdProcess);
  ASSERT_TRUE(waitFor([&] { return strip().IsShown() && !strip().Marks().empty(); }));
  ASSERT_TRUE(settle());
  ASSERT_TRUE(drawn(strip()));
  ASSERT_EQ(strip().Marks().size(), 1u);
  const StripMark mark = strip().Marks().front();
  const Rgb close = classColour(HighlightClass::kClose);
  EXPECT_EQ(mark.colour, close);
  const int rows = strip().GetClientSize().y;
  EXPECT_EQ(mark.first, rowOf(echo, frame.Editor().GetLastPosition(), rows));
  ASSERT_FALSE(inView(echo));

  // The strip itself shows the mark in its colour, framed in a darker one.
  const wxRect onScreen = strip().GetScreenRect();
  const std::vector<Rgb> column =
      screenPixels(wxRect(onScreen.x + OverviewStrip::kWidth / 2, onScreen.y, 1, rows));
  ASSERT_EQ(column.size(), static_cast<size_t>(rows));
  EXPECT_EQ(column[static_cast<size_t>(mark.first)], close);
  EXPECT_FALSE(shows(std::vector<Rgb>(column.begin(), column.begin() + mark.first - 3), close));

  wxUIActionSimulator mouse;
  const wxPoint target(onScreen.x + OverviewStrip::kWidth / 2, onScreen.y + mark.first);
  mouse.MouseMove(target);
  waitFor([&] { return wxGetMousePosition() == target; });
  mouse.MouseClick();
  ASSERT_TRUE(waitFor([&] { return inView(echo); })) << "the click did not scroll";
  ASSERT_TRUE(drawn(frame.Editor()));
  EXPECT_TRUE(shows(wordPixels(echo), close));
  // The frame of the part on screen has moved down to the mark.
  const auto [first, last] = strip().VisibleRows();
  EXPECT_LE(first, mark.first);
  EXPECT_GE(last, mark.first);
}

// Dragging over the strip scrolls along, also when the pointer strays off
// its narrow width; letting go leaves the text where it is.
TEST_F(OverviewWindow, DraggingScrollsAlong) {
  FrameMain& frame = openFrame();
  const std::string text = textWithOneRepetition(600, 30);
  setText(text);
  command(kIdProcess);
  ASSERT_TRUE(waitFor([&] { return strip().IsShown(); }));
  ASSERT_TRUE(settle());
  const wxRect onScreen = strip().GetScreenRect();
  const int rows = strip().GetClientSize().y;
  const long length = frame.Editor().GetLastPosition();
  auto pointAt = [&](int row, int aside) {
    return wxPoint(onScreen.x + OverviewStrip::kWidth / 2 + aside, onScreen.y + row);
  };
  wxUIActionSimulator mouse;
  auto moveTo = [&](wxPoint point) {
    mouse.MouseMove(point);
    waitFor([&] { return wxGetMousePosition() == point; });
  };
  moveTo(pointAt(2, 0));
  mouse.MouseDown();
  for (int row = 10; row <= rows / 2; row += 10) moveTo(pointAt(row, 0));
  EXPECT_TRUE(waitFor([&] { return inView(positionAtRow(rows / 2, length, rows)); }));
  for (int row = rows / 2; row < rows - 3; row += 10) moveTo(pointAt(row, 40));
  moveTo(pointAt(rows - 3, 40));
  EXPECT_TRUE(waitFor([&] { return inView(length - 5); })) << "the drag stopped off the strip";
  mouse.MouseUp();
  ASSERT_TRUE(settle());
  moveTo(pointAt(rows / 4, 40));
  ASSERT_TRUE(settle());
  EXPECT_TRUE(inView(length - 5)) << "no button, no scrolling";
}

// Marks, clearing and edits each bring the strip up to date; the View
// menu hides it, and the next start remembers.
TEST_F(OverviewWindow, FollowsEveryChangeAndHidesOnRequest) {
  FrameMain& frame = openFrame();
  const std::string text = textWithOneRepetition(300, 150);
  setText(text);
  const long echo = static_cast<long>(text.find("suddenly"));
  command(kIdProcess);
  ASSERT_TRUE(waitFor([&] { return strip().IsShown(); }));
  auto markIs = [&](Rgb colour) {
    return waitFor(
        [&] { return strip().Marks().size() == 1 && strip().Marks().front().colour == colour; });
  };
  clickAt(frame.Editor(), echo + 2);
  EXPECT_TRUE(markIs(markedColour(HighlightClass::kClose)));

  // A chapter pasted above moves the mark down, with no new analysis.
  frame.Editor().SetInsertionPoint(0);
  frame.Editor().WriteText(wxString::FromAscii(text.substr(0, text.size() / 2).c_str()));
  const long moved = echo + static_cast<long>(text.size() / 2);
  ASSERT_TRUE(waitFor([&] {
    const int rows = strip().GetClientSize().y;
    return strip().Marks().size() == 1 &&
           strip().Marks().front().first == rowOf(moved, frame.Editor().GetLastPosition(), rows);
  }));

  command(kIdClear);
  EXPECT_TRUE(waitFor([&] { return !strip().IsShown(); })) << "no colour, no strip";
  command(kIdProcess);
  ASSERT_TRUE(waitFor([&] { return strip().IsShown(); }));

  frame.GetMenuBar()->Check(kIdOverviewStrip, false);
  command(kIdOverviewStrip);
  EXPECT_FALSE(strip().IsShown());
  EXPECT_EQ(readFile(viewChoicesPath()), "strip off\npalette standard\n");
  closeFrame();
  openFrame();
  EXPECT_FALSE(strip().IsWanted());
  EXPECT_FALSE(m_frame->GetMenuBar()->IsChecked(kIdOverviewStrip));
}

// A marked word bunched in one chapter: the chart under the Top-100 shows
// its count and tall bars there, nothing elsewhere.
TEST_F(OverviewWindow, TheSpreadOfAMarkedWordShowsWhereItBunches) {
  FrameMain& frame = openFrame();
  std::string text = textWithOneRepetition(400, -1);
  const size_t chapter = text.size() / 4;
  for (int i = 0; i < 6; ++i) text.insert(text.find('\n', chapter + 40 * i) + 1, "suddenly\n");
  setText(text);
  command(kIdProcess);
  // The strip comes once the colours are painted, and narrows the editor.
  ASSERT_TRUE(waitFor([&] { return strip().IsShown(); }));
  ASSERT_TRUE(settle());
  EXPECT_FALSE(frame.Spread().ShowsAWord()) << "nothing marked";
  const long first = static_cast<long>(text.find("suddenly"));
  clickAt(frame.Editor(), first + 1);
  ASSERT_TRUE(waitFor([&] { return frame.Spread().ShowsAWord(); }));
  ASSERT_TRUE(settle());
  const WordSpread& spread = frame.Spread().Spread();
  EXPECT_EQ(spread.word, "suddenly");
  EXPECT_EQ(spread.count, 6);
  ASSERT_EQ(static_cast<int>(spread.counts.size()), frame.Spread().Stretches());
  const size_t busiest = static_cast<size_t>(
      std::max_element(spread.counts.begin(), spread.counts.end()) - spread.counts.begin());
  // A quarter down, in one or two stretches of the fifty or so.
  const size_t quarter = spread.counts.size() / 4;
  for (size_t i = 0; i < spread.counts.size(); ++i) {
    if (i + 1 < quarter || i > quarter + 2) {
      EXPECT_EQ(spread.counts[i], 0) << i;
    }
  }
  EXPECT_GE(spread.counts[busiest], 3);

  ASSERT_TRUE(drawn(frame.Spread()));
  const wxRect chart = frame.Spread().GetScreenRect();
  const int row = chart.y + frame.Spread().BarsBottom() - 2;
  auto barAt = [&](size_t stretch) {
    const int x = chart.x + static_cast<int>(stretch) * SpreadChart::kBarWidth;
    return screenPixels(wxRect(x, row, 1, 1)).front();
  };
  EXPECT_EQ(barAt(busiest), kMarkedWithoutClass);
  EXPECT_NE(barAt(busiest + 3), kMarkedWithoutClass);
  EXPECT_NE(barAt(0), kMarkedWithoutClass);

  // The exported page draws the same spread, and the most used words'.
  const std::string page = (m_dir / "spread.html").string();
  fileDialogAnswers = {wxString::FromUTF8(page)};
  command(kIdExportHtml);
  const std::string html = readFile(page);
  EXPECT_NE(html.find("Where the words fall"), std::string::npos);
  EXPECT_NE(html.find("<figcaption>&quot;suddenly&quot;: 6 times</figcaption>"), std::string::npos)
      << html.substr(html.find("spreads"), 400);

  command(kIdClear);
  EXPECT_TRUE(waitFor([&] { return !frame.Spread().ShowsAWord(); }));
  ASSERT_TRUE(drawn(frame.Spread()));
  EXPECT_NE(barAt(busiest), kMarkedWithoutClass) << "a blank chart";
}

// Each word keeps its state when the palette changes; the dark one gives
// the editor light text that reads on every highlight, and is remembered.
TEST_F(OverviewWindow, APaletteRecoloursEveryStateAndIsRemembered) {
  FrameMain& frame = openFrame();
  const std::string text = "Suddenly the rain came, suddenly it stopped; the rain was gone.";
  setText(text);
  command(kIdProcess);
  const long suddenly = 0;
  const long rain = static_cast<long>(text.find("rain"));
  ASSERT_EQ(colourAt(suddenly + 1), classColour(HighlightClass::kClose));
  clickAt(frame.Editor(), rain + 1);
  ASSERT_EQ(colourAt(rain + 1), markedColour(HighlightClass::kClose));

  frame.GetMenuBar()->Check(kIdPaletteDark, true);
  command(kIdPaletteDark);
  const Palette& dark = paletteNamed(PaletteName::kDark);
  EXPECT_EQ(colourAt(suddenly + 1), dark.classColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(rain + 1), dark.markedColour(HighlightClass::kClose));
  EXPECT_TRUE(waitFor([&] {
    const std::vector<StripMark>& marks = strip().Marks();
    return std::any_of(marks.begin(), marks.end(), [&](const StripMark& mark) {
      return mark.colour == dark.markedColour(HighlightClass::kClose);
    });
  })) << "the strip draws in the palette";
  // The legend's switch stands on the palette's colour.
  wxWindow* legendSwitch = wxWindow::FindWindowById(kSwitchClose, frame.FindWindow(kIdLegend));
  ASSERT_NE(legendSwitch, nullptr);
  EXPECT_EQ(toRgb(legendSwitch->GetParent()->GetBackgroundColour()),
            dark.classColour(HighlightClass::kClose));
  const Rgb ink = toRgb(frame.Editor().GetForegroundColour());
  for (HighlightClass c : {HighlightClass::kClose, HighlightClass::kDistant,
                           HighlightClass::kSearched, HighlightClass::kPhrase}) {
    EXPECT_GE(contrastRatio(ink, dark.classColour(c)), 4.5);
    EXPECT_GE(contrastRatio(ink, dark.markedColour(c)), 4.5);
  }
  // The screen shows the dark colours, and the page under the text.
  ASSERT_TRUE(drawn(frame.Editor()));
  EXPECT_TRUE(shows(wordPixels(suddenly), dark.classColour(HighlightClass::kClose)));

  // Marking another word, and greying, go by the new palette's rule.
  const long stopped = static_cast<long>(text.find("stopped"));
  clickAt(frame.Editor(), suddenly + 1);
  EXPECT_EQ(colourAt(suddenly + 1), dark.markedColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(rain + 1), dark.classColour(HighlightClass::kClose));
  clickAt(frame.Editor(), rain + 1, kAlt);
  EXPECT_EQ(colourAt(rain + 1), dark.hiddenColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(stopped + 1), kWhite);
  EXPECT_EQ(readFile(viewChoicesPath()), "strip on\npalette dark\n");

  frame.GetMenuBar()->Check(kIdPaletteStandard, true);
  command(kIdPaletteStandard);
  EXPECT_EQ(colourAt(suddenly + 1), markedColour(HighlightClass::kClose));
  EXPECT_EQ(colourAt(rain + 1), hiddenColour(HighlightClass::kClose));

  frame.GetMenuBar()->Check(kIdPaletteColourBlind, true);
  command(kIdPaletteColourBlind);
  closeFrame();
  setActivePalette(PaletteName::kStandard);
  openFrame();
  EXPECT_EQ(activePaletteName(), PaletteName::kColourBlindSafe);
  EXPECT_TRUE(m_frame->GetMenuBar()->IsChecked(kIdPaletteColourBlind));
}

// On a dark desktop theme the editor's own text would be light: on the
// pale highlights of the standard palette it keeps dark text on a white
// page, read back from the screen.
TEST_F(OverviewWindow, OnADarkDesktopThemeTheTextReadsOnEveryHighlight) {
  GtkSettings* settings = gtk_settings_get_default();
  g_object_set(settings, "gtk-application-prefer-dark-theme", TRUE, nullptr);
  FrameMain& frame = openFrame();
  const std::string text = "Suddenly the rain came, suddenly it stopped; the rain was gone.";
  setText(text);
  command(kIdProcess);
  const long rain = static_cast<long>(text.find("rain"));
  clickAt(frame.Editor(), rain + 1);
  ASSERT_TRUE(settle());
  ASSERT_TRUE(drawn(frame.Editor()));
  for (long word : {0L, rain}) {
    const Rgb highlight = colourAt(word + 1);
    ASSERT_NE(highlight, kWhite);
    const std::vector<Rgb> pixels = wordPixels(word);
    ASSERT_TRUE(shows(pixels, highlight)) << word;
    // The ink of the glyphs: the pixel furthest from the highlight.
    const Rgb ink = *std::max_element(pixels.begin(), pixels.end(), [&](Rgb a, Rgb b) {
      return contrastRatio(a, highlight) < contrastRatio(b, highlight);
    });
    EXPECT_GE(contrastRatio(ink, highlight), 4.5) << word;
  }
  g_object_set(settings, "gtk-application-prefer-dark-theme", FALSE, nullptr);
}

}  // namespace

}  // namespace verbolt
