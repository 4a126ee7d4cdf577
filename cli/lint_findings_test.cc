#include "cli/lint_findings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/analysis_settings.h"
#include "text/words.h"

namespace verbolt {

namespace {

struct Checked {
  std::vector<LintFinding> findings;
  std::vector<std::string> messages;
};

Checked check(const std::string& text,
              const AnalysisSettings& settings = AnalysisSettings::Defaults()) {
  const AnalysisResult result = analyzeText(lowercaseText(text), settings);
  Checked checked;
  checked.findings = lintFindings(lowercaseText(text), result, settings.m_distantNb);
  const LineColumns lines(text);
  for (const LintFinding& finding : checked.findings) {
    checked.messages.push_back(findingMessage(finding, text, lines));
  }
  return checked;
}

TEST(LintFindings, EachClosePairOnceAtItsSecondWord) {
  const Checked checked = check("Text one text two\ntext.");
  ASSERT_EQ(checked.findings.size(), 2u);
  EXPECT_EQ(checked.findings[0], (LintFinding{LintRule::kCloseRepetition, 9, 13, 0, 0}));
  EXPECT_EQ(checked.findings[1], (LintFinding{LintRule::kCloseRepetition, 18, 22, 9, 0}));
  EXPECT_EQ(checked.messages[0], "\"text\" again 9 letters after 1:1");
  EXPECT_EQ(checked.messages[1], "\"text\" again 9 letters after 1:10");
}

TEST(LintFindings, SimilarWordsNameBothFormsAndSharedPairsComeOnce) {
  // "maisons" is recorded under "maison" and under its own entry: the pair
  // (maisons, maisons) comes from both and is reported once.
  const Checked checked = check("maison maisons maisons");
  ASSERT_EQ(checked.messages.size(), 2u);
  EXPECT_EQ(checked.messages[0], "\"maisons\" 7 letters after \"maison\" at 1:1");
  EXPECT_EQ(checked.messages[1], "\"maisons\" again 8 letters after 1:8");
}

TEST(LintFindings, EachDistantWindowOnceAtTheWordThatCompletesIt) {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_closeActive = 0;
  settings.m_distantNb = 3;
  settings.m_distantDistance = 40;
  // Windows 0-10-20 and 10-20-30; 20-30-60 is too wide.
  std::string text(70, ' ');
  for (int at : {0, 10, 20, 30, 60}) text.replace(at, 5, "house");
  const Checked checked = check(text, settings);
  ASSERT_EQ(checked.findings.size(), 2u);
  EXPECT_EQ(checked.findings[0], (LintFinding{LintRule::kDistantRepetition, 20, 25, 0, 3}));
  EXPECT_EQ(checked.findings[1], (LintFinding{LintRule::kDistantRepetition, 30, 35, 10, 3}));
  EXPECT_EQ(checked.messages[1], "\"house\" 3 times within 20 letters, from 1:11");
}

TEST(LintFindings, SearchedWordsAndPhrasesInTextOrderWithTheirExtent) {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.m_closeActive = 0;
  settings.m_wordsActive = 1;
  settings.m_wordsList = {"said"};
  settings.m_phrasesActive = 1;
  settings.m_phrasesList = {"tout \xE0 fait"};
  const Checked checked = check("He said: Tout\r\n\xE0 -- fait!", settings);
  ASSERT_EQ(checked.findings.size(), 2u);
  EXPECT_EQ(checked.findings[0], (LintFinding{LintRule::kSearchedWord, 3, 7, -1, 0}));
  EXPECT_EQ(checked.findings[1], (LintFinding{LintRule::kSearchedPhrase, 9, 24, -1, 0}));
  EXPECT_EQ(checked.messages[0], "searched word \"said\"");
  // The quote is one line of UTF-8, whatever stood between the letters.
  EXPECT_EQ(checked.messages[1], "searched phrase \"Tout \xC3\xA0 -- fait\"");
}

TEST(LintFindings, CountsByRuleAddUp) {
  FindingCounts counts = countFindings({{LintRule::kSearchedWord, 0, 1, -1, 0},
                                        {LintRule::kSearchedWord, 2, 3, -1, 0},
                                        {LintRule::kCloseRepetition, 5, 6, 0, 0}});
  counts.add(counts);
  EXPECT_EQ(counts.byRule[static_cast<size_t>(LintRule::kSearchedWord)], 4);
  EXPECT_EQ(counts.byRule[static_cast<size_t>(LintRule::kCloseRepetition)], 2);
  EXPECT_EQ(counts.total(), 6);
}

}  // namespace

}  // namespace verbolt
