#include "analysis/phrase_echoes.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>

#include "analysis/phrase_words.h"
#include "analysis/sentence_marks.h"

namespace verbolt {

namespace {

bool samePhrase(const std::vector<PhraseWord>& words, size_t a, size_t b, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (words[a + i].id != words[b + i].id) return false;
  }
  return true;
}

// The latest occurrence of each phrase among those within the distance: a
// small table that the occurrences leave as the search moves on, so that
// it stays in the cache however long the text.
class RecentPhrases {
 public:
  RecentPhrases() : m_slots(256) {}

  // The occurrence stored under `key`, or kNoEarlier; `index` takes its place.
  size_t exchange(std::uint64_t key, size_t index) {
    const size_t mask = m_slots.size() - 1;
    size_t slot = home(key);
    for (; m_slots[slot].key != 0; slot = (slot + 1) & mask) {
      if (m_slots[slot].key == key) return std::exchange(m_slots[slot].index, index);
    }
    m_slots[slot] = {key, index};
    if (++m_used * 4 > m_slots.size()) grow();
    return kNoEarlier;
  }

  // Forgets `key` when `index` is still its latest occurrence.
  void leave(std::uint64_t key, size_t index) {
    const size_t mask = m_slots.size() - 1;
    size_t slot = home(key);
    for (; m_slots[slot].key != key; slot = (slot + 1) & mask) {
      if (m_slots[slot].key == 0) return;
    }
    if (m_slots[slot].index != index) return;
    // Shifts back the entries after it that could sit in its place, so
    // that no search stops at the hole.
    for (size_t next = (slot + 1) & mask; m_slots[next].key != 0; next = (next + 1) & mask) {
      const size_t wanted = home(m_slots[next].key);
      const bool staysAfterHole =
          slot <= next ? (wanted > slot && wanted <= next) : (wanted > slot || wanted <= next);
      if (staysAfterHole) continue;
      m_slots[slot] = m_slots[next];
      slot = next;
    }
    m_slots[slot].key = 0;
    --m_used;
  }

 private:
  struct Slot {
    std::uint64_t key = 0;
    size_t index = 0;
  };

  // Where `key` belongs: its high bits, well mixed whatever the words.
  size_t home(std::uint64_t key) const {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> m_shift);
  }

  void grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    --m_shift;
    m_used = 0;
    for (const Slot& entry : old) {
      if (entry.key != 0) exchange(entry.key, entry.index);
    }
  }

  std::vector<Slot> m_slots;
  size_t m_used = 0;
  int m_shift = 64 - 8;  // 256 slots
};

constexpr std::uint32_t kNone = UINT32_MAX;

// A phrase that may echo, by its first word, with its key and whether one
// word at least of it counts. The search of its length tells whether
// another occurrence of it, not overlapping it, starts within the
// distance, and the nearest such before it. It carries what the search
// reads of its words, so that the words, far larger, are read once a
// length. Texts stay under 4 GB, as the analysis's positions do.
struct Phrase {
  std::uint64_t key;
  std::uint32_t first;             // word index
  std::uint32_t begin;             // of its first word, in the text
  std::uint32_t previous = kNone;  // the phrase with the same key before
  std::uint32_t earlier = kNone;   // first word of the nearest echoed, within the distance
  bool counted;
  bool endsListed;  // its last word is listed: it is no echo, a longer one may be
  bool echoing = false;
};

// The phrases of the shortest length from the words [from, to): from every
// one that is not listed.
void addShortestPhrases(const std::vector<PhraseWord>& words, size_t from, size_t to, size_t length,
                        std::vector<Phrase>& phrases) {
  phrases.reserve(to - from);
  for (size_t i = from; i < to && i + length <= words.size(); ++i) {
    if (words[i].listed || words[i + length - 1].sentence != words[i].sentence) continue;
    std::uint64_t key = kPhraseSeed;
    bool counted = false;
    for (size_t w = i; w < i + length; ++w) {
      key = withWord(key, words[w].id);
      counted |= words[w].counted;
    }
    phrases.push_back({key, static_cast<std::uint32_t>(i), words[i].begin, kNone, kNone, counted,
                       words[i + length - 1].listed});
  }
}

// Finds which of `phrases`, all of one length, echo. The memory of the
// phrases before the current one reaches back as far as the distance.
void findEchoing(const std::vector<PhraseWord>& words, std::vector<Phrase>& phrases, size_t length,
                 size_t distance) {
  RecentPhrases recent;
  size_t oldest = 0;
  for (size_t p = 0; p < phrases.size(); ++p) {
    Phrase& phrase = phrases[p];
    const size_t i = phrase.first;
    for (; phrase.begin - phrases[oldest].begin > distance; ++oldest) {
      recent.leave(keyOf(phrases[oldest].key), oldest);
    }
    const size_t previous = recent.exchange(keyOf(phrase.key), p);
    phrase.previous = previous == kNoEarlier ? kNone : static_cast<std::uint32_t>(previous);
    // Past an occurrence that already echoes, and those overlapping it, the
    // earlier ones within the distance echo already: the walk stops there.
    size_t stopAfter = kNone;
    for (size_t q = phrase.previous; q != kNone && q >= oldest; q = phrases[q].previous) {
      const size_t j = phrases[q].first;
      if (stopAfter != kNone && j + length <= phrases[stopAfter].first) break;
      if (j + length > i || !samePhrase(words, i, j, length)) continue;
      if (phrase.earlier == kNone) phrase.earlier = phrases[q].first;
      if (phrases[q].echoing) {
        if (stopAfter == kNone) stopAfter = q;
        continue;
      }
      phrases[q].echoing = true;
    }
    phrase.echoing = phrase.earlier != kNone;
  }
}

