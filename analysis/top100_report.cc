#include "analysis/top100_report.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/equivalence.h"

namespace verbolt {

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
  report.append(kFamilyIndent, ' ').append(word).append("\n");
}

class Report {
 public:
  Report(std::vector<Row> rows, const AnalysisSettings& settings)
      : m_settings(settings), m_rows(std::move(rows)), m_printed(m_rows.size()) {
    m_ranking.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) m_ranking.push_back(rankKey(m_rows[i], i));
  }

  std::string build() {
    int mainLines = 0;
    size_t ranked = std::min(kFirstRanked, m_ranking.size());
    std::partial_sort(m_ranking.begin(), m_ranking.begin() + static_cast<long>(ranked),
                      m_ranking.end());
    for (size_t p = 0; p < m_ranking.size() && mainLines < kMainLines; ++p) {
      if (p == ranked) {
        std::sort(m_ranking.begin() + static_cast<long>(ranked), m_ranking.end());
        ranked = m_ranking.size();
      }
      size_t main = indexOf(m_ranking[p]);
      if (m_printed[main]) continue;
      appendMainLine(m_report, m_rows[main].count, m_rows[main].key);
      m_printed[main] = true;
      // With similar words off no two keys are equivalent: skip the walk.
      if (m_settings.m_sameActive) appendFamilyOf(main);
      ++mainLines;
    }
    return std::move(m_report);
  }

 private:
  // The equivalent words ranked after the main entry, in ranking order.
  void appendFamilyOf(size_t main) {
    m_family.clear();
    if (familiesByLemma(m_settings)) {
      gatherLemmaFamily(main);
    } else {
      gatherBeginningFamily(main);
    }
    std::sort(m_family.begin(), m_family.end());
    m_family.erase(std::unique(m_family.begin(), m_family.end()), m_family.end());
    for (std::uint64_t key : m_family) {
      appendEquivalentLine(m_report, m_rows[indexOf(key)].key);
      m_printed[indexOf(key)] = true;
    }
  }

  // Keys that can share a beginning with the main entry form one run of
  // the key order.
  void gatherBeginningFamily(size_t main) {
    std::string_view word = m_rows[main].key;
    size_t shared = familyBeginning(word, m_settings);
    if (shared > word.size()) return;
    std::string_view prefix = word.substr(0, shared);
    auto first = std::lower_bound(m_rows.begin(), m_rows.end(), prefix,
                                  [](const Row& row, std::string_view p) { return row.key < p; });
    std::uint64_t mainKey = rankKey(m_rows[main], main);
    for (auto row = first; row != m_rows.end() && row->key.starts_with(prefix); ++row) {
      size_t o = static_cast<size_t>(row - m_rows.begin());
      std::uint64_t key = rankKey(*row, o);
      if (key <= mainKey || m_printed[o] || !areSimilar(word, row->key, m_settings)) continue;
      m_family.push_back(key);
    }
  }

  // Keys that share a lemma with the main entry, found through the rows of
  // each lemma.
  void gatherLemmaFamily(size_t main) {
    if (m_rowsOfLemma.empty()) indexRowsByLemma();
    std::uint64_t mainKey = rankKey(m_rows[main], main);
    for (int lemma : m_settings.m_lemmas->lemmasOf(m_rows[main].key)) {
      for (size_t o : m_rowsOfLemma[lemma]) {
        std::uint64_t key = rankKey(m_rows[o], o);
        if (key > mainKey && !m_printed[o]) m_family.push_back(key);
      }
    }
  }

  void indexRowsByLemma() {
    for (size_t o = 0; o < m_rows.size(); ++o) {
      for (int lemma : m_settings.m_lemmas->lemmasOf(m_rows[o].key))
        m_rowsOfLemma[lemma].push_back(o);
    }
  }

  const AnalysisSettings& m_settings;
  std::vector<Row> m_rows;
  std::vector<std::uint64_t> m_ranking;
  std::vector<bool> m_printed;  // as a main line or as an equivalent
  std::vector<std::uint64_t> m_family;
  std::unordered_map<int, std::vector<size_t>> m_rowsOfLemma;
  std::string m_report;
};

}  // namespace

std::string buildTop100Report(const WordTable& table, const AnalysisSettings& settings) {
  return Report(table.countsInKeyOrder(), settings).build();
}

std::string buildTop100Report(std::vector<WordTable::KeyCount> countsInKeyOrder,
                              const AnalysisSettings& settings) {
  return Report(std::move(countsInKeyOrder), settings).build();
}

}  // namespace verbolt
