#include "analysis/phrase_echoes.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "analysis/equivalence.h"
#include "analysis/sentence_marks.h"
#include "text/words.h"

namespace verbolt {

namespace {

struct Word {
  size_t begin;
  size_t end;
  int id;           // equal words, equal ids
  size_t sentence;  // words of one sentence share it
  bool listed;      // in the list of words to skip: never starts or ends a phrase
  bool counted;     // neither listed nor skipped for its length
};

// The words of the text, each with its sentence.
std::vector<Word> wordsOf(std::string_view text, const AnalysisSettings& settings) {
  AnalysisSettings plain = settings;
  plain.m_sameActive = false;
  plain.m_lemmas.reset();
  std::unordered_map<std::string_view, int> ids;
  std::unordered_map<int, std::pair<bool, bool>> kinds;
  std::vector<Word> words;
  size_t sentence = 0;
  size_t scanned = 0;
  forEachWord(text, [&](size_t begin, size_t end) {
    bool ended = false;
    for (; scanned < begin; ++scanned)
      ended |= endsASentence(static_cast<unsigned char>(text[scanned]));
    if (ended && !words.empty()) ++sentence;
    scanned = end;
    const std::string_view word = text.substr(begin, end - begin);
    const auto [found, added] = ids.try_emplace(word, static_cast<int>(ids.size()));
    std::pair<bool, bool>& kind = kinds[found->second];
    if (added) {
      kind.first = settings.m_skipActive && findWordInList(word, plain.m_skipWords, plain) >= 0;
      kind.second = !isSkipped(word, plain);
    }
    words.push_back({begin, end, found->second, sentence, kind.first, kind.second});
  });
  return words;
}

bool samePhrase(const std::vector<Word>& words, size_t a, size_t b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (words[a + i].id != words[b + i].id) return false;
  }
  return true;
}

// Whether the `length` words from `first` make a phrase that may echo.
bool isPhrase(const std::vector<Word>& words, size_t first, size_t length) {
  const size_t last = first + length - 1;
  if (last >= words.size() || words[first].sentence != words[last].sentence) return false;
  if (words[first].listed || words[last].listed) return false;
  for (size_t i = first; i <= last; ++i) {
    if (words[i].counted) return true;
  }
  return false;
}

std::uint64_t phraseHash(const std::vector<Word>& words, size_t first, size_t length) {
  std::uint64_t hash = 0x9E3779B97F4A7C15ull;
  for (size_t i = first; i < first + length; ++i) {
    hash = (hash ^ static_cast<std::uint64_t>(words[i].id)) * 0x100000001B3ull;
  }
  return hash ^ (hash >> 29);
}

struct Occurrence {
  size_t first;  // word index
  size_t length;
  size_t earlier = kNoEarlier;  // word index of the occurrence it echoes
};

// The echoing occurrences of the phrases of `length` words: every
// occurrence with another that does not overlap it within the distance,
// paired with the nearest such occurrence before it.
void findOfLength(const std::vector<Word>& words, size_t length, size_t distance,
                  std::vector<Occurrence>& found) {
  std::unordered_map<std::uint64_t, size_t> last;
  std::vector<size_t> previous(words.size(), kNoEarlier);
  std::vector<bool> echoing(words.size(), false);
  for (size_t i = 0; i + length <= words.size(); ++i) {
    if (!isPhrase(words, i, length)) continue;
    auto [slot, added] = last.try_emplace(phraseHash(words, i, length), i);
    if (added) continue;
    previous[i] = slot->second;
    slot->second = i;
    Occurrence occurrence{i, length};
    // Past an occurrence that already echoes, and those overlapping it, the
    // earlier ones within the distance echo already: the walk stops there.
    size_t stopAfter = kNoEarlier;
    for (size_t j = previous[i]; j != kNoEarlier; j = previous[j]) {
      if (words[i].begin - words[j].begin > distance) break;
      if (stopAfter != kNoEarlier && j + length <= stopAfter) break;
      if (j + length > i || !samePhrase(words, i, j, length)) continue;
      if (occurrence.earlier == kNoEarlier) occurrence.earlier = j;
      if (echoing[j]) {
        if (stopAfter == kNoEarlier) stopAfter = j;
        continue;
      }
      echoing[j] = true;
      found.push_back({j, length});
    }
    if (occurrence.earlier == kNoEarlier) continue;
    echoing[i] = true;
    found.push_back(occurrence);
  }
}

}  // namespace

std::vector<EchoRange> findPhraseEchoes(std::string_view lowered, const AnalysisSettings& settings,
                                        const EchoSettings& echoes) {
  const std::vector<Word> words = wordsOf(lowered, settings);
  std::vector<Occurrence> found;
  const size_t shortest = static_cast<size_t>(std::max(1, echoes.minWords));
  for (size_t length = shortest; length <= static_cast<size_t>(echoes.maxWords); ++length) {
    findOfLength(words, length, echoes.distance, found);
  }
  std::sort(found.begin(), found.end(), [](const Occurrence& a, const Occurrence& b) {
    return a.first != b.first ? a.first < b.first : a.length > b.length;
  });
  std::vector<EchoRange> ranges;
  size_t coveredTo = 0;  // word index after the reported occurrences
  for (const Occurrence& occurrence : found) {
    const size_t end = occurrence.first + occurrence.length;
    if (end <= coveredTo) continue;  // inside a longer echo
    coveredTo = end;
    ranges.push_back(
        {words[occurrence.first].begin, words[end - 1].end,
         occurrence.earlier == kNoEarlier ? kNoEarlier : words[occurrence.earlier].begin});
  }
  return ranges;
}

std::vector<EchoRange> findSentenceOpenings(std::string_view lowered, const EchoSettings& echoes) {
  const std::vector<Word> words = wordsOf(lowered, AnalysisSettings());
  // The first word of each sentence, in order.
  std::vector<const Word*> openings;
  for (const Word& word : words) {
    if (openings.empty() || openings.back()->sentence != word.sentence) openings.push_back(&word);
  }
  const size_t stretch = std::max<size_t>(1, echoes.openingSentences);
  // Counts of the first words of the stretch [first, first + stretch).
  std::vector<size_t> alike(words.empty() ? 0 : words.size(), 0);
  std::vector<bool> flagged(openings.size(), false);
  for (size_t s = 0; s < std::min(stretch, openings.size()); ++s) ++alike[openings[s]->id];
  for (size_t first = 0; first < openings.size(); ++first) {
    const size_t end = std::min(openings.size(), first + stretch);
    for (size_t s = first; s < end; ++s) {
      if (alike[openings[s]->id] >= echoes.openingRepeats) flagged[s] = true;
    }
    --alike[openings[first]->id];
    if (end < openings.size()) ++alike[openings[end]->id];
  }
  std::vector<EchoRange> ranges;
  for (size_t s = 0; s < openings.size(); ++s) {
    if (!flagged[s]) continue;
    EchoRange range{openings[s]->begin, openings[s]->end, kNoEarlier};
    for (size_t t = s; t > 0 && s - (t - 1) < stretch; --t) {
      if (flagged[t - 1] && openings[t - 1]->id == openings[s]->id) {
        range.earlier = openings[t - 1]->begin;
        break;
      }
    }
    ranges.push_back(range);
  }
  return ranges;
}

}  // namespace verbolt
