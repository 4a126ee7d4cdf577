// The word table: every counted occurrence, recorded under each equivalent
// word form met so far, with the rings that reveal close and distant
// repetitions.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/key_order.h"
#include "settings/analysis_settings.h"

struct WordEntry {
  int count = 0;
  // Slot (count mod N) receives the next occurrence; -1 is an empty slot.
  std::vector<int> recentPositions;
};

// Keys in unsigned byte order, as std::string compares them.
using WordEntries = std::map<std::string, WordEntry, std::less<>>;

class WordTable {
 public:
  // Keeps a reference to `settings`, which must outlive the table.
  explicit WordTable(const AnalysisSettings& settings);

  // Records the occurrence of `word` (lowered, not skipped) starting at `start`
  // and appends the repetitions it completes.
  void recordOccurrence(std::string_view word, int start, std::vector<int>& closeStarts,
                        std::vector<int>& distantStarts);

  // The two halves of recordOccurrence, for a caller that keeps the entry id
  // of each word it has met: the id of the own entry of `word` (created
  // empty when new; ids count up from 0 in order of creation), then the
  // recording of an occurrence of the word whose own entry is `entry`.
  int entryFor(std::string_view word);
  void recordOccurrenceOf(int entry, int start, std::vector<int>& closeStarts,
                          std::vector<int>& distantStarts);

  // Ask the processor to fetch, in turn, what the recording of an
  // upcoming occurrence of the word whose own entry is `entry` reads first
  // and what it reads next.
  void prefetch(int entry) const;
  void prefetchEquivalents(int entry) const;

  // Every key with its count, in key order: what the Top-100 ranks.
  struct KeyCount {
    std::string_view key;
    int count;
  };
  std::vector<KeyCount> countsInKeyOrder() const;

  // The whole table as one ordered map, made when asked for; it stays valid
  // until the next occurrence is recorded.
  const WordEntries& entries() const;

 private:
  // The state of an entry, beside its key: the count, the slot of the ring
  // that takes the next occurrence (count mod ring size, kept without a
  // division) and the ring.
  enum StateField { kCount, kNextSlot, kRing };

  // What each entry knows of the entries that the occurrences of its word
  // go to. They lie among the keys sharing the word's beginning (the run
  // of the entry), so the entry marks them in a bit map over that run,
  // which stays right until a key arrives in the run: the arrival count
  // the map was made at (or kListNeverChanges, or kListOutdated), where
  // that count lies, the first key of the run, its length (kOnlyItself when
  // the entry is the only one, then without a map) and where the map lies
  // in marks_.
  enum ListField { kListStamp, kStampSlot, kRunFirst, kRunLength, kMarksStart, kListFields };
  static constexpr int kListNeverChanges = -1;
  static constexpr int kListOutdated = -2;
  static constexpr int kOnlyItself = -1;

  int* listFields(int entry) { return listInfo_.data() + static_cast<size_t>(entry) * kListFields; }
  const int* listFields(int entry) const {
    return listInfo_.data() + static_cast<size_t>(entry) * kListFields;
  }

  using Key = KeyOrder::Key;

  size_t sharedBeginning(size_t length) const;
  size_t stampSlot(std::uint64_t head, size_t length) const;
  void makeList(int entry);
  int allocateMarks(int words);
  void recordIn(int* state, int start, std::vector<int>& closeStarts,
                std::vector<int>& distantStarts);

  const AnalysisSettings& settings_;
  int ringSize_;
  bool sameActive_;
  size_t sameLetters_;
  long long samePercent_;
  bool closeActive_;
  bool distantActive_;
  int closeDistance_;
  int distantDistance_;
  KeyOrder keys_;
  std::vector<int> listInfo_;  // kListFields ints per entry id
  // The bit maps, in chunks of a power of two words; a chunk a map has
  // outgrown is kept for another map of its size.
  std::vector<std::uint64_t> marks_;
  std::vector<std::vector<int>> freeChunks_;
  // Each beginning of up to kStampedBytes bytes counts the arrivals of keys
  // that begin with it, in a table where two beginnings may share a count:
  // that only makes a map be made again.
  static constexpr size_t kStampedBytes = 8;
  std::vector<int> beginningStamps_;
  std::vector<std::uint64_t> newMarks_;
  mutable WordEntries entries_;
  mutable bool entriesCurrent_ = true;
};
