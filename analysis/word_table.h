// The word table: every counted occurrence, recorded under each equivalent
// word form met so far, with the rings that reveal close and distant
// repetitions.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

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

  const WordEntries& entries() const { return entries_; }

 private:
  void recordInEntry(WordEntry& entry, int start, std::vector<int>& closeStarts,
                     std::vector<int>& distantStarts) const;

  const AnalysisSettings& settings_;
  int ringSize_;
  WordEntries entries_;
};
