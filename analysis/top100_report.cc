#include "analysis/top100_report.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "analysis/equivalence.h"

namespace {

constexpr int kMainLines = 100;

struct TopEntry {
  int count;
  const std::string* word;  // null once printed as an equivalent of an earlier entry
};

// Highest count first; equal counts keep the table's key order.
std::vector<TopEntry> rankEntries(const WordEntries& entries) {
  std::vector<TopEntry> ranking;
  ranking.reserve(entries.size());
  for (const auto& [word, entry] : entries) ranking.push_back({entry.count, &word});
  std::stable_sort(ranking.begin(), ranking.end(),
                   [](const TopEntry& a, const TopEntry& b) { return a.count > b.count; });
  return ranking;
}

void appendMainLine(std::string& report, int count, const std::string& word) {
  char number[16];
  std::snprintf(number, sizeof number, "%3d", count);
  report.append(number).append(" : ").append(word).append("\n");
}

void appendEquivalentLine(std::string& report, const std::string& word) {
  report.append("       ").append(word).append("\n");
}

}  // namespace

std::string buildTop100Report(const WordTable& table, const AnalysisSettings& settings) {
  std::vector<TopEntry> ranking = rankEntries(table.entries());
  std::string report;
  int mainLines = 0;
  for (size_t p = 0; p < ranking.size() && mainLines < kMainLines; ++p) {
    if (!ranking[p].word) continue;
    const std::string& word = *ranking[p].word;
    appendMainLine(report, ranking[p].count, word);
    // With similar words off no two keys are equivalent: skip the walk.
    if (settings.m_sameActive) {
      for (size_t o = p + 1; o < ranking.size(); ++o) {
        if (ranking[o].word && areSimilar(word, *ranking[o].word, settings)) {
          appendEquivalentLine(report, *ranking[o].word);
          ranking[o].word = nullptr;
        }
      }
    }
    ++mainLines;
  }
  return report;
}
