#include "analysis/word_table.h"

#include <algorithm>

#include "analysis/equivalence.h"

namespace {

// The length of the beginning that every key equivalent to `word` shares
// with it, beyond the two bytes that bound the candidate run. A key equal
// to `word` is always equivalent (for percentages below 100); any other
// needs both the minimum number of letters and more than the percentage
// of the longer word, hence more than that share of `word` itself.
size_t sharedBeginning(std::string_view word, const AnalysisSettings& settings) {
  size_t candidateRun = std::min<size_t>(2, word.size());
  if (!settings.m_sameActive) return word.size() + 1;
  size_t letters = static_cast<size_t>(std::max(0, settings.m_sameNbLetters));
  long long share = static_cast<long long>(word.size()) * std::max(0, settings.m_samePercent) / 100;
  return std::max({candidateRun, letters, static_cast<size_t>(share) + 1});
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

WordTable::WordTable(const AnalysisSettings& settings)
    : settings_(settings), ringSize_(std::max(1, settings.m_distantNb)) {}

void WordTable::recordOccurrence(std::string_view word, int start, std::vector<int>& closeStarts,
                                 std::vector<int>& distantStarts) {
  auto own = entries_.find(word);
  if (own == entries_.end()) {
    own = entries_.emplace(std::string(word), WordEntry{0, std::vector<int>(ringSize_, -1)}).first;
  }

  size_t shared = sharedBeginning(word, settings_);
  if (shared > word.size()) {
    // Only the word's own entry can be equivalent to it.
    if (areSimilar(word, own->first, settings_)) {
      recordInEntry(own->second, start, closeStarts, distantStarts);
    }
    return;
  }
  std::string_view prefix = word.substr(0, shared);
  for (auto it = entries_.lower_bound(prefix);
       it != entries_.end() && startsWith(it->first, prefix); ++it) {
    if (areSimilar(word, it->first, settings_)) {
      recordInEntry(it->second, start, closeStarts, distantStarts);
    }
  }
}

void WordTable::recordInEntry(WordEntry& entry, int start, std::vector<int>& closeStarts,
                              std::vector<int>& distantStarts) const {
  std::vector<int>& ring = entry.recentPositions;
  int newest = entry.count % ringSize_;
  ++entry.count;
  ring[newest] = start;

  if (settings_.m_distantActive) {
    int oldest = ring[(newest + 1) % ringSize_];
    if (oldest != -1 && start - oldest < settings_.m_distantDistance) {
      distantStarts.insert(distantStarts.end(), ring.begin(), ring.end());
    }
  }
  if (settings_.m_closeActive) {
    int previous = ring[(newest + ringSize_ - 1) % ringSize_];
    if (previous != -1 && start - previous < settings_.m_closeDistance) {
      closeStarts.push_back(previous);
      closeStarts.push_back(start);
    }
  }
}
