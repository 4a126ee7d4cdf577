#include "analysis/top100_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/word_table_test_support.h"

namespace verbolt {

namespace {

AnalysisSettings settingsWith(int sameActive) {
  AnalysisSettings s = AnalysisSettings::Defaults();
  s.m_sameActive = sameActive;
  s.m_closeActive = 0;
  s.m_distantActive = 0;
  return s;
}

std::string reportOf(const AnalysisSettings& s,
                     const std::vector<std::pair<std::string, int>>& occurrences) {
  WordsTable table(s);
  std::vector<int> close, distant;
  int position = 0;
  for (const auto& [word, times] : occurrences) {
    for (int i = 0; i < times; ++i) table.recordOccurrence(word, position++, close, distant);
  }
  return buildTop100Report(table.table(), s);
}

TEST(Top100Report, EmptyTableGivesEmptyReport) { EXPECT_EQ(reportOf(settingsWith(1), {}), ""); }

TEST(Top100Report, OrdersByCountThenByteOrder) {
  std::string report =
      reportOf(settingsWith(0), {{"elle", 3}, {"pour", 7}, {"dans", 12}, {"avec", 7}});
  EXPECT_EQ(report, " 12 : dans\n  7 : avec\n  7 : pour\n  3 : elle\n");
}

TEST(Top100Report, WideCountsWidenTheField) {
  std::string report = reportOf(settingsWith(0), {{"mot", 1234}});
  EXPECT_EQ(report, "1234 : mot\n");
}

TEST(Top100Report, AccentedWordsSortAfterAsciiAndPrefixesFirst) {
  std::string report =
      reportOf(settingsWith(0), {{"\xE9t\xE9", 2}, {"zoo", 2}, {"ab", 2}, {"a", 2}});
  EXPECT_EQ(report, "  2 : a\n  2 : ab\n  2 : zoo\n  2 : \xE9t\xE9\n");
}

TEST(Top100Report, EquivalentWordsAreIndentedUnderTheirFamily) {
  std::string report = reportOf(settingsWith(1), {{"maison", 3}, {"maisons", 2}, {"chat", 1}});
  // maison 5 (its own and the maisons occurrences), maisons 2.
  EXPECT_EQ(report, "  5 : maison\n       maisons\n  1 : chat\n");
}

TEST(Top100Report, StopsAfterAHundredMainLines) {
  std::vector<std::pair<std::string, int>> words;
  for (int i = 0; i < 150; ++i) words.push_back({"w" + std::to_string(1000 + i), 1 + i});
  std::string report = reportOf(settingsWith(0), words);
  std::istringstream lines(report);
  std::string line, first, last;
  int count = 0;
  while (std::getline(lines, line)) {
    if (count == 0) first = line;
    last = line;
    ++count;
  }
  EXPECT_EQ(count, 100);
  EXPECT_EQ(first, "150 : w1149");
  EXPECT_EQ(last, " 51 : w1050");
}

TEST(Top100Report, FamiliesMayNameWordsRankedBeyondTheHundredth) {
  // With similar words on, "wordNNN" words differ in their last three
  // letters: 4 common letters of 7 is more than 3, so all are one family.
  AnalysisSettings s = settingsWith(1);
  s.m_sameNbLetters = 4;
  s.m_samePercent = 50;
  std::vector<std::pair<std::string, int>> words;
  for (int i = 0; i < 120; ++i) words.push_back({"word" + std::to_string(100 + i), 1});
  std::string report = reportOf(s, words);
  // The first key collects every later occurrence; each later key is printed
  // as an equivalent of it.
  EXPECT_EQ(report.substr(0, 14), "120 : word100\n");
  EXPECT_NE(report.find("       word219\n"), std::string::npos);
  EXPECT_EQ(report.find(" : word101"), std::string::npos);
}

TEST(Top100Report, ZeroCountsAreListedWhenNothingIsEquivalent) {
  AnalysisSettings s = settingsWith(1);
  s.m_samePercent = 100;
  EXPECT_EQ(reportOf(s, {{"b", 2}, {"a", 1}}), "  0 : a\n  0 : b\n");
}

}  // namespace

}  // namespace verbolt
