#include "analysis/phrase_echoes.h"

#include <algorithm>
#include <cstdint>
#include <string>
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

struct Occurrence {
  size_t first;  // word index
  size_t length;
  size_t earlier = kNoEarlier;  // word index of the occurrence it echoes
};

// The search for the echoing phrases of one length. Its memory of the
// occurrences before the current one reaches back as far as the distance,
// in rings indexed by word.
class EchoesOfLength {
 public:
  EchoesOfLength(const std::vector<PhraseWord>& words, size_t length, size_t distance)
      : m_words(words), m_length(length), m_distance(distance) {
    // Two words' starts are two bytes apart at least.
    size_t ring = 64;
    while (ring < std::min(words.size(), distance / 2 + length + 2)) ring *= 2;
    m_mask = ring - 1;
    m_previous.assign(ring, kNoEarlier);
    m_hash.assign(ring, 0);
    m_echoing.assign(ring, false);
  }

  // PhraseWord `i` starts no phrase of this length.
  void pass(size_t i) {
    forgetBefore(i);
    m_hash[i & m_mask] = 0;
  }

  // The phrase of this length from word `i`, under `key`: when another
  // occurrence of it that does not overlap it is within the distance, it is
  // added to `found`, paired with the nearest before it, and so are the
  // earlier ones not added yet.
  void visit(size_t i, std::uint64_t key, std::vector<Occurrence>& found) {
    forgetBefore(i);
    m_hash[i & m_mask] = key;
    m_echoing[i & m_mask] = false;
    m_previous[i & m_mask] = m_recent.exchange(key, i);
    Occurrence occurrence{i, m_length};
    // Past an occurrence that already echoes, and those overlapping it, the
    // earlier ones within the distance echo already: the walk stops there.
    size_t stopAfter = kNoEarlier;
    for (size_t j = m_previous[i & m_mask]; j != kNoEarlier; j = m_previous[j & m_mask]) {
      if (m_words[i].begin - m_words[j].begin > m_distance) break;
      if (stopAfter != kNoEarlier && j + m_length <= stopAfter) break;
      if (j + m_length > i || !samePhrase(m_words, i, j, m_length)) continue;
      if (occurrence.earlier == kNoEarlier) occurrence.earlier = j;
      if (m_echoing[j & m_mask]) {
        if (stopAfter == kNoEarlier) stopAfter = j;
        continue;
      }
      m_echoing[j & m_mask] = true;
      found.push_back({j, m_length});
    }
    if (occurrence.earlier == kNoEarlier) return;
    m_echoing[i & m_mask] = true;
    found.push_back(occurrence);
  }

 private:
  // The occurrences farther than the distance before word `i` leave the table.
  void forgetBefore(size_t i) {
    for (; m_oldest < i && m_words[i].begin - m_words[m_oldest].begin > m_distance; ++m_oldest) {
      if (m_hash[m_oldest & m_mask] != 0) m_recent.leave(m_hash[m_oldest & m_mask], m_oldest);
    }
  }

  const std::vector<PhraseWord>& m_words;
  size_t m_length;
  size_t m_distance;
  size_t m_mask = 0;
  size_t m_oldest = 0;
  RecentPhrases m_recent;
  std::vector<size_t> m_previous;     // the occurrence of the same phrase before
  std::vector<std::uint64_t> m_hash;  // the phrase's key; 0 for no phrase
  std::vector<bool> m_echoing;
};

}  // namespace

std::vector<EchoRange> phraseEchoesOf(const std::vector<PhraseWord>& words,
                                      const EchoSettings& echoes) {
  std::vector<Occurrence> found;
  const size_t shortest = static_cast<size_t>(std::max(1, echoes.minWords));
  std::vector<EchoesOfLength> lengths;
  for (size_t length = shortest; length <= static_cast<size_t>(echoes.maxWords); ++length) {
    lengths.emplace_back(words, length, echoes.distance);
  }
  for (size_t i = 0; i < words.size(); ++i) {
    // The phrases from word i, one word longer at each step.
    std::uint64_t key = kPhraseSeed;
    bool counted = false;
    size_t visited = 0;
    for (size_t last = i;
         !words[i].listed && last < words.size() && last - i < lengths.size() + shortest - 1 &&
         words[last].sentence == words[i].sentence;
         ++last) {
      key = withWord(key, words[last].id);
      counted |= words[last].counted;
      const size_t length = last - i + 1;
      if (length < shortest) continue;
      EchoesOfLength& search = lengths[length - shortest];
      if (words[last].listed || !counted) {
        search.pass(i);
      } else {
        search.visit(i, keyOf(key), found);
      }
      ++visited;
    }
    for (size_t l = visited; l < lengths.size(); ++l) lengths[l].pass(i);
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

std::vector<EchoRange> sentenceOpeningsOf(const std::vector<PhraseWord>& words,
                                          const EchoSettings& echoes) {
  // The first word of each sentence, in order.
  std::vector<const PhraseWord*> openings;
  for (const PhraseWord& word : words) {
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
