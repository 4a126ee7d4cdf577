#include "analysis/top_phrases.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "analysis/phrase_words.h"
#include "text/words.h"

namespace verbolt {

namespace {

// Counts of phrase keys in a flat table, each with its first occurrence.
class PhraseTable {
 public:
  // Empties the table, with room for `entries` keys.
  void reset(size_t entries) {
    m_slots.assign(std::max<size_t>(16, std::bit_ceil(entries * 2)), {});
  }

  // Counts one more occurrence of `key`, at word `first` when it is new;
  // returns its slot, where its count can be read once every occurrence
  // is in.
  std::uint32_t add(std::uint64_t key, std::uint32_t first) {
    const size_t mask = m_slots.size() - 1;
    size_t at = key & mask;
    while (m_slots[at].key != key && m_slots[at].key != 0) at = (at + 1) & mask;
    if (m_slots[at].key == 0) m_slots[at] = {key, 0, first};
    ++m_slots[at].count;
    return static_cast<std::uint32_t>(at);
  }

  int count(std::uint32_t slot) const { return m_slots[slot].count; }

  template <typename Visit>
  void forEach(Visit visit) const {
    for (const Slot& slot : m_slots) {
      if (slot.key != 0) visit(slot.count, slot.first);
    }
  }

 private:
  struct Slot {
    std::uint64_t key = 0;
    int count = 0;
    std::uint32_t first = 0;
  };

  std::vector<Slot> m_slots;
};

struct Candidate {
  int count;
  size_t length;
  size_t first;  // word index
};

// The order of the list: most frequent first, then longest, then first in
// the text.
bool comesBefore(const Candidate& a, const Candidate& b) {
  if (a.count != b.count) return a.count > b.count;
  if (a.length != b.length) return a.length > b.length;
  return a.first < b.first;
}

// The best candidates met so far, as many as asked at most: a heap whose
// top is the worst kept.
class BestCandidates {
 public:
  explicit BestCandidates(size_t room) : m_room(room) {}

  void offer(const Candidate& candidate) {
    if (m_heap.size() < m_room) {
      m_heap.push_back(candidate);
      std::push_heap(m_heap.begin(), m_heap.end(), comesBefore);
      return;
    }
    if (!comesBefore(candidate, m_heap.front())) return;
    std::pop_heap(m_heap.begin(), m_heap.end(), comesBefore);
    m_heap.back() = candidate;
    std::push_heap(m_heap.begin(), m_heap.end(), comesBefore);
  }

  // A phrase that comes fewer times than this can no longer be kept: the
  // room is full of phrases that come more often or as often.
  int lowestKeptCount() const { return m_heap.size() < m_room ? 2 : m_heap.front().count; }

  std::vector<Candidate> inOrder() {
    std::sort_heap(m_heap.begin(), m_heap.end(), comesBefore);
    return std::move(m_heap);
  }

