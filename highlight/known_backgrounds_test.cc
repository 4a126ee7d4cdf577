#include "highlight/known_backgrounds.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/textctrl.h>

#include <random>
#include <string>
#include <vector>

#include "highlight/background_map.h"
#include "highlight/background_tags.h"
#include "highlight/gui_test_support.h"
#include "highlight/text_buffer.h"

namespace verbolt {

namespace {

constexpr Rgb kClose = classColour(HighlightClass::kClose);
constexpr Rgb kDistant = classColour(HighlightClass::kDistant);
constexpr Rgb kRed = kMarkedWithoutClass;

// What the buffer itself holds, read in a sweep whatever is kept.
std::vector<ColourRun> readBack(wxTextCtrl& editor) {
  return readBackgroundRuns(editor, 0, editor.GetLastPosition());
}

std::vector<ColourRun> randomRuns(std::mt19937& random, int length, bool withWhite) {
  const Rgb palette[] = {kClose, kDistant, kRed, kWhite};
  std::vector<ColourRun> runs;
  int at = static_cast<int>(random() % 5);
  while (at < length + 3) {  // runs may pass the end of the text
    const int end = at + 1 + static_cast<int>(random() % 6);
    runs.push_back({at, end, palette[random() % (withWhite ? 4 : 3)]});
    at = end + static_cast<int>(random() % 5);
  }
  return runs;
}

// Whatever the program paints, the kept backgrounds are what the buffer
// shows, through the edits of the text; a background set by other code
// forgets them, a text colour does not.
TEST(KnownBackgrounds, AreWhatTheBufferShowsUntilSomethingElseTouchesIt) {
  EditorWindow window;
  wxTextCtrl& editor = window.editor();
  std::mt19937 random(8122026);
  window.setText("Le chat dort. Le chien mange.\nUn chat, un chien, une souris.\n");
  EXPECT_EQ(knownBackgrounds(editor), nullptr);
  int followed = 0;
  for (int round = 0; round < 60; ++round) {
    const int length = static_cast<int>(editor.GetLastPosition());
    switch (random() % 6) {
      case 0:
        removeBackgrounds(editor);
        paintOnBareText(editor, randomRuns(random, length, false));
        break;
      case 1:
      case 2:
      case 3:
        repaintRuns(editor, randomRuns(random, length, true));
        break;
      case 4: {
        // The kept backgrounds follow the edit, checked below.
        const long from = static_cast<long>(random() % static_cast<unsigned>(length));
        const long to = std::min<long>(length, from + static_cast<long>(random() % 8));
        if (random() % 2) {
          editor.Remove(from, to);
        } else {
          editor.Replace(from, to, random() % 2 ? "mot " : "un \u00e9t\u00e9\n");
        }
        if (knownBackgrounds(editor)) ++followed;
        break;
      }
      default: {
        const bool known = knownBackgrounds(editor) != nullptr;
        // A tag that colours the text alone, as the control's own text
        // colour does.
        GtkTextBuffer* buffer = textBufferOf(editor);
        GtkTextTag* ink =
            gtk_text_buffer_create_tag(buffer, nullptr, "foreground", "blue", nullptr);
        GtkTextIter start, end;
        gtk_text_buffer_get_iter_at_offset(buffer, &start, 2);
        gtk_text_buffer_get_iter_at_offset(buffer, &end, 9);
        gtk_text_buffer_apply_tag(buffer, ink, &start, &end);
        EXPECT_EQ(knownBackgrounds(editor) != nullptr, known)
            << "a text colour changes no background";
        wxTextAttr style;
        style.SetBackgroundColour(*wxBLUE);
        editor.SetStyle(2, 5, style);
        EXPECT_EQ(knownBackgrounds(editor), nullptr) << "a style set by other code";
      }
    }
    if (const std::vector<ColourRun>* known = knownBackgrounds(editor)) {
      ASSERT_EQ(*known, readBack(editor)) << "round " << round;
      ASSERT_EQ(BackgroundMap(editor).runs(), readBack(editor));
      const long from = static_cast<long>(random() % static_cast<unsigned>(length));
      const long to = from + static_cast<long>(random() % 12);
      ASSERT_EQ(backgroundRuns(editor, from, to), readBackgroundRuns(editor, from, to));
    }
  }
  EXPECT_GT(followed, 0) << "no edit was followed";
}

TEST(KnownBackgrounds, AreKnownFromTheFirstClearing) {
  EditorWindow window;
  wxTextCtrl& editor = window.editor();
  window.setText("un chat, un chien\n");
  paintOnBareText(editor, {{3, 7, kClose}});
  EXPECT_EQ(knownBackgrounds(editor), nullptr);
  removeBackgrounds(editor);
  ASSERT_NE(knownBackgrounds(editor), nullptr);
  EXPECT_TRUE(knownBackgrounds(editor)->empty());
  paintOnBareText(editor, {{3, 7, kClose}, {12, 17, kClose}});
  repaintRuns(editor, {{12, 17, kRed}});
  EXPECT_EQ(*knownBackgrounds(editor), (std::vector<ColourRun>{{3, 7, kClose}, {12, 17, kRed}}));
}

}  // namespace

}  // namespace verbolt