// The longest echo from each word of [from, to), and the first word of the
// one it echoes. The search reads the words [context, end), all those an
// occurrence starting in [from, to) can echo within the distance: what it
// finds for them is what a search of the whole text finds, so that two
// shares of a long text can be searched at once.
struct LongestEchoes {
  std::vector<unsigned char> length;
  std::vector<std::uint32_t> echoed;
};

// Notes the echoes of [from, to) among `phrases`, all of `length` words,
// and keeps the phrases that echo, each one word longer: only a phrase
// whose first words come back can.
void keepEchoing(const std::vector<PhraseWord>& words, size_t length, size_t from, size_t to,
                 std::vector<Phrase>& phrases, LongestEchoes& longest) {
  size_t kept = 0;
  for (size_t p = 0; p < phrases.size(); ++p) {
    const Phrase& phrase = phrases[p];
    if (!phrase.echoing) continue;
    const size_t i = phrase.first;
    if (phrase.counted && !phrase.endsListed && i >= from && i < to) {
      longest.length[i] = static_cast<unsigned char>(length);
      longest.echoed[i] = phrase.earlier;
    }
    // The phrase's words share a sentence: the next word must share it too.
    const size_t last = i + length;
    if (last >= words.size() || words[last].sentence != words[last - 1].sentence) continue;
    phrases[kept++] = {
        withWord(phrase.key, words[last].id),  phrase.first,      phrase.begin, kNone, kNone,
        phrase.counted || words[last].counted, words[last].listed};
  }
  phrases.resize(kept);
}

void findLongestEchoes(const std::vector<PhraseWord>& words, const EchoSettings& echoes,
                       size_t from, size_t to, LongestEchoes& longest) {
  if (from >= to) return;
  const size_t distance = echoes.distance;
  size_t context = from;
  while (context > 0 && words[from].begin - words[context - 1].begin <= distance) --context;
  size_t end = to;
  while (end < words.size() && words[end].begin - words[to - 1].begin <= distance) ++end;
  const size_t shortest = static_cast<size_t>(std::max(1, echoes.minWords));
  std::vector<Phrase> phrases;
  addShortestPhrases(words, context, end, shortest, phrases);
  for (size_t length = shortest; length <= static_cast<size_t>(echoes.maxWords); ++length) {
    findEchoing(words, phrases, length, distance);
    keepEchoing(words, length, from, to, phrases, longest);
  }
}

}  // namespace

std::vector<EchoRange> phraseEchoesOf(const std::vector<PhraseWord>& words,
                                      const EchoSettings& echoes, EchoShares shares) {
  LongestEchoes longest{std::vector<unsigned char>(words.size(), 0),
                        std::vector<std::uint32_t>(words.size(), kNone)};
  const size_t middle = shares == EchoShares::kTwo ? words.size() / 2 : 0;
  if (middle == 0) {
    findLongestEchoes(words, echoes, 0, words.size(), longest);
  } else {
    // Each share writes the words of its own half.
    std::exception_ptr failure;
    std::thread second([&] {
      try {
        findLongestEchoes(words, echoes, middle, words.size(), longest);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    try {
      findLongestEchoes(words, echoes, 0, middle, longest);
    } catch (...) {
      second.join();
      throw;
    }
    second.join();
    if (failure) std::rethrow_exception(failure);
  }
  std::vector<EchoRange> ranges;
  size_t coveredTo = 0;  // word index after the reported occurrences
  for (size_t i = 0; i < words.size(); ++i) {
    const size_t end = i + longest.length[i];
    if (longest.length[i] == 0 || end <= coveredTo) continue;  // none, or inside a longer echo
    coveredTo = end;
    ranges.push_back({words[i].begin, words[end - 1].end,
                      longest.echoed[i] == kNone ? kNoEarlier : words[longest.echoed[i]].begin});
  }
  return ranges;
}

std::vector<EchoRange> sentenceOpeningsOf(const std::vector<PhraseWord>& words,
                                          const EchoSettings& echoes) {
  // The first word of each sentence, in order.
  std::vector<const PhraseWord*> openings;
  for (const PhraseWord& word : words) {
    if (openings.empty() || openings.back()->sentence != word.sentence) openings.push_back(&word);
  }
  const size_t stretch = std::max<size_t>(1, echoes.openingSentences);
  // Counts of the first words of the stretch [first, first + stretch).
  // Counted by word id: ids are dense, far fewer than the words.
  int ids = 0;
  for (const PhraseWord* opening : openings) ids = std::max(ids, opening->id + 1);
  std::vector<size_t> alike(static_cast<size_t>(ids), 0);
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

std::vector<EchoRange> findPhraseEchoes(std::string_view lowered, const AnalysisSettings& settings,
                                        const EchoSettings& echoes) {
  return phraseEchoesOf(wordsOf(lowered, settings), echoes);
}

std::vector<EchoRange> findSentenceOpenings(std::string_view lowered, const EchoSettings& echoes) {
  return sentenceOpeningsOf(wordsOf(lowered, AnalysisSettings()), echoes);
}

Echoes findEchoes(std::string_view lowered, const AnalysisSettings& settings,
                  const EchoSettings& echoes) {
  const std::vector<PhraseWord> words = wordsOf(lowered, settings);
  return {phraseEchoesOf(words, echoes), sentenceOpeningsOf(words, echoes)};
}

}  // namespace verbolt
