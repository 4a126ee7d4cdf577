// The word search (by length, word list and word parts) and the phrase
// search, which looks only at the letters of a phrase.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "settings/analysis_settings.h"

namespace verbolt {

// Index of the first part contained anywhere in `word`, or -1. An empty
// part is contained in every word.
int findWordPart(std::string_view word, const WordList& parts);

// The word search test on one lowered word (word search assumed on).
bool isSearchedWord(std::string_view word, const AnalysisSettings& settings);

// Appends (start, length) to `phraseRanges` for every phrase whose letters
// follow one another in `text` from `position` on, any separators between.
void matchPhrasesAt(std::string_view text, size_t position, const WordList& phrases,
                    std::vector<int>& phraseRanges);

// matchPhrasesAt over every position of [from, to), with the same ranges in
// the same order, but trying at each position only the phrases whose first
// byte is the byte there. Keeps a reference to `phrases`.
class PhraseFinder {
 public:
  explicit PhraseFinder(const WordList& phrases);

  void findIn(std::string_view text, size_t from, size_t to, std::vector<int>& phraseRanges) const;

 private:
  // A phrase is compared byte by byte with the text: its first byte, then
  // each of its letters with the next letter of the text. Where the text
  // puts no separator, those are the next bytes of the text, so the first
  // eight compared bytes are tried at once against the text's next eight.
  struct Candidate {
    int phrase;
    std::uint64_t compared;  // the first compared bytes, in text order
    int comparedCount;       // how many bytes are compared in all
  };

  std::uint64_t candidateMask(std::string_view text, size_t from, size_t count) const;
  void tryAt(std::string_view text, size_t position, std::vector<int>& phraseRanges) const;

  const WordList& m_phrases;
  std::array<std::vector<Candidate>, 256> m_byFirstByte;
  // The first three compared bytes of each phrase (fewer for a phrase
  // that compares fewer), each beginning once.
  struct Beginning {
    char bytes[3];
    int count;
    bool operator==(const Beginning&) const = default;
  };
  std::vector<Beginning> m_beginnings;
};

}  // namespace verbolt
