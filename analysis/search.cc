#include "analysis/search.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "analysis/equivalence.h"
#include "analysis/word_head.h"
#include "text/words.h"

namespace verbolt {

int findWordPart(std::string_view word, const WordList& parts) {
  for (size_t i = 0; i < parts.size(); ++i) {
    if (word.find(parts[i]) != std::string_view::npos) return static_cast<int>(i);
  }
  return -1;
}

bool isSearchedWord(std::string_view word, const AnalysisSettings& settings) {
  auto length = static_cast<long long>(word.size());
  return (settings.m_wordsLetterMin <= length && length <= settings.m_wordsLetterMax) ||
         findWordInList(word, settings.m_wordsList, settings) >= 0 ||
         findWordPart(word, settings.m_wordsPartsList) >= 0;
}

namespace {

// Length of the match of `phrase` at `position`, or 0. Each letter of the
// phrase meets the next letter of the text, whatever separators lie between.
size_t phraseMatchLength(std::string_view text, size_t position, std::string_view phrase) {
  if (phrase.empty() || phrase[0] != text[position]) return 0;
  size_t j = position + 1;
  for (size_t i = 1; i < phrase.size(); ++i) {
    if (!isWordChar(phrase[i])) continue;
    if (j >= text.size()) return 0;
    while (!isWordChar(text[j]) && j < text.size() - 1) ++j;
    if (phrase[i] != text[j]) return 0;
    ++j;
  }
  return j - position;
}

}  // namespace

void matchPhrasesAt(std::string_view text, size_t position, const WordList& phrases,
                    std::vector<int>& phraseRanges) {
  for (const std::string& phrase : phrases) {
    size_t length = phraseMatchLength(text, position, phrase);
    if (length == 0) continue;
    phraseRanges.push_back(static_cast<int>(position));
    phraseRanges.push_back(static_cast<int>(length));
  }
}

namespace {

constexpr int kAtOnce = 8;

// The bytes a match compares, as a Candidate holds them.
void setComparedBytes(std::string_view phrase, std::uint64_t& compared, int& count) {
  char bytes[kAtOnce] = {};
  count = 0;
  for (size_t i = 0; i < phrase.size(); ++i) {
    if (i > 0 && !isWordChar(phrase[i])) continue;
    if (count < kAtOnce) bytes[count] = phrase[i];
    ++count;
  }
  std::memcpy(&compared, bytes, sizeof compared);
}

// Above this many beginnings, testing each position against all of them
// at once costs more than looking its byte up.
constexpr size_t kMostComparedBeginnings = 16;

}  // namespace

PhraseFinder::PhraseFinder(const WordList& phrases) : m_phrases(phrases) {
  for (size_t i = 0; i < phrases.size(); ++i) {
    if (phrases[i].empty()) continue;
    auto first = static_cast<unsigned char>(phrases[i][0]);
    Candidate candidate{static_cast<int>(i), 0, 0};
    setComparedBytes(phrases[i], candidate.compared, candidate.comparedCount);
    m_byFirstByte[first].push_back(candidate);
    Beginning beginning{{}, std::min(candidate.comparedCount, 3)};
    std::memcpy(beginning.bytes, &candidate.compared, 3);
    if (std::find(m_beginnings.begin(), m_beginnings.end(), beginning) == m_beginnings.end()) {
      m_beginnings.push_back(beginning);
    }
  }
}

// Bit i set when a phrase may match at from + i, for `count` positions (at
// most 64). With the bytes at hand, a position qualifies when its byte
// begins a phrase and each of the next two bytes is either the phrase's
// next compared byte or a separator, behind which anything may follow;
// otherwise its first byte alone decides.
std::uint64_t PhraseFinder::candidateMask(std::string_view text, size_t from, size_t count) const {
  const char* bytes = text.data() + from;
  std::uint64_t mask = 0;
#ifdef __SSE2__
  if (count == 64 && from + 66 <= text.size() && m_beginnings.size() <= kMostComparedBeginnings) {
    const std::uint64_t separatorNext = ~wordCharMask(bytes + 1, 64);
    const std::uint64_t separatorAfter = ~wordCharMask(bytes + 2, 64);
    auto bitsOf = [](__m128i m) -> std::uint64_t {
      return static_cast<unsigned>(_mm_movemask_epi8(m));
    };
    for (size_t part = 0; part < 4; ++part) {
      const char* at = bytes + 16 * part;
      __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
      __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
      __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 2));
      std::uint64_t separatedNext = (separatorNext >> (16 * part)) & 0xFFFF;
      std::uint64_t separatedAfter = (separatorAfter >> (16 * part)) & 0xFFFF;
      std::uint64_t found = 0;
      for (const Beginning& b : m_beginnings) {
        std::uint64_t first = bitsOf(_mm_cmpeq_epi8(here, _mm_set1_epi8(b.bytes[0])));
        if (b.count == 1) {
          found |= first;
          continue;
        }
        std::uint64_t second = bitsOf(_mm_cmpeq_epi8(next, _mm_set1_epi8(b.bytes[1])));
        std::uint64_t third =
            b.count == 2
                ? ~std::uint64_t{0}
                : bitsOf(_mm_cmpeq_epi8(after, _mm_set1_epi8(b.bytes[2]))) | separatedAfter;
        found |= first & ((second & third) | separatedNext);
      }
      mask |= found << (16 * part);
    }
    return mask;
  }
