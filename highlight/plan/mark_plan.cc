#include "highlight/plan/mark_plan.h"

#include <optional>

#include "analysis/equivalence.h"
#include "highlight/plan/colour_runs.h"
#include "highlight/plan/palette.h"
#include "text/words.h"

namespace verbolt {

Rgb markedColourFor(Rgb current) {
  const Palette& palette = activePalette();
  const std::optional<HighlightClass> c = palette.classOfUnmarked(current);
  return c ? palette.markedColour(*c) : palette.markedWithoutClass;
}

Rgb unmarkedColourFor(Rgb current, bool hidden) {
  const Palette& palette = activePalette();
  const std::optional<HighlightClass> c = palette.classOfMarked(current);
  if (!c) return kWhite;
  return hidden ? palette.hiddenColour(*c) : palette.classColour(*c);
}

std::pair<long, long> markedSpan(std::string_view loweredText, size_t wordEnd) {
  return {static_cast<long>(wordStartAt(loweredText, wordEnd - 1)), static_cast<long>(wordEnd)};
}

std::vector<ColourRun> withMarks(std::string_view loweredText, const std::vector<ColourRun>& runs,
                                 const std::string& word,
                                 const std::vector<std::pair<size_t, size_t>>& ranges,
                                 const AnalysisSettings& settings) {
  if (word.empty() && ranges.empty()) return runs;
  std::vector<ColourRun> marked;
  const std::vector<ColourRun>* base = &runs;
  auto mark = [&](long start, long end) {
    const Rgb current = colourAt(*base, wordProbePosition(start, end));
    marked.push_back({static_cast<int>(start), static_cast<int>(end), markedColourFor(current)});
  };
  if (!word.empty()) {
    forEachWord(loweredText, [&](size_t start, size_t end) {
      if (!areSimilar(loweredText.substr(start, end - start), word, settings)) return;
      const auto [from, to] = markedSpan(loweredText, end);
      mark(from, to);
    });
  }
  std::vector<ColourRun> result = paintedOver(runs, marked);
  marked.clear();
  base = &result;
  for (const std::pair<size_t, size_t>& range : ranges) {
    const size_t begin = range.first;
    if (range.second > loweredText.size()) break;
    forEachWord(loweredText.substr(begin, range.second - begin), [&](size_t start, size_t stop) {
      mark(static_cast<long>(begin + start), static_cast<long>(begin + stop));
    });
  }
  return marked.empty() ? result : paintedOver(result, marked);
}

}  // namespace verbolt
