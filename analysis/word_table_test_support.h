// A word table fed with words, as the tests write them: it gives each new
// word its entry and reads the whole table back as an ordered map.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/word_table.h"

namespace verbolt {

struct WordEntry {
  int count = 0;
  // Slot (count mod N) receives the next occurrence; -1 is an empty slot.
  std::vector<int> recentPositions;
  friend bool operator==(const WordEntry&, const WordEntry&) = default;
};

// Keys in unsigned byte order, as std::string compares them.
using WordEntries = std::map<std::string, WordEntry, std::less<>>;

class WordsTable {
 public:
  explicit WordsTable(const AnalysisSettings& settings) : m_table(settings) {}

  // Records the occurrence of `word` (lowered, not skipped) starting at
  // `start` and appends the repetitions it completes.
  void recordOccurrence(std::string_view word, int start, std::vector<int>& closeStarts,
                        std::vector<int>& distantStarts) {
    m_table.recordOccurrenceOf(entryFor(word), start, closeStarts, distantStarts);
  }

  WordEntries entries() const {
    WordEntries entries;
    m_table.forEachEntry([&](std::string_view key, int count, std::span<const int> ring) {
      entries.emplace_hint(entries.end(), std::string(key),
                           WordEntry{count, std::vector<int>(ring.begin(), ring.end())});
    });
    return entries;
  }

  const WordTable& table() const { return m_table; }

 private:
  int entryFor(std::string_view word) {
    auto found = m_ids.find(word);
    if (found != m_ids.end()) return found->second;
    // A map's keys never move, so the table may keep pointing at them.
    auto added = m_ids.emplace(std::string(word), 0).first;
    added->second = m_table.addEntry(added->first);
    return added->second;
  }

  std::map<std::string, int, std::less<>> m_ids;
  WordTable m_table;  // after m_ids, whose words it reads, so it goes first
};

}  // namespace verbolt