 private:
  size_t m_room;
  std::vector<Candidate> m_heap;
};

bool isPhrase(const std::vector<PhraseWord>& words, size_t first, size_t length) {
  if (words[first].listed || words[first + length - 1].listed) return false;
  for (size_t i = first; i < first + length; ++i) {
    if (words[i].counted) return true;
  }
  return false;
}

bool contains(const std::vector<PhraseWord>& words, const Candidate& longer,
              const Candidate& shorter) {
  for (size_t at = 0; at + shorter.length <= longer.length; ++at) {
    bool same = true;
    for (size_t i = 0; i < shorter.length && same; ++i) {
      same = words[longer.first + at + i].id == words[shorter.first + i].id;
    }
    if (same) return true;
  }
  return false;
}

// A phrase being counted, by its first word: its key so far, and its slot
// in the table of its length.
struct Counting {
  std::uint64_t key;
  std::uint32_t first;
  std::uint32_t slot;
};

// The best `room` repeated phrases, in the list's order. A phrase can come
// twice only if its first words do, and no more often than they: each
// length counts only where the phrase one word shorter came often enough
// to be kept, so the tables shrink as the phrases grow.
BestCandidates repeatedPhrases(const std::vector<PhraseWord>& words, const EchoSettings& echoes,
                               size_t room) {
  const size_t n = words.size();
  std::vector<int> wordCounts;
  for (const PhraseWord& word : words) {
    if (static_cast<size_t>(word.id) >= wordCounts.size()) wordCounts.resize(word.id + 1, 0);
    ++wordCounts[word.id];
  }
  // A listed word starts no phrase, whatever its length.
  std::vector<Counting> counting;
  for (size_t i = 0; i < n; ++i) {
    if (!words[i].listed && wordCounts[words[i].id] >= 2) {
      counting.push_back({withWord(kPhraseSeed, words[i].id), static_cast<std::uint32_t>(i), 0});
    }
  }
  BestCandidates best(room);
  PhraseTable table;
  const size_t shortest = static_cast<size_t>(echoes.minWords);
  for (size_t length = 2; length <= static_cast<size_t>(echoes.maxWords); ++length) {
    size_t kept = 0;
    for (const Counting& phrase : counting) {
      const size_t last = phrase.first + length - 1;
      if (last >= n || words[last].sentence != words[phrase.first].sentence) continue;
      counting[kept++] = {withWord(phrase.key, words[last].id), phrase.first, 0};
    }
    counting.resize(kept);
    table.reset(counting.size());
    for (Counting& phrase : counting) phrase.slot = table.add(keyOf(phrase.key), phrase.first);
    if (length >= shortest) {
      table.forEach([&](int count, size_t first) {
        if (count >= 2 && isPhrase(words, first, length)) best.offer({count, length, first});
      });
    }
    const int enough = best.lowestKeptCount();
    std::erase_if(counting,
                  [&](const Counting& phrase) { return table.count(phrase.slot) < enough; });
  }
  return best;
}

// The first `limit` of `candidates`, in order, leaving out a phrase inside
// a longer one kept that comes as often.
std::vector<Candidate> listed(const std::vector<PhraseWord>& words,
                              const std::vector<Candidate>& candidates, size_t limit) {
  std::vector<Candidate> kept;
  for (const Candidate& candidate : candidates) {
    if (kept.size() == limit) break;
    const bool inside = std::any_of(kept.begin(), kept.end(), [&](const Candidate& longer) {
      return longer.length > candidate.length && longer.count == candidate.count &&
             contains(words, longer, candidate);
    });
    if (!inside) kept.push_back(candidate);
  }
  return kept;
}

}  // namespace

std::vector<PhraseCount> topPhrases(std::string_view lowered, const AnalysisSettings& settings,
                                    const EchoSettings& echoes, size_t limit) {
  return topPhrasesOf(wordsOf(lowered, settings), echoes, limit);
}

std::vector<PhraseCount> topPhrasesOf(const std::vector<PhraseWord>& words,
                                      const EchoSettings& echoes, size_t limit) {
  // A phrase kept leaves out at most the shorter phrases inside it, 14 for
  // phrases of 6 words: the first `limit` of the list lie among the best
  // `limit` times one more than that.
  const size_t longest = static_cast<size_t>(std::max(2, echoes.maxWords));
  const size_t inside = longest * (longest - 1) / 2 - 1;
  const std::vector<Candidate> kept =
      listed(words, repeatedPhrases(words, echoes, limit * (inside + 1)).inOrder(), limit);
  std::vector<PhraseCount> phrases;
  for (const Candidate& c : kept) {
    phrases.push_back({words[c.first].begin, words[c.first + c.length - 1].end, c.count});
  }
  return phrases;
}

std::string phraseWords(std::string_view lowered, const PhraseCount& phrase) {
  std::string words;
  for (char c : lowered.substr(phrase.begin, phrase.end - phrase.begin)) {
    const bool blank = static_cast<unsigned char>(c) <= ' ';
    if (!blank) {
      words += c;
    } else if (words.back() != ' ') {
      words += ' ';
    }
  }
  return words;
}

std::vector<std::pair<size_t, size_t>> phraseOccurrences(std::string_view lowered,
                                                         std::string_view words) {
  std::vector<std::string_view> wanted;
  forEachWord(
      words, [&](size_t begin, size_t end) { wanted.push_back(words.substr(begin, end - begin)); });
  std::vector<std::pair<size_t, size_t>> found;
  if (wanted.empty()) return found;
  const std::vector<PhraseWord> text = wordsOf(lowered, AnalysisSettings());
  for (size_t i = 0; i + wanted.size() <= text.size(); ++i) {
    bool same = true;
    for (size_t w = 0; w < wanted.size() && same; ++w) {
      const PhraseWord& word = text[i + w];
      same = word.sentence == text[i].sentence &&
             lowered.substr(word.begin, word.end - word.begin) == wanted[w];
    }
    if (same) found.emplace_back(text[i].begin, text[i + wanted.size() - 1].end);
  }
  return found;
}

}  // namespace verbolt
