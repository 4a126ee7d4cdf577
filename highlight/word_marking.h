// Marking a clicked word: every occurrence of it and of its similar words
// turns red in the editor, keeping in the blue of the red the class it had,
// and its lines turn red in the Top-100 pane. One word is marked at a time.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "highlight/plan/paint_plan.h"
#include "settings/analysis_settings.h"

class wxGauge;
class wxTextCtrl;

namespace verbolt {

// The lowered word of the control under character position `pos`, with the
// separator at `pos` when there is one (a click on the apostrophe of
// "l'homme" gives "l'homme"); empty on a space or past the end.
std::string wordAtPosition(const wxTextCtrl& control, long pos);
// The same in `text`, the control's bytes (lowered or not).
std::string wordAtPosition(std::string_view text, long pos);

// Un-marks `markedWord` when there is one, marks `word` in the editor and,
// when shown, in the Top-100 pane, and makes it the marked word. A click in
// the editor scrolls the pane to the word's first line. `loweredText` is
// the editor's text, lowered, as the caller has just read it. Returns the
// occurrences marked, with their colours, ascending.
std::vector<ColourRun> markWord(wxTextCtrl& editor, wxTextCtrl& top100, bool fromEditor,
                                const std::string& word, const AnalysisSettings& settings,
                                wxGauge& gauge, std::string& markedWord,
                                const std::string& loweredText);

// Marks the lines of `word` and its similar words in the Top-100 pane;
// when `fromEditor`, scrolls the pane to the first of them.
void markTop100(wxTextCtrl& top100, bool fromEditor, const std::string& word,
                const AnalysisSettings& settings);

// Gives every line of a report pane (the Top-100, the Top phrases) its
// plain background back.
void clearPaneMarks(wxTextCtrl& pane);

// Un-marks `markedWord`, when there is one, in the editor and the Top-100
// pane, and empties it.
void unmarkWord(wxTextCtrl& editor, wxTextCtrl& top100, const AnalysisSettings& settings,
                wxGauge& gauge, std::string& markedWord, const std::string& loweredText);

// Marks, or un-marks, the words inside `ranges` (a marked phrase's
// occurrences, ascending) as a marked word's are. Returns the words
// recoloured, with their new colours, ascending.
std::vector<ColourRun> recolourRanges(wxTextCtrl& editor, const std::string& loweredText,
                                      const std::vector<std::pair<size_t, size_t>>& ranges,
                                      const AnalysisSettings& settings, bool unmark);

// One pass over the editor that marks, or un-marks, every occurrence of
// `word`; the gauge goes from `progressStart` over `progressSpan`. Returns
// the occurrences recoloured, with their new colours, ascending.
std::vector<ColourRun> recolourWord(const std::string& word, const AnalysisSettings& settings,
                                    wxTextCtrl& editor, const std::string& loweredText, bool unmark,
                                    wxGauge& gauge, double progressStart, double progressSpan);

}  // namespace verbolt
