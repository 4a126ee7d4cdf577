#include "analysis/phrase_echoes.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>

#include "analysis/huge_pages.h"
#include "analysis/phrase_words.h"
#include "analysis/sentence_marks.h"
#include "analysis/work_beside.h"

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
// length. Texts stay under 2 GB, as the analysis's positions do.
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

// The longest echo from each word of [from, to), and the first word of the
// one it echoes.
struct LongestEchoes {
  std::vector<unsigned char> length;
  std::vector<std::uint32_t> echoed;
};

// The phrases of one length, searched one after another for echoes. A
// phrase is settled once the search has moved past the distance from it:
// nothing after can echo it. The search's memory reaches back as far as
// the distance.
class EchoSearch {
 public:
  EchoSearch(const std::vector<PhraseWord>& words, size_t length, size_t distance)
      : m_words(words), m_length(length), m_distance(distance) {}

  // Searches the phrases that `next` gives, in order; `at(p)` is where the
  // p-th stays until `settled(p)` is told it is settled.
  template <typename Next, typename At, typename Settled>
  void run(Next next, At at, Settled settled) {
    size_t oldest = 0;
    size_t p = 0;
    for (Phrase phrase; next(phrase); ++p) {
      for (; oldest < p && phrase.begin - at(oldest).begin > m_distance; ++oldest) {
        m_recent.leave(keyOf(at(oldest).key), oldest);
        settled(oldest);
      }
      at(p) = phrase;
      findEarlier(p, oldest, at);
    }
    for (; oldest < p; ++oldest) settled(oldest);
  }

 private:
  // Whether the p-th phrase echoes one before it, which then echoes too.
  // Past an occurrence that already echoes, and those overlapping it, the
  // earlier ones within the distance echo already: the walk stops there.
  template <typename At>
  void findEarlier(size_t p, size_t oldest, At at) {
    Phrase& phrase = at(p);
    const size_t i = phrase.first;
    const size_t previous = m_recent.exchange(keyOf(phrase.key), p);
    phrase.previous = previous == kNoEarlier ? kNone : static_cast<std::uint32_t>(previous);
    size_t stopAt = kNone;  // first word of the nearest that already echoes
    for (size_t q = phrase.previous; q != kNone && q >= oldest; q = at(q).previous) {
      Phrase& before = at(q);
      const size_t j = before.first;
      if (stopAt != kNone && j + m_length <= stopAt) break;
      if (j + m_length > i || !samePhrase(m_words, i, j, m_length)) continue;
      if (phrase.earlier == kNone) phrase.earlier = before.first;
      if (before.echoing) {
        if (stopAt == kNone) stopAt = j;
        continue;
      }
      before.echoing = true;
    }
    phrase.echoing = phrase.earlier != kNone;
  }

  const std::vector<PhraseWord>& m_words;
  const size_t m_length;
  const size_t m_distance;
  RecentPhrases m_recent;
};

// The phrases of `length` words from the words [from, to): from every one
// that is not listed, within one sentence.
class ShortestPhrases {
 public:
  ShortestPhrases(const std::vector<PhraseWord>& words, size_t from, size_t to, size_t length)
      : m_words(words), m_next(from), m_to(std::min(to, words.size())), m_length(length) {}

  bool operator()(Phrase& phrase) {
    for (; m_next < m_to && m_next + m_length <= m_words.size(); ++m_next) {
      const size_t i = m_next;
      if (m_words[i].listed || m_words[i + m_length - 1].sentence != m_words[i].sentence) {
        continue;
      }
      std::uint64_t key = kPhraseSeed;
      bool counted = false;
      for (size_t w = i; w < i + m_length; ++w) {
        key = withWord(key, m_words[w].id);
        counted |= m_words[w].counted;
      }
      phrase = {key,     static_cast<std::uint32_t>(i),   m_words[i].begin, kNone, kNone,
                counted, m_words[i + m_length - 1].listed};
      ++m_next;
      return true;
    }
    return false;
  }

 private:
  const std::vector<PhraseWord>& m_words;
  size_t m_next;
  const size_t m_to;
  const size_t m_length;
};

// What a settled phrase of `length` words leaves: its echo, noted when it
// starts in [from, to), and, when it echoes, the phrase one word longer,
// which may echo too.
class Settling {
 public:
  Settling(const std::vector<PhraseWord>& words, size_t length, size_t from, size_t to,
           LongestEchoes& longest)
      : m_words(words), m_length(length), m_from(from), m_to(to), m_longest(longest) {}

