#include "cli/lint_report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "settings/analysis_settings.h"

namespace verbolt {

using nlohmann::json;

namespace {

// One analysed file, kept alive for the report.
struct Sample {
  Sample(std::string pathGiven, std::string textGiven)
      : path(std::move(pathGiven)), text(std::move(textGiven)), lines(text) {
    AnalysisSettings settings = AnalysisSettings::Defaults();
    settings.m_phrasesActive = 1;
    settings.m_phrasesList = {"le chat"};
    const std::string lowered = lowercaseText(text);
    result = analyzeText(lowered, settings);
    statistics = textStatistics(text);
    findings = lintFindings(lowered, result, settings.m_distantNb);
  }

  AnalysedFile analysed() const { return {path, text, result, statistics, findings, lines}; }

  std::string path;
  std::string text;
  LineColumns lines;
  AnalysisResult result;
  TextStatistics statistics;
  std::vector<LintFinding> findings;
};

std::string reportOf(OutputFormat format, const std::vector<const Sample*>& samples,
                     long long unreadable = 0) {
  std::string out;
  auto report = makeLintReport(
      format, [&out](std::string_view block) { out += block; }, false);
  LintTotals totals;
  totals.unreadable = unreadable;
  report->begin();
  for (const Sample* sample : samples) {
    report->file(sample->analysed());
    ++totals.files;
    totals.findings.add(countFindings(sample->findings));
  }
  report->end(totals);
  return out;
}

// Windows-1252 text: "é" is one byte, one column; CRLF one line end.
const Sample kChapter("docs/ch 1,a:b.md", "\xE9t\xE9 house\r\nle house, le chat");
const Sample kEmpty("empty.txt", "");

TEST(LineReport, OneFindingALineWithPathLineAndColumn) {
  EXPECT_EQ(reportOf(OutputFormat::kLine, {&kChapter, &kEmpty}),
            "docs/ch 1,a:b.md:2:4: close-repetition: \"house\" again 10 letters after 1:5\n"
            "docs/ch 1,a:b.md:2:11: searched-phrase: searched phrase \"le chat\"\n");
}

TEST(GithubReport, WarningsWithEscapedPropertiesThenTheCount) {
  const std::string out = reportOf(OutputFormat::kGithub, {&kChapter, &kEmpty}, 1);
  EXPECT_EQ(out,
            "::warning file=docs/ch 1%2Ca%3Ab.md,line=2,col=4,endColumn=9,title=close-repetition::"
            "\"house\" again 10 letters after 1:5\n"
            "::warning file=docs/ch 1%2Ca%3Ab.md,line=2,col=11,endColumn=18,title=searched-phrase::"
            "searched phrase \"le chat\"\n"
            "::notice title=verbolt-analyze::2 findings in 2 files (1 close-repetition, "
            "0 distant-repetition, 0 searched-word, 1 searched-phrase); 1 could not be read\n");
}

// The properties SARIF 2.1.0 requires, and those a code-scanning service
// needs to place a result.
void expectSarifLog(const json& log) {
  EXPECT_EQ(log.at("version"), "2.1.0");
  EXPECT_TRUE(log.at("$schema").get<std::string>().ends_with("sarif-schema-2.1.0.json"));
  ASSERT_EQ(log.at("runs").size(), 1u);
  const json& run = log.at("runs")[0];
  EXPECT_EQ(run.at("tool").at("driver").at("name"), "verbolt-analyze");
  EXPECT_FALSE(run.at("tool").at("driver").at("version").get<std::string>().empty());
  EXPECT_EQ(run.at("columnKind"), "unicodeCodePoints");
  const json& rules = run.at("tool").at("driver").at("rules");
  std::set<std::string> ruleIds;
  for (const json& rule : rules) {
    ruleIds.insert(rule.at("id").get<std::string>());
    EXPECT_FALSE(rule.at("shortDescription").at("text").get<std::string>().empty());
  }
  EXPECT_EQ(ruleIds,
            (std::set<std::string>{"close-repetition", "distant-repetition", "searched-word",
                                   "searched-phrase", "verbolt-comment"}));
  for (const json& result : run.at("results")) {
    EXPECT_FALSE(result.at("message").at("text").get<std::string>().empty());
    EXPECT_EQ(rules.at(result.at("ruleIndex").get<size_t>()).at("id"), result.at("ruleId"));
    const json& location = result.at("locations").at(0).at("physicalLocation");
    EXPECT_FALSE(location.at("artifactLocation").at("uri").get<std::string>().empty());
    const json& region = location.at("region");
    EXPECT_GE(region.at("startLine").get<int>(), 1);
    EXPECT_GE(region.at("startColumn").get<int>(), 1);
    EXPECT_GE(region.at("endLine").get<int>(), region.at("startLine").get<int>());
    EXPECT_GT(region.at("endColumn").get<int>(), region.at("startColumn").get<int>());
  }
}

TEST(SarifReport, ALogWithRulesAndRegionsInCharacters) {
  const json log = json::parse(reportOf(OutputFormat::kSarif, {&kChapter, &kEmpty}));
  expectSarifLog(log);
  const json& results = log["runs"][0]["results"];
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0]["ruleId"], "close-repetition");
  EXPECT_EQ(results[0]["message"]["text"], "\"house\" again 10 letters after 1:5");
  // The repetition points back to the first of its pair.
  const json& related = results[0]["relatedLocations"][0]["physicalLocation"];
  EXPECT_EQ(related["region"],
            json({{"startLine", 1}, {"startColumn", 5}, {"endLine", 1}, {"endColumn", 10}}));
  EXPECT_FALSE(results[1].contains("relatedLocations"));
  const json& location = results[1]["locations"][0]["physicalLocation"];
  EXPECT_EQ(location["artifactLocation"]["uri"], "docs/ch%201%2Ca%3Ab.md");
  EXPECT_EQ(location["region"],
            json({{"startLine", 2}, {"startColumn", 11}, {"endLine", 2}, {"endColumn", 18}}));
}

