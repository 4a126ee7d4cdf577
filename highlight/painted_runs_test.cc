#include "highlight/painted_runs.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include <random>
#include <string>
#include <vector>

#include "highlight/background_map.h"
#include "highlight/background_tags.h"
#include "highlight/gui_test_support.h"

namespace verbolt {

namespace {

constexpr Rgb kClose = classColour(HighlightClass::kClose);
constexpr Rgb kDistant = classColour(HighlightClass::kDistant);

std::vector<ColourRun> readBack(wxTextCtrl& editor) {
  return readBackgroundRuns(editor, 0, editor.GetLastPosition());
}

std::vector<ColourRun> randomRuns(std::mt19937& random, int length, bool withWhite) {
  const Rgb palette[] = {kClose, kDistant, kMarkedWithoutClass, kWhite};
  std::vector<ColourRun> runs;
  int at = static_cast<int>(random() % 5);
  while (at < length) {
    const int end = std::min(length, at + 1 + static_cast<int>(random() % 6));
    runs.push_back({at, end, palette[random() % (withWhite ? 4 : 3)]});
    at = end + static_cast<int>(random() % 5);
  }
  return runs;
}

// Whatever paints the editor or changes its text, typing at a run's either
// end or inside it, deleting across runs, a style set by other code: the
// runs followed are those the buffer shows.
TEST(PaintedRuns, FollowEveryPaintingAndEveryEdit) {
  EditorWindow window;
  wxTextCtrl& editor = window.editor();
  window.setText("Le chat dort. Le chien mange.\nUn chat, un chien, une souris.\n");
  int changes = 0;
  PaintedRuns followed(editor, [&changes] { ++changes; });
  std::mt19937 random(9122026);
  for (int round = 0; round < 120; ++round) {
    const int length = static_cast<int>(editor.GetLastPosition());
    const int before = changes;
    switch (random() % 7) {
      case 0:
        removeBackgrounds(editor);
        paintOnBareText(editor, randomRuns(random, length, false));
        break;
      case 1:
      case 2:
        repaintRuns(editor, randomRuns(random, length, true));
        break;
      case 3: {
        // At the edge of a run as often as not.
        const std::vector<ColourRun> runs = readBack(editor);
        long at = static_cast<long>(random() % static_cast<unsigned>(length));
        if (!runs.empty() && random() % 2) {
          const ColourRun& run = runs[random() % runs.size()];
          at = random() % 2 ? run.start : run.end;
        }
        editor.SetInsertionPoint(at);
        editor.WriteText(random() % 2 ? "mot " : "x");
        break;
      }
      case 4: {
        const long from = static_cast<long>(random() % static_cast<unsigned>(length));
        editor.Remove(from, std::min<long>(length, from + 1 + static_cast<long>(random() % 9)));
        break;
      }
      case 5: {
        wxTextAttr style;
        style.SetBackgroundColour(*wxBLUE);
        const long from = static_cast<long>(random() % static_cast<unsigned>(length));
        editor.SetStyle(from, std::min<long>(length, from + 4), style);
        break;
      }
      default: {
        // Many paintings with nothing kept: the buffer is read once.
        std::vector<ColourRun> runs = randomRuns(random, length, true);
        for (const ColourRun& run : runs) repaintRuns(editor, {run});
        for (int i = 0; i < 300; ++i) repaintRuns(editor, {{i % length, i % length + 1, kClose}});
      }
    }
    if (editor.GetLastPosition() < 20) window.setText("Un chat, un chien, une souris.\n");
    ASSERT_EQ(followed.Runs(), readBack(editor)) << "round " << round;
    EXPECT_GT(changes, before) << "round " << round;
  }
}

}  // namespace

}  // namespace verbolt