  // Notes the echo of `phrase`; gives it one word longer when it may echo so.
  bool settle(const Phrase& phrase, Phrase& lengthened) {
    if (!phrase.echoing) return false;
    const size_t i = phrase.first;
    if (phrase.counted && !phrase.endsListed && i >= m_from && i < m_to) {
      m_longest.length[i] = static_cast<unsigned char>(m_length);
      m_longest.echoed[i] = phrase.earlier;
    }
    // The phrase's words share a sentence: the next word must share it too.
    const size_t last = i + m_length;
    if (last >= m_words.size() || m_words[last].sentence != m_words[last - 1].sentence) {
      return false;
    }
    lengthened = {
        withWord(phrase.key, m_words[last].id),  phrase.first,        phrase.begin, kNone, kNone,
        phrase.counted || m_words[last].counted, m_words[last].listed};
    return true;
  }

 private:
  const std::vector<PhraseWord>& m_words;
  const size_t m_length;
  const size_t m_from;
  const size_t m_to;
  LongestEchoes& m_longest;
};

// The shortest phrases are nearly as many as the words: they are made as
// the search reaches them and kept only while within the distance, in a
// ring that holds every phrase within it (their first words start at
// distinct letters). Only those that echo are kept, one word longer.
std::vector<Phrase> searchShortest(const std::vector<PhraseWord>& words, size_t from, size_t to,
                                   size_t length, size_t distance, Settling settling) {
  size_t slots = 1;
  while (slots < std::min(distance + 2, to - from + 1)) slots *= 2;
  std::vector<Phrase> ring(slots);
  auto at = [&](size_t p) -> Phrase& { return ring[p & (slots - 1)]; };
  // Reserved, not touched: only the pages written are taken.
  std::vector<Phrase> longer;
  reserveLarge(longer, to - from);
  EchoSearch(words, length, distance)
      .run(ShortestPhrases(words, from, to, length), at, [&](size_t p) {
        Phrase lengthened;
        if (settling.settle(at(p), lengthened)) longer.push_back(lengthened);
      });
  return longer;
}

// The longer phrases are searched where they stand; those that echo are
// kept in the same vector, one word longer.
void searchLonger(const std::vector<PhraseWord>& words, size_t length, size_t distance,
                  Settling settling, std::vector<Phrase>& phrases) {
  const size_t count = phrases.size();
  size_t read = 0;
  size_t kept = 0;  // never past the oldest phrase not settled
  auto next = [&](Phrase& phrase) {
    if (read == count) return false;
    phrase = phrases[read++];
    return true;
  };
  auto at = [&](size_t p) -> Phrase& { return phrases[p]; };
  EchoSearch(words, length, distance).run(next, at, [&](size_t p) {
    Phrase lengthened;
    if (settling.settle(phrases[p], lengthened)) phrases[kept++] = lengthened;
  });
  phrases.resize(kept);
}

// The search reads the words [context, end), all those an occurrence
// starting in [from, to) can echo within the distance: what it finds for
// them is what a search of the whole text finds, so that two shares of a
// long text can be searched at once.
void findLongestEchoes(const std::vector<PhraseWord>& words, const EchoSettings& echoes,
                       size_t from, size_t to, LongestEchoes& longest) {
  if (from >= to) return;
  const size_t distance = echoes.distance;
  size_t context = from;
  while (context > 0 && words[from].begin - words[context - 1].begin <= distance) --context;
  size_t end = to;
  while (end < words.size() && words[end].begin - words[to - 1].begin <= distance) ++end;
  const size_t shortest = static_cast<size_t>(std::max(1, echoes.minWords));
  const size_t maxLength = static_cast<size_t>(echoes.maxWords);
  if (shortest > maxLength) return;
  std::vector<Phrase> phrases = searchShortest(words, context, end, shortest, distance,
                                               Settling(words, shortest, from, to, longest));
  for (size_t length = shortest + 1; length <= maxLength; ++length) {
    searchLonger(words, length, distance, Settling(words, length, from, to, longest), phrases);
  }
}

}  // namespace

std::vector<EchoRange> phraseEchoesOf(const std::vector<PhraseWord>& words,
                                      const EchoSettings& echoes, EchoShares shares) {
  LongestEchoes longest;
  reserveLarge(longest.length, words.size());
  reserveLarge(longest.echoed, words.size());
  longest.length.assign(words.size(), 0);
  longest.echoed.assign(words.size(), kNone);
  const size_t middle = shares == EchoShares::kTwo ? words.size() / 2 : 0;
  if (middle == 0) {
    findLongestEchoes(words, echoes, 0, words.size(), longest);
  } else {
    // Each share writes the words of its own half.
    WorkBeside second([&] { findLongestEchoes(words, echoes, middle, words.size(), longest); });
    findLongestEchoes(words, echoes, 0, middle, longest);
    second.join();
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
