// What an analysis run paints, worked out in memory: the final background
// of every character, as runs of one colour. Painting the runs in any order
// gives the same colours as painting the lists one after another, phrases,
// searched words, distant and close repetitions, then greying hidden words,
// at a fraction of the cost.
#pragma once

#include <string_view>
#include <vector>

#include "analysis/analysis_pass.h"
#include "analysis/progress.h"
#include "highlight/plan/colours.h"
#include "settings/analysis_settings.h"
#include "text/words.h"

namespace verbolt {

struct ColourRun {
  int start;
  int end;  // exclusive
  Rgb colour;
  friend bool operator==(const ColourRun&, const ColourRun&) = default;
};

// Runs of every colour but white, in ascending order, never overlapping.
// `progress`, when set, takes the gauge from 50 to 100.
std::vector<ColourRun> planHighlights(std::string_view loweredText, const AnalysisResult& result,
                                      const AnalysisSettings& settings,
                                      const ProgressSink& progress = {});

// Where a word occurrence [start, end) shows its colour: its second
// character, or its only one. The character after a one-letter word belongs
// to something else (or lies past the end of the text).
constexpr long wordProbePosition(long start, long end) {
  return end - start >= 2 ? start + 1 : start;
}

// The colour the hidden-words pass gives a word that shows `current`: its
// class's grey when the word is in the hidden list, its class colour back
// when it has left the list, and `current` itself in every other case.
Rgb hiddenPassColour(Rgb current, std::string_view word, const AnalysisSettings& settings);

// The hidden-words pass moves the gauge once per this many characters.
constexpr unsigned kHiddenPassInterval = 2000;

// The hidden-words pass, whether over a fresh plan or over the editor's
// colours: every word of `loweredText` not white, as `colourOf(start, end)`
// reads it, takes its hiddenPassColour, and `recolour(start, end, colour)`
// receives the words whose colour changes. `gaugeAt(value)` takes the
// gauge from 90 to 100.
template <typename ColourOf, typename Recolour, typename GaugeAt>
void hiddenWordsPass(std::string_view loweredText, const AnalysisSettings& settings,
                     ColourOf&& colourOf, Recolour&& recolour, GaugeAt&& gaugeAt) {
  const size_t n = loweredText.size();
  size_t counted = 0;
  auto countUpTo = [&](size_t position) {
    progressTicks(counted, position, kHiddenPassInterval, [&](size_t i) {
      gaugeAt(gaugeValue(0.9 + 0.1 * static_cast<double>(i) / static_cast<double>(n)));
    });
    counted = position;
  };
  forEachWord(loweredText, [&](size_t start, size_t end) {
    countUpTo(end);
    const Rgb current = colourOf(start, end);
    if (current == kWhite) return;
    const Rgb next = hiddenPassColour(current, loweredText.substr(start, end - start), settings);
    if (next != current) recolour(start, end, next);
  });
  countUpTo(n);
}

}  // namespace verbolt
