#include "analysis/top100_report.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "analysis/equivalence.h"

namespace {

constexpr int kMainLines = 100;

// The first main lines seldom reach far down the ranking: order only this
// many entries at first, and the rest when the walk gets there.
constexpr size_t kFirstRanked = 1024;

// The table's entries in key order; an entry is named by its index here.
using Row = WordTable::KeyCount;

// Highest count first; equal counts keep the key order. Counts are never
// negative, so one unsigned comparison of (complemented count, index)
// orders both at once.
std::uint64_t rankKey(const Row& row, size_t index) {
  auto lowered = static_cast<std::uint32_t>(INT32_MAX - row.count);
  return (static_cast<std::uint64_t>(lowered) << 32) | static_cast<std::uint32_t>(index);
}

size_t indexOf(std::uint64_t key) { return static_cast<size_t>(key & 0xFFFFFFFFu); }

// Every key equivalent to `word` other than itself shares more than the
// percentage of `word` with it, at least one byte and at least the minimum
// number of letters; a beginning longer than `word` leaves no such key. A
// percentage below zero (never left by ClampToRanges) bounds nothing.
size_t familyBeginning(std::string_view word, const AnalysisSettings& settings) {
  if (settings.m_samePercent < 0) return 0;
  return similarBeginning(word.size(), settings);
}

void appendMainLine(std::string& report, int count, std::string_view word) {
  char number[16];
  std::snprintf(number, sizeof number, "%3d", count);
  report.append(number).append(" : ").append(word).append("\n");
}

void appendEquivalentLine(std::string& report, std::string_view word) {
  report.append("       ").append(word).append("\n");
}

class Report {
 public:
  Report(std::vector<Row> rows, const AnalysisSettings& settings)
      : settings_(settings), rows_(std::move(rows)), printed_(rows_.size()) {
    ranking_.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) ranking_.push_back(rankKey(rows_[i], i));
  }

  std::string build() {
    int mainLines = 0;
    size_t ranked = std::min(kFirstRanked, ranking_.size());
    std::partial_sort(ranking_.begin(), ranking_.begin() + static_cast<long>(ranked),
                      ranking_.end());
    for (size_t p = 0; p < ranking_.size() && mainLines < kMainLines; ++p) {
      if (p == ranked) {
        std::sort(ranking_.begin() + static_cast<long>(ranked), ranking_.end());
        ranked = ranking_.size();
      }
      size_t main = indexOf(ranking_[p]);
      if (printed_[main]) continue;
      appendMainLine(report_, rows_[main].count, rows_[main].key);
      printed_[main] = true;
      // With similar words off no two keys are equivalent: skip the walk.
      if (settings_.m_sameActive) appendFamilyOf(main);
      ++mainLines;
    }
    return std::move(report_);
  }

 private:
  // The equivalent words ranked after the main entry, in ranking order: the
  // keys that can be equivalent form one run of the key order.
  void appendFamilyOf(size_t main) {
    std::string_view word = rows_[main].key;
    size_t shared = familyBeginning(word, settings_);
    if (shared > word.size()) return;
    std::string_view prefix = word.substr(0, shared);
    auto first = std::lower_bound(rows_.begin(), rows_.end(), prefix,
                                  [](const Row& row, std::string_view p) { return row.key < p; });
    std::uint64_t mainKey = rankKey(rows_[main], main);
    family_.clear();
    for (auto row = first; row != rows_.end() && row->key.starts_with(prefix); ++row) {
      size_t o = static_cast<size_t>(row - rows_.begin());
      std::uint64_t key = rankKey(*row, o);
      if (key <= mainKey || printed_[o] || !areSimilar(word, row->key, settings_)) continue;
      family_.push_back(key);
    }
    std::sort(family_.begin(), family_.end());
    for (std::uint64_t key : family_) {
      appendEquivalentLine(report_, rows_[indexOf(key)].key);
      printed_[indexOf(key)] = true;
    }
  }

  const AnalysisSettings& settings_;
  std::vector<Row> rows_;
  std::vector<std::uint64_t> ranking_;
  std::vector<bool> printed_;  // as a main line or as an equivalent
  std::vector<std::uint64_t> family_;
  std::string report_;
};

}  // namespace

std::string buildTop100Report(const WordTable& table, const AnalysisSettings& settings) {
  return Report(table.countsInKeyOrder(), settings).build();
}

std::string buildTop100Report(std::vector<WordTable::KeyCount> countsInKeyOrder,
                              const AnalysisSettings& settings) {
  return Report(std::move(countsInKeyOrder), settings).build();
}
