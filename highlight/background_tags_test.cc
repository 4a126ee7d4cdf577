#include "highlight/background_tags.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include <vector>

#include "highlight/background_map.h"
#include "highlight/gui_test_support.h"
#include "highlight/restyle.h"

namespace verbolt {

namespace {

constexpr Rgb kClose = classColour(HighlightClass::kClose);
constexpr Rgb kDistant = classColour(HighlightClass::kDistant);
constexpr Rgb kRed = kMarkedWithoutClass;

// The tags painted directly and the control's own style calls work on the
// same backgrounds: each replaces and reads what the other painted.
TEST(BackgroundTags, AreTheControlsOwnBackgroundsBothWays) {
  EditorWindow window;
  wxTextCtrl& editor = window.editor();
  window.setText("un chat, un chien, un chat\n");
  const std::vector<ColourRun> runs = {{3, 7, kClose}, {12, 17, kDistant}, {22, 26, kClose}};
  paintOnBareText(editor, runs);
  EXPECT_EQ(BackgroundMap(editor).runs(), runs);
  EXPECT_EQ(backgroundAt(editor, 4), kClose);

  // A style call over a painted word replaces its colour rather than
  // stacking on it, and it is taken away with the others.
  wxTextAttr red;
  red.SetBackgroundColour(toWxColour(kRed));
  editor.SetStyle(12, 17, red);
  EXPECT_EQ(backgroundAt(editor, 13), kRed);
  const std::vector<ColourRun> marked = {{3, 7, kClose}, {12, 17, kRed}, {22, 26, kClose}};
  EXPECT_EQ(BackgroundMap(editor).runs(), marked);
  wxTextAttr style;
  ASSERT_TRUE(editor.GetStyle(23, style));
  EXPECT_EQ(toRgb(style.GetBackgroundColour()), kClose);

  removeBackgrounds(editor);
  EXPECT_TRUE(BackgroundMap(editor).runs().empty());
  ASSERT_TRUE(editor.GetStyle(13, style));
  EXPECT_FALSE(style.HasBackgroundColour());

  // Runs past the end of a shorter text are cut at its end.
  paintOnBareText(editor, {{22, 40, kDistant}});
  EXPECT_EQ(BackgroundMap(editor).runs(), (std::vector<ColourRun>{{22, 27, kDistant}}));
}

}  // namespace

}  // namespace verbolt