TEST(SarifReport, NoFileStillGivesAValidLog) {
  const json log = json::parse(reportOf(OutputFormat::kSarif, {}));
  expectSarifLog(log);
  EXPECT_TRUE(log["runs"][0]["results"].empty());
}

TEST(SarifReport, AnAbsolutePathIsAFileUri) {
  const Sample absolute("/home/me/caf\xC3\xA9.md", "chat chat");
  const json log = json::parse(reportOf(OutputFormat::kSarif, {&absolute}));
  EXPECT_EQ(
      log["runs"][0]["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
      "file:///home/me/caf%C3%A9.md");
}

TEST(JsonListReport, AnArrayOfTheObjectsEachWithItsPathFirst) {
  const std::string out = reportOf(OutputFormat::kJson, {&kChapter, &kEmpty});
  const json list = json::parse(out);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]["path"], "docs/ch 1,a:b.md");
  EXPECT_EQ(list[0]["closeStarts"], json({4, 14}));
  EXPECT_EQ(list[1]["path"], "empty.txt");
  EXPECT_TRUE(out.starts_with("[\n{\n  \"path\": \"docs/ch 1,a:b.md\",\n  \"phraseRanges\": "));
  EXPECT_EQ(reportOf(OutputFormat::kJson, {}), "[\n]\n");
}

TEST(SummaryReport, EachFileUnderItsPath) {
  const std::string out = reportOf(OutputFormat::kSummary, {&kChapter, &kEmpty});
  EXPECT_TRUE(out.starts_with("==> docs/ch 1,a:b.md <==\n6 words\n")) << out;
  EXPECT_NE(out.find("\n\n==> empty.txt <==\n0 words\n"), std::string::npos) << out;
}

// A byte that is no part of a UTF-8 character is shown as such, never as
// the character another encoding would make of it: "caf\xE9.md" is not the
// name "café.md".
TEST(PathAsUtf8, BytesThatAreNoUtf8AreShownAsBytes) {
  EXPECT_EQ(pathAsUtf8("caf\xC3\xA9.md"), "caf\xC3\xA9.md");
  EXPECT_EQ(pathAsUtf8("caf\xE9.md"), "caf\\xE9.md");
  EXPECT_EQ(pathAsUtf8("a\nb\x1B.md"), "a\nb\x1B.md");
  EXPECT_EQ(pathOnALine("a\nb\x1B\xEF\xBF\xBD\xE9.md"), "a\\x0Ab\\x1B\xEF\xBF\xBD\\xE9.md");
}

}  // namespace

}  // namespace verbolt
