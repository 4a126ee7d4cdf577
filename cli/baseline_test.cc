#include "cli/baseline.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace verbolt {

namespace {

LintFinding at(LintRule rule, int start) { return {rule, start, start + 4, -1, 0}; }

constexpr LintRule kClose = LintRule::kCloseRepetition;
constexpr LintRule kDistant = LintRule::kDistantRepetition;

TEST(Baseline, OnlyTheLastFindingsBeyondEachRulesCountAreKept) {
  Baseline baseline;
  baseline.counts["a.md"] = {{"close-repetition", 2}, {"distant-repetition", 5}};
  const std::vector<LintFinding> findings = {at(kClose, 10), at(kDistant, 20), at(kClose, 30),
                                             at(kClose, 40), at(kClose, 50)};
  EXPECT_EQ(findingsBeyond(baseline, "a.md", findings),
            (std::vector<LintFinding>{at(kClose, 40), at(kClose, 50)}));
  // Another file has no count: everything is new there.
  EXPECT_EQ(findingsBeyond(baseline, "b.md", findings), findings);
  baseline.counts["a.md"]["close-repetition"] = 4;
  EXPECT_TRUE(findingsBeyond(baseline, "a.md", findings).empty());
}

TEST(Baseline, WrittenInAStableOrderAndReadBack) {
  Baseline today;
  today.add("z.md", {at(kDistant, 1), at(kClose, 2), at(kDistant, 3)});
  today.add("docs/caf\xC3\xA9.md", {at(LintRule::kComment, 0)});
  const std::string json = baselineJson(today);
  EXPECT_EQ(json,
            "{\n  \"version\": 1,\n  \"files\": {\n"
            "    \"docs/caf\xC3\xA9.md\": {\"verbolt-comment\": 1},\n"
            "    \"z.md\": {\"close-repetition\": 1, \"distant-repetition\": 2}\n  }\n}\n");
  Baseline read;
  std::string problem;
  ASSERT_TRUE(parseBaseline(json, read, problem)) << problem;
  EXPECT_EQ(read.counts, today.counts);
  EXPECT_EQ(baselineJson(Baseline{}), "{\n  \"version\": 1,\n  \"files\": {}\n}\n");
}

TEST(Baseline, AnythingElseIsRefusedInASentence) {
  for (const std::string_view text :
       {"", "[1]", "{\"version\": 2, \"files\": {}}", "{\"version\": 1}",
        "{\"version\": 1, \"files\": {\"a.md\": 3}}",
        "{\"version\": 1, \"files\": {\"a.md\": {\"closer\": 3}}}",
        "{\"version\": 1, \"files\": {\"a.md\": {\"close-repetition\": -1}}}",
        "{\"version\": 1, \"files\": {\"a.md\": {\"close-repetition\": \"3\"}}}"}) {
    Baseline baseline;
    std::string problem;
    EXPECT_FALSE(parseBaseline(text, baseline, problem)) << text;
    EXPECT_FALSE(problem.empty());
  }
}

TEST(Baseline, StaleEntriesAreTheCountsNoLongerReachedAndTheFilesGone) {
  Baseline baseline;
  baseline.counts["checked.md"] = {{"close-repetition", 3}, {"distant-repetition", 1}};
  baseline.counts["gone.md"] = {{"close-repetition", 1}};
  baseline.counts["unchecked-but-there"] = {{"close-repetition", 1}};
  std::filesystem::create_directory("unchecked-but-there");
  Baseline today;
  today.add("checked.md", {at(kClose, 1), at(kDistant, 2), at(kDistant, 3)});
  const std::vector<StaleEntry> stale = staleEntries(baseline, today, {"checked.md"});
  std::filesystem::remove("unchecked-but-there");
  ASSERT_EQ(stale.size(), 2u);
  EXPECT_EQ(staleLine(stale),
            "2 baseline entries no longer match (--prune-baseline removes them): checked.md "
            "close-repetition 3 > 1, gone.md close-repetition (file gone)");
  const Baseline pruned = prunedBaseline(baseline, stale);
  EXPECT_EQ(pruned.count("checked.md", kClose), 1);
  EXPECT_EQ(pruned.count("checked.md", kDistant), 1);
  EXPECT_FALSE(pruned.counts.contains("gone.md"));
  EXPECT_TRUE(pruned.counts.contains("unchecked-but-there"));
}

TEST(Baseline, KeysAreRelativeToTheWorkingFolder) {
  const std::string here = std::filesystem::current_path().string();
  EXPECT_EQ(baselineKey(here + "/docs/./a.md"), "docs/a.md");
  EXPECT_EQ(baselineKey("docs//b.md"), "docs/b.md");
  EXPECT_EQ(baselineKey("../c.md"), "../c.md");
  EXPECT_EQ(baselineKey("bad\xFF.md"), "bad\\xFF.md");
}

}  // namespace

}  // namespace verbolt
