// The phrases a writer repeats most over the whole text, for the list
// under the Top-100: "for a moment" 14 times, "she couldn't help but" 5.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/phrase_words.h"
#include "settings/analysis_settings.h"
#include "settings/echo_settings.h"

namespace verbolt {

// A phrase, shown by its first occurrence [begin, end) in the text, and how
// many times it comes.
struct PhraseCount {
  size_t begin = 0;
  size_t end = 0;
  int count = 0;

  bool operator==(const PhraseCount&) const = default;
};

// The `limit` phrases of the echoes' lengths (2 to 6 words) that come most
// often in `lowered`, at least twice, most frequent first, then longest,
// then first in the text. Phrases obey the echoes' rules: words of one
// sentence, compared as written, neither first nor last a word of the list
// to skip, one word at least not skipped. A phrase inside a longer one of
// the list that comes as often is left out for it.
std::vector<PhraseCount> topPhrases(std::string_view lowered, const AnalysisSettings& settings,
                                    const EchoSettings& echoes, size_t limit);

// The same from the words of the text already read (phrase_words.h).
std::vector<PhraseCount> topPhrasesOf(const std::vector<PhraseWord>& words,
                                      const EchoSettings& echoes, size_t limit);

// How many the window lists under the Top-100.
inline constexpr size_t kTopPhraseCount = 20;

// A phrase as the list shows it: its first occurrence, lowered, each run
// of blanks one space.
std::string phraseWords(std::string_view lowered, const PhraseCount& phrase);

// Every occurrence of `words` (as phraseWords gives them) in `lowered`,
// within a sentence, [begin, end) by their start.
std::vector<std::pair<size_t, size_t>> phraseOccurrences(std::string_view lowered,
                                                         std::string_view words);

}  // namespace verbolt
