#include "analysis/top_phrases.h"

#include <algorithm>
#include <cstdint>

#include "analysis/phrase_words.h"
#include "text/words.h"

namespace verbolt {

namespace {

// Counts of phrase keys in a flat table, each with its first occurrence.
class PhraseTable {
 public:
  explicit PhraseTable(size_t entries) {
    size_t size = 16;
    while (size < entries * 2) size *= 2;
    m_slots.assign(size, {});
  }

  // Counts one more occurrence of `key`, at word `first` when it is new;
  // returns its entry.
  void add(std::uint64_t key, size_t first) {
    Slot& slot = find(key);
    if (slot.key == 0) slot = {key, 0, first};
    ++slot.count;
  }

  int count(std::uint64_t key) { return find(key).count; }

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
    size_t first = 0;
  };

  Slot& find(std::uint64_t key) {
    const size_t mask = m_slots.size() - 1;
    for (size_t at = key & mask;; at = (at + 1) & mask) {
      if (m_slots[at].key == key || m_slots[at].key == 0) return m_slots[at];
    }
  }

  std::vector<Slot> m_slots;
};

struct Candidate {
  int count;
  size_t length;
  size_t first;  // word index
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

// The repeated phrases of every length up to the longest. A phrase can come
// twice only if its first words do, so each length counts only where the
// phrase one word shorter was repeated: the tables stay small.
std::vector<Candidate> repeatedPhrases(const std::vector<PhraseWord>& words,
                                       const EchoSettings& echoes) {
  const size_t n = words.size();
  std::vector<int> wordCounts;
  for (const PhraseWord& word : words) {
    if (static_cast<size_t>(word.id) >= wordCounts.size()) wordCounts.resize(word.id + 1, 0);
    ++wordCounts[word.id];
  }
  std::vector<std::uint64_t> keys(n);
  std::vector<char> repeated(n);
  for (size_t i = 0; i < n; ++i) {
    keys[i] = withWord(kPhraseSeed, words[i].id);
    repeated[i] = wordCounts[words[i].id] >= 2;
  }
  std::vector<Candidate> found;
  const size_t shortest = static_cast<size_t>(echoes.minWords);
  for (size_t length = 2; length <= static_cast<size_t>(echoes.maxWords); ++length) {
    PhraseTable table(n);
    for (size_t i = 0; i + length <= n; ++i) {
      repeated[i] = repeated[i] && words[i + length - 1].sentence == words[i].sentence;
      if (!repeated[i]) continue;
      keys[i] = withWord(keys[i], words[i + length - 1].id);
      table.add(keyOf(keys[i]), i);
    }
    for (size_t i = 0; i < n; ++i) {
      repeated[i] = repeated[i] && i + length <= n && table.count(keyOf(keys[i])) >= 2;
    }
    if (length < shortest) continue;
    table.forEach([&](int count, size_t first) {
      if (count >= 2 && isPhrase(words, first, length)) found.push_back({count, length, first});
    });
  }
  return found;
}

}  // namespace

std::vector<PhraseCount> topPhrases(std::string_view lowered, const AnalysisSettings& settings,
                                    const EchoSettings& echoes, size_t limit) {
  return topPhrasesOf(wordsOf(lowered, settings), echoes, limit);
}

std::vector<PhraseCount> topPhrasesOf(const std::vector<PhraseWord>& words,
                                      const EchoSettings& echoes, size_t limit) {
  std::vector<Candidate> candidates = repeatedPhrases(words, echoes);
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    if (a.count != b.count) return a.count > b.count;
    if (a.length != b.length) return a.length > b.length;
    return a.first < b.first;
  });
  std::vector<Candidate> kept;
  for (const Candidate& candidate : candidates) {
    if (kept.size() == limit) break;
    const bool inside = std::any_of(kept.begin(), kept.end(), [&](const Candidate& longer) {
      return longer.length > candidate.length && longer.count == candidate.count &&
             contains(words, longer, candidate);
    });
    if (!inside) kept.push_back(candidate);
  }
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