#endif
  for (size_t i = 0; i < count; ++i) {
    mask |= std::uint64_t{!m_byFirstByte[static_cast<unsigned char>(bytes[i])].empty()} << i;
  }
  return mask;
}

// The phrases beginning with the byte at `position`, in list order. Most
// differ from the text within their first letters while the text has no
// separator there: that settles them without the full match, and a phrase
// whose compared bytes all lie, unseparated, in the next eight bytes
// matches them exactly.
void PhraseFinder::tryAt(std::string_view text, size_t position,
                         std::vector<int>& phraseRanges) const {
  const bool eightAtHand = position + kAtOnce <= text.size();
  std::uint64_t next = 0;
  if (eightAtHand) std::memcpy(&next, text.data() + position, sizeof next);
  for (const Candidate& candidate : m_byFirstByte[static_cast<unsigned char>(text[position])]) {
    size_t length = 0;
    std::uint64_t differing = eightAtHand
                                  ? (next ^ candidate.compared) &
                                        firstBytesMask(static_cast<size_t>(candidate.comparedCount))
                                  : 1;
    if (!eightAtHand) {
      length = phraseMatchLength(text, position, m_phrases[static_cast<size_t>(candidate.phrase)]);
    } else if (differing == 0 && candidate.comparedCount <= kAtOnce) {
      length = static_cast<size_t>(candidate.comparedCount);
    } else if (differing != 0 && isWordChar(text[position + firstDifferentByte(differing)])) {
      continue;  // a letter of the text that is not the phrase's next letter
    } else {
      length = phraseMatchLength(text, position, m_phrases[static_cast<size_t>(candidate.phrase)]);
    }
    if (length == 0) continue;
    phraseRanges.push_back(static_cast<int>(position));
    phraseRanges.push_back(static_cast<int>(length));
  }
}

void PhraseFinder::findIn(std::string_view text, size_t from, size_t to,
                          std::vector<int>& phraseRanges) const {
  if (m_beginnings.empty()) return;
  for (size_t f = from; f < to; f += 64) {
    size_t count = std::min<size_t>(64, to - f);
    for (std::uint64_t starts = candidateMask(text, f, count); starts != 0; starts &= starts - 1) {
      tryAt(text, f + static_cast<size_t>(std::countr_zero(starts)), phraseRanges);
    }
  }
}

}  // namespace verbolt
