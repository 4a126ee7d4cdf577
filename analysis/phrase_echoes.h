// Echoes found without a list: a phrase of a few words that comes back
// soon ("she couldn't help but", "for a moment"), and sentences that open
// with the same word one after another ("She", "She", "She"). Both are
// read from the lowered text, the words compared as they are written: the
// similar-words rule is left out.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "analysis/phrase_words.h"
#include "settings/analysis_settings.h"
#include "settings/echo_settings.h"

namespace verbolt {

inline constexpr size_t kNoEarlier = static_cast<size_t>(-1);

// An occurrence of an echo, [begin, end) in bytes, and the start of the
// occurrence it echoes (the nearest before it), kNoEarlier for the first.
struct EchoRange {
  size_t begin = 0;
  size_t end = 0;
  size_t earlier = kNoEarlier;

  bool operator==(const EchoRange&) const = default;
};

// The occurrences of phrase echoes in `lowered`, by their start, the longer
// first at one start. A phrase is 2 to 6 words (EchoSettings) of one
// sentence, neither first nor last a word of the list to skip (when
// skipping is on), with one word at least that is not skipped. It is an
// echo where another occurrence of it, not overlapping, starts within the
// distance. An occurrence inside an occurrence of a longer echo is not
// reported again.
std::vector<EchoRange> findPhraseEchoes(std::string_view lowered, const AnalysisSettings& settings,
                                        const EchoSettings& echoes);

// The first words of the sentences that open like `openingRepeats` or more
// of `openingSentences` consecutive sentences, every word counted. A
// sentence ends at ".", "!", "?", "…" or a paragraph's end; quotes and
// dialogue dashes before its first word are passed over. `earlier` is the
// nearest such opening before it, when one is within the stretch.
std::vector<EchoRange> findSentenceOpenings(std::string_view lowered, const EchoSettings& echoes);

// Whether the phrase echoes of a long text are searched in two halves at
// once, on two threads; the echoes found are the same.
enum class EchoShares { kOne, kTwo };

// The same two, from the words of the text already read (phrase_words.h):
// a pass that runs several phrase rules reads them once.
std::vector<EchoRange> phraseEchoesOf(const std::vector<PhraseWord>& words,
                                      const EchoSettings& echoes,
                                      EchoShares shares = EchoShares::kOne);
std::vector<EchoRange> sentenceOpeningsOf(const std::vector<PhraseWord>& words,
                                          const EchoSettings& echoes);

struct Echoes {
  std::vector<EchoRange> phrases;
  std::vector<EchoRange> openings;
};

// Both, reading the words once.
Echoes findEchoes(std::string_view lowered, const AnalysisSettings& settings,
                  const EchoSettings& echoes);

}  // namespace verbolt
