#include "highlight/word_marking.h"

#include <wx/gauge.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include <optional>
#include <vector>

#include "analysis/equivalence.h"
#include "analysis/progress.h"
#include "highlight/background_tags.h"
#include "highlight/editor_text.h"
#include "highlight/known_backgrounds.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/plan/colours.h"
#include "highlight/plan/mark_plan.h"
#include "highlight/plan/paint_plan.h"
#include "highlight/plan/palette.h"
#include "highlight/progress_gauge.h"
#include "highlight/restyle.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr unsigned kMarkingInterval = 10000;

}  // namespace

void markTop100(wxTextCtrl& top100, bool fromEditor, const std::string& word,
                const AnalysisSettings& settings) {
  std::optional<RestyleScope> scope;
  if (!fromEditor) scope.emplace(top100);
  const std::string pane = editorBytes(top100);
  clearPaneMarks(top100);
  wxTextAttr mark;
  mark.SetBackgroundColour(toWxColour(kTop100Mark));
  // Counts are digits: only the letters of a line make its word.
  std::string lineWord;
  bool broughtIntoView = false;
  for (size_t p = 0; p < pane.size(); ++p) {
    const unsigned char c = pane[p];
    if (c == '\n') {
      if (p > 0 && areSimilar(lineWord, word, settings)) {
        top100.SetStyle(static_cast<long>(wordStartAt(pane, p - 1)), static_cast<long>(p), mark);
        if (fromEditor && !broughtIntoView) {
          top100.SetSelection(static_cast<long>(p), static_cast<long>(p));
          // GTK scrolls an unfocused view to its caret only when asked.
          top100.ShowPosition(static_cast<long>(p));
          broughtIntoView = true;
        }
      }
      lineWord.clear();
    } else if (isWordChar(c) && !(c >= '0' && c <= '9')) {
      lineWord.push_back(static_cast<char>(c));
    }
  }
}

void clearPaneMarks(wxTextCtrl& pane) {
  const long end = pane.GetLastPosition();
  if (end <= 0) return;
  wxTextAttr base;
  base.SetBackgroundColour(toWxColour(kTop100Background));
  pane.SetStyle(0, end, base);
}

std::string wordAtPosition(const wxTextCtrl& control, long pos) {
  return wordAtPosition(editorBytes(control), pos);
}

std::string wordAtPosition(std::string_view text, long pos) {
  if (pos < 0 || static_cast<size_t>(pos) >= text.size() || text[pos] == ' ') return {};
  const size_t start = wordStartAt(text, static_cast<size_t>(pos));
  const size_t end = wordEndAt(text, static_cast<size_t>(pos));
  return lowercaseText(text.substr(start, end - start));
}

std::vector<ColourRun> recolourWord(const std::string& word, const AnalysisSettings& settings,
                                    wxTextCtrl& editor, const std::string& loweredText, bool unmark,
                                    wxGauge& gauge, double progressStart, double progressSpan) {
  wxLogDebug("Mark word '%s' undo=%d text.len=%d...", fromCp1252(word), unmark ? 1 : 0,
             static_cast<int>(loweredText.size()));
  // Every occurrence is read before any is restyled, so the changes can be
  // painted back to front.
  std::vector<ColourRun> changes;
  // The kept backgrounds answer at once; asking the buffer costs a few
  // microseconds an occurrence.
  const std::vector<ColourRun>* known = knownBackgrounds(editor);
  std::optional<WordColours> asked;
  if (!known) asked.emplace(editor);
  auto colourOf = [&](long start, long end) {
    return known ? colourAt(*known, wordProbePosition(start, end)) : asked->of(start, end);
  };
  const size_t n = loweredText.size();
  size_t counted = 0;
  auto countUpTo = [&](size_t position) {
    progressTicks(counted, position, kMarkingInterval, [&](size_t i) {
      showProgress(gauge, gaugeValue(progressStart + progressSpan * static_cast<double>(i) /
                                                         static_cast<double>(n)));
    });
    counted = position;
  };
  forEachWord(loweredText, [&](size_t wordStart, size_t wordEnd) {
    countUpTo(wordEnd);
    if (!areSimilar(std::string_view(loweredText).substr(wordStart, wordEnd - wordStart), word,
                    settings)) {
      return;
    }
    const auto [start, end] = markedSpan(loweredText, wordEnd);
    const Rgb current = colourOf(start, end);
    Rgb next;
    if (unmark) {
      std::string_view occurrence(loweredText.data() + start, static_cast<size_t>(end - start));
      next = unmarkedColourFor(current,
                               findWordInList(occurrence, settings.m_hiddenList, settings) >= 0);
    } else {
      next = markedColourFor(current);
    }
    changes.push_back({static_cast<int>(start), static_cast<int>(end), next});
  });
  countUpTo(n);
  repaintRuns(editor, changes);
  showProgress(gauge, 0);
  return changes;
}

void unmarkWord(wxTextCtrl& editor, wxTextCtrl& top100, const AnalysisSettings& settings,
                wxGauge& gauge, std::string& markedWord, const std::string& loweredText) {
  if (markedWord.empty()) return;
  {
    RestyleScope scope(editor);
    recolourWord(markedWord, settings, editor, loweredText, true, gauge, 0.0, 1.0);
  }
  markedWord.clear();
  clearPaneMarks(top100);
}

std::vector<ColourRun> recolourRanges(wxTextCtrl& editor, const std::string& loweredText,
                                      const std::vector<std::pair<size_t, size_t>>& ranges,
                                      const AnalysisSettings& settings, bool unmark) {
  const std::vector<ColourRun>* known = knownBackgrounds(editor);
  std::optional<WordColours> asked;
  if (!known) asked.emplace(editor);
  std::vector<ColourRun> changes;
  for (const auto& [begin, end] : ranges) {
    const std::string_view inside = std::string_view(loweredText).substr(begin, end - begin);
    forEachWord(inside, [&](size_t wordBegin, size_t wordEnd) {
      const long start = static_cast<long>(begin + wordBegin);
      const long stop = static_cast<long>(begin + wordEnd);
      const Rgb current =
          known ? colourAt(*known, wordProbePosition(start, stop)) : asked->of(start, stop);
      const std::string_view word = inside.substr(wordBegin, wordEnd - wordBegin);
      const Rgb next =
          unmark ? unmarkedColourFor(current,
                                     findWordInList(word, settings.m_hiddenList, settings) >= 0)
                 : markedColourFor(current);
      changes.push_back({static_cast<int>(start), static_cast<int>(stop), next});
    });
  }
  RestyleScope scope(editor);
  repaintRuns(editor, changes);
  return changes;
}

std::vector<ColourRun> markWord(wxTextCtrl& editor, wxTextCtrl& top100, bool fromEditor,
                                const std::string& word, const AnalysisSettings& settings,
                                wxGauge& gauge, std::string& markedWord,
                                const std::string& loweredText) {
  std::vector<ColourRun> marked;
  {
    RestyleScope scope(editor);
    if (!markedWord.empty()) {
      recolourWord(markedWord, settings, editor, loweredText, true, gauge, 0.0, 0.5);
      markedWord.clear();
    }
    marked = recolourWord(word, settings, editor, loweredText, false, gauge, 0.5, 0.5);
    markedWord = word;
  }
  if (top100.IsShown()) markTop100(top100, fromEditor, word, settings);
  return marked;
}

}  // namespace verbolt
