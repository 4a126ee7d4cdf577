#include "cli/analyze_options.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(AnalyzeOptions, FormatsFailOnAndOperandsInEitherSpelling) {
  const ParsedOptions parsed = parseAnalyzeOptions(
      {"--format", "sarif", "docs", "--fail-on=close,phrase", "--config=c.txt", "a.md", "-"});
  ASSERT_EQ(parsed.problem, "");
  EXPECT_EQ(parsed.options.format, OutputFormat::kSarif);
  const std::array<bool, kLintRuleCount> closeAndPhrase = {true, false, false, true};
  EXPECT_EQ(parsed.options.failOn, closeAndPhrase);
  EXPECT_EQ(parsed.options.configPath, "c.txt");
  EXPECT_EQ(parsed.options.operands, (std::vector<std::string>{"docs", "a.md", "-"}));
}

TEST(AnalyzeOptions, TheExportsTakeAFileInEitherSpelling) {
  const ParsedOptions parsed =
      parseAnalyzeOptions({"--docx=out.docx", "--html", "out.html", "chapter.txt"});
  ASSERT_EQ(parsed.problem, "");
  EXPECT_EQ(parsed.options.docxPath, "out.docx");
  EXPECT_EQ(parsed.options.htmlPath, "out.html");
  EXPECT_EQ(parsed.options.operands, std::vector<std::string>{"chapter.txt"});
  EXPECT_EQ(parseAnalyzeOptions({"--docx", "-"}).options.docxPath, "-");
}

TEST(AnalyzeOptions, NothingGivenKeepsTheOneFileCall) {
  const ParsedOptions parsed = parseAnalyzeOptions({"--", "--odd-name.txt"});
  EXPECT_EQ(parsed.problem, "");
  EXPECT_FALSE(parsed.options.format);
  EXPECT_FALSE(parsed.options.failOn);
  EXPECT_EQ(parsed.options.operands, (std::vector<std::string>{"--odd-name.txt"}));
}

TEST(AnalyzeOptions, FailOnAllAndNone) {
  // The echoes' rules too: without --echoes they find nothing.
  EXPECT_EQ(parseAnalyzeOptions({"--fail-on", "all"}).options.failOn,
            (std::array<bool, kLintRuleCount>{true, true, true, true, true, true, true}));
  EXPECT_EQ(parseAnalyzeOptions({"--fail-on", "none"}).options.failOn,
            (std::array<bool, kLintRuleCount>{}));
}

TEST(AnalyzeOptions, FailingOnEchoesNeedsThem) {
  const ParsedOptions echoes =
      parseAnalyzeOptions({"--echoes", "--fail-on", "echo,opening", "a.txt"});
  EXPECT_EQ(echoes.problem, "");
  EXPECT_TRUE(echoes.options.echoes);
  EXPECT_EQ(echoes.options.failOn,
            (std::array<bool, kLintRuleCount>{false, false, false, false, true, true}));
  // A check that could never fail is a mistake of the command line.
  EXPECT_EQ(parseAnalyzeOptions({"--fail-on", "opening", "a.txt"}).problem,
            "--fail-on echo or opening needs --echoes");
}

TEST(AnalyzeOptions, BaselinesAndTheServerTakeWhatTheyNeed) {
  const ParsedOptions baseline =
      parseAnalyzeOptions({"--format", "line", "--baseline", "b.json", "--prune-baseline",
                           "--write-baseline=n.json", "docs"});
  EXPECT_EQ(baseline.problem, "");
  EXPECT_EQ(baseline.options.baselinePath, "b.json");
  EXPECT_TRUE(baseline.options.pruneBaseline);
  EXPECT_EQ(baseline.options.writeBaselinePath, "n.json");
  EXPECT_EQ(parseAnalyzeOptions({"--lsp"}).options.lsp, true);
  // A baseline counts findings; pruning rewrites the baseline read; the
  // server takes its documents from the editor.
  EXPECT_NE(parseAnalyzeOptions({"--format", "json", "--write-baseline", "b", "d"}).problem, "");
  EXPECT_NE(parseAnalyzeOptions({"--baseline", "b", "a.txt"}).problem, "");
  EXPECT_NE(parseAnalyzeOptions({"--format", "line", "--prune-baseline", "d"}).problem, "");
  EXPECT_NE(parseAnalyzeOptions({"--lsp", "a.md"}).problem, "");
}

TEST(AnalyzeOptions, SummaryIsTheSummaryFormat) {
  EXPECT_EQ(parseAnalyzeOptions({"--summary", "--format", "summary"}).options.format,
            OutputFormat::kSummary);
  EXPECT_NE(parseAnalyzeOptions({"--summary", "--format", "line"}).problem, "");
}

TEST(AnalyzeOptions, EachMistakeNamesWhatIsWrong) {
  const std::pair<std::vector<std::string>, std::string> kCases[] = {
      {{"--format", "xml"}, "'xml'"},      {{"--fail-on", "close,typo"}, "'typo'"},
      {{"--colour"}, "'--colour'"},        {{"--utf8=yes"}, "'--utf8=yes'"},
      {{"a.txt", "--config"}, "--config"}, {{"a.txt", "--docx"}, "--docx"},
  };
  for (const auto& [arguments, named] : kCases) {
    const std::string problem = parseAnalyzeOptions(arguments).problem;
    EXPECT_NE(problem.find(named), std::string::npos) << problem;
  }
}

}  // namespace

}  // namespace verbolt
