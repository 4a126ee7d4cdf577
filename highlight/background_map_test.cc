#include "highlight/background_map.h"

#include <gtest/gtest.h>

#include <random>

#include "highlight/gui_test_support.h"
#include "highlight/restyle.h"

namespace verbolt {

namespace {

// Every character, read through the map, as the control's own style query
// reports it.
void expectSameAsGetStyle(wxTextCtrl& editor, long length) {
  const BackgroundMap map(editor);
  for (long i = 0; i < length; ++i) {
    ASSERT_EQ(map.at(i), backgroundAt(editor, i)) << "position " << i;
  }
  EXPECT_EQ(map.at(length), kWhite);
  EXPECT_EQ(map.at(length + 10), kWhite);
  EXPECT_EQ(map.at(-1), kWhite);
}

TEST(BackgroundMap, ReadsWhatTheControlHoldsAfterOverlappingStyles) {
  EditorWindow window;
  std::mt19937 random(7);
  std::string text;
  for (int i = 0; i < 3000; ++i)
    text += (random() % 6 == 0) ? ' ' : static_cast<char>('a' + random() % 5);
  text += "\n\xE9t\xE9\n";
  window.setText(text);
  const std::vector<Rgb> palette = {kClassColours[0],  kClassColours[3],    kHiddenColours[1],
                                    kMarkedColours[2], kMarkedWithoutClass, kWhite};
  const long length = static_cast<long>(text.size());
  // Later styles cover earlier ones in any order, as marking and hiding do.
  for (int i = 0; i < 400; ++i) {
    long start = random() % length;
    long end = std::min(length, start + 1 + static_cast<long>(random() % 40));
    wxTextAttr style;
    style.SetBackgroundColour(toWxColour(palette[random() % palette.size()]));
    window.editor().SetStyle(start, end, style);
  }
  expectSameAsGetStyle(window.editor(), length);

  const BackgroundMap map(window.editor());
  for (size_t i = 1; i < map.runs().size(); ++i) {
    const ColourRun& before = map.runs()[i - 1];
    const ColourRun& run = map.runs()[i];
    EXPECT_LE(before.end, run.start);
    EXPECT_FALSE(before.end == run.start && before.colour == run.colour) << "runs not merged";
    EXPECT_NE(run.colour, kWhite);
  }
}

TEST(BackgroundMap, AnUnstyledOrEmptyControlIsWhite) {
  EditorWindow window;
  window.setText("");
  EXPECT_TRUE(BackgroundMap(window.editor()).runs().empty());
  window.setText("plain text");
  const BackgroundMap map(window.editor());
  EXPECT_TRUE(map.runs().empty());
  EXPECT_EQ(map.at(3), kWhite);
}

}  // namespace

}  // namespace verbolt
