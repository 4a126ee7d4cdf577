#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "gtest/gtest.h"
#include "tools/analyze_output.h"

extern char** environ;

namespace {

std::string jsonString(std::string_view cp1252Text) {
  std::string out;
  appendJsonString(out, cp1252Text);
  return out;
}

TEST(AppendDecimal, WritesSignAndDigitsOfTheWholeIntRange) {
  std::string out;
  for (long long value :
       {0LL, 7LL, -1LL, 1500LL, static_cast<long long>(INT_MAX), static_cast<long long>(INT_MIN)}) {
    appendDecimal(out, value);
    out += ' ';
  }
  EXPECT_EQ(out, "0 7 -1 1500 2147483647 -2147483648 ");
}

TEST(AppendJsonString, EscapesWhatJsonDemands) {
  EXPECT_EQ(jsonString(""), "\"\"");
  EXPECT_EQ(jsonString("say \"hi\""), "\"say \\\"hi\\\"\"");
  EXPECT_EQ(jsonString("a\\b"), "\"a\\\\b\"");
  EXPECT_EQ(jsonString("  2 : chat\n"), "\"  2 : chat\\n\"");
  EXPECT_EQ(jsonString("\r\t"), "\"\\r\\t\"");
  EXPECT_EQ(jsonString(std::string_view("\x00\x01\x1f\x7f", 4)),
            "\"\\u0000\\u0001\\u001f\\u007f\"");
}

TEST(AppendJsonString, DecodesWindows1252ToUtf8) {
  EXPECT_EQ(jsonString("\xE9t\xE9"), "\"\xC3\xA9t\xC3\xA9\"");  // été
  EXPECT_EQ(jsonString("\x80"), "\"\xE2\x82\xAC\"");            // euro sign
  EXPECT_EQ(jsonString("\x9C\xFF"), "\"\xC5\x93\xC3\xBF\"");    // œ ÿ
}

TEST(AppendJsonString, UndefinedBytesBecomeTheirC1Controls) {
  EXPECT_EQ(jsonString("\x81"), "\"\\u0081\"");
  EXPECT_EQ(jsonString("x\x8D\x8F\x90\x9Dy"), "\"x\\u008d\\u008f\\u0090\\u009dy\"");
}

TEST(AnalysisJson, OneKeyPerLineWithListsInEngineOrder) {
  AnalysisResult result;
  result.phraseRanges = {10, 7, 3, 7};
  result.searchedStarts = {12};
  result.closeStarts = {5, 9, 0, 5, 5, 9};
  result.report = "  2 : \"x\"\n";
  EXPECT_EQ(analysisJson(result),
            "{\n"
            "  \"phraseRanges\": [[10,7],[3,7]],\n"
            "  \"searchedStarts\": [12],\n"
            "  \"distantStarts\": [],\n"
            "  \"closeStarts\": [5,9,0,5,5,9],\n"
            "  \"report\": \"  2 : \\\"x\\\"\\n\"\n"
            "}\n");
}

TEST(AnalysisJson, EmptyResultKeepsEveryKey) {
  EXPECT_EQ(analysisJson(AnalysisResult{}),
            "{\n"
            "  \"phraseRanges\": [],\n"
            "  \"searchedStarts\": [],\n"
            "  \"distantStarts\": [],\n"
            "  \"closeStarts\": [],\n"
            "  \"report\": \"\"\n"
            "}\n");
}

TEST(WriteAnalysisJson, LongListsArriveInBlocksWithNothingLostAtTheSeams) {
  AnalysisResult result;
  constexpr int kCount = 400000;  // about 2.7 MB of JSON
  for (int i = 0; i < kCount; ++i) result.distantStarts.push_back(i);
  std::vector<std::string> blocks;
  writeAnalysisJson(result, [&blocks](std::string_view block) { blocks.emplace_back(block); });

  EXPECT_GT(blocks.size(), 1u);
  std::string json;
  for (const std::string& block : blocks) json += block;
  std::string_view key = "\"distantStarts\": [";
  size_t listStart = json.find(key);
  ASSERT_NE(listStart, std::string::npos);
  std::istringstream list(json.substr(listStart + key.size()));
  int expected = 0;
  int value = 0;
  char separator = 0;
  while (list >> value >> separator) {
    ASSERT_EQ(value, expected++);
    if (separator == ']') break;
  }
  EXPECT_EQ(expected, kCount);
  EXPECT_TRUE(json.ends_with("\"closeStarts\": [],\n  \"report\": \"\"\n}\n"));
}

TEST(AnalysisSummary, FiguresThenListSizesThenReport) {
  TextStatistics statistics;
  statistics.words = 3;
  statistics.lettersWithoutSpaces = 12;
  statistics.lettersWithSpaces = 14;
  AnalysisResult result;
  result.phraseRanges = {0, 4, 6, 4};
  result.searchedStarts = {1, 2, 3};
  result.distantStarts = {0, 0, 0, 0};
  result.closeStarts = {0, 5};
  result.report = "  2 : \xE9t\xE9\n       \xE9t\xE9s\n";
  EXPECT_EQ(analysisSummary(statistics, result),
            "3 words\n"
            "12 letters (excluding spaces)\n"
            "14 letters (including spaces)\n"
            "\n"
            "2 phrase ranges\n"
            "3 searched words\n"
            "4 distant repetition starts\n"
            "2 close repetition starts\n"
            "\n"
            "Top-100:\n"
            "  2 : \xC3\xA9t\xC3\xA9\n"
            "       \xC3\xA9t\xC3\xA9s\n");
}

// The program, run as a user would run it.

struct Outcome {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A config.txt as the window writes it with the default settings, with
// some values replaced.
std::string configText(const std::map<std::string, std::string>& replaced = {}) {
  static const std::vector<std::pair<std::string, std::string>> kDefaultLines = {
      {"m_skipActive", "1"},
      {"m_skipNbLettersMin", "4"},
      {"m_skipNbLettersMax", "99"},
      {"m_skipWords", "i you he she it we they"},
      {"m_sameActive", "1"},
      {"m_sameNbLetters", "4"},
      {"m_samePercent", "50"},
      {"m_closeActive", "1"},
      {"m_closeDistance", "100"},
      {"m_distantActive", "1"},
      {"m_distantNb", "6"},
      {"m_distantDistance", "1500"},
      {"m_wordsActive", "0"},
      {"m_wordsLetterMin", "99"},
      {"m_wordsLetterMax", "99"},
      {"m_wordsList", "said told"},
      {"m_wordsPartsList", "able ation"},
      {"m_phrasesActive", "0"},
      {"m_phrasesList", "example of phrase to search\\nanother example"},
  };
  std::string text = "// Verbolt 2 configuration file\n";
  for (const auto& [key, value] : kDefaultLines) {
    auto replacement = replaced.find(key);
    text += key + " = " + (replacement == replaced.end() ? value : replacement->second) + "\n";
  }
  return text + "\r\n";
}

std::string jsonWith(std::string_view phraseRanges, std::string_view searchedStarts,
                     std::string_view distantStarts, std::string_view closeStarts,
                     std::string_view report) {
  std::ostringstream json;
  json << "{\n  \"phraseRanges\": " << phraseRanges << ",\n  \"searchedStarts\": " << searchedStarts
       << ",\n  \"distantStarts\": " << distantStarts << ",\n  \"closeStarts\": " << closeStarts
       << ",\n  \"report\": \"" << report << "\"\n}\n";
  return json.str();
}

void expectUsageError(const Outcome& outcome, std::string_view named) {
  EXPECT_EQ(outcome.exitStatus, 2);
  EXPECT_EQ(outcome.out, "");
  EXPECT_TRUE(outcome.err.starts_with("verbolt-analyze: ")) << outcome.err;
  EXPECT_NE(outcome.err.find(named), std::string::npos) << outcome.err;
  ASSERT_FALSE(outcome.err.empty());
  EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << "not one line: " << outcome.err;
}

class VerboltAnalyzeRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "verbolt-analyze-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }

  std::string writeFile(const std::string& name, std::string_view bytes) {
    std::filesystem::path path = m_dir / name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
    return path.string();
  }

  Outcome run(const std::vector<std::string>& arguments, std::string_view input = {}) {
    std::string inPath = writeFile(".stdin", input);
    std::string outPath = (m_dir / ".stdout").string();
    std::string errPath = (m_dir / ".stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::string program = VERBOLT_ANALYZE_PATH;
    std::vector<std::string> argumentCopies = arguments;
    std::vector<char*> argv = {program.data()};
    for (std::string& argument : argumentCopies) argv.push_back(argument.data());
    argv.push_back(nullptr);

    Outcome outcome;
    pid_t pid;
    int spawnError = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) {
      ADD_FAILURE() << "cannot start " << program;
      return outcome;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
    outcome.out = readFile(outPath);
    outcome.err = readFile(errPath);
    return outcome;
  }

  std::filesystem::path m_dir;
};

TEST_F(VerboltAnalyzeRun, HelpGoesToStandardOutput) {
  Outcome outcome = run({"--help"});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_TRUE(outcome.out.starts_with("Usage: verbolt-analyze")) << outcome.out;
  EXPECT_EQ(outcome.err, "");
}

TEST_F(VerboltAnalyzeRun, UsageErrorsGiveOneLineAndStatus2) {
  std::string text = writeFile("text.txt", "chat chat");
  std::string directory = (m_dir / "folder").string();
  std::filesystem::create_directory(directory);
  {
    SCOPED_TRACE("no argument");
    expectUsageError(run({}), "text file");
  }
  {
    SCOPED_TRACE("two text files");
    expectUsageError(run({text, text}), "text file");
  }
  {
    SCOPED_TRACE("unknown option");
    expectUsageError(run({"--colour", text}), "--colour");
  }
  {
    SCOPED_TRACE("--config without its file");
    expectUsageError(run({text, "--config"}), "--config");
  }
  {
    SCOPED_TRACE("missing text file");
    expectUsageError(run({(m_dir / "missing.txt").string()}), "missing.txt");
  }
  {
    SCOPED_TRACE("a directory as text file");
    expectUsageError(run({directory}), "folder");
  }
  {
    SCOPED_TRACE("missing configuration file");
    expectUsageError(run({"--config", (m_dir / "nowhere.txt").string(), text}), "nowhere.txt");
  }
  {
    SCOPED_TRACE("missing configuration file and missing text file");
    expectUsageError(run({"--config", (m_dir / "nowhere.txt").string(), "missing.txt"}), "");
  }
}

TEST_F(VerboltAnalyzeRun, TextTooLongForIntPositionsIsRefused) {
  std::string path = writeFile("huge.txt", "");
  // Sparse: no disk space is used, and the size is refused before reading.
  ASSERT_EQ(truncate(path.c_str(), 1LL << 31), 0);
  expectUsageError(run({path}), "too long");
}

TEST_F(VerboltAnalyzeRun, TwoCloseWordsGiveOneClosePair) {
  // The second word ends the text; it still counts.
  Outcome outcome = run({writeFile("text.txt", "chat chat")});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[]", "[0,5]", "  2 : chat\\n"));
}

TEST_F(VerboltAnalyzeRun, DashReadsStandardInput) {
  Outcome outcome = run({"-"}, "Chat chat");
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[]", "[0,5]", "  2 : chat\\n"));
}

TEST_F(VerboltAnalyzeRun, SixOccurrencesMakeADistantRepetition) {
  // Each new occurrence closes a pair with the one before; the sixth
  // completes a group of six within 1500 letters.
  Outcome outcome = run({writeFile("text.txt", "chat chat chat chat chat chat")});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[0,5,10,15,20,25]", "[0,5,5,10,10,15,15,20,20,25]",
                                  "  6 : chat\\n"));
}

TEST_F(VerboltAnalyzeRun, LineBreaksStayAsTheyAre) {
  // "\r\n" is two positions, as in the file.
  Outcome outcome = run({writeFile("text.txt", "chat\r\nchat")});
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[]", "[0,6]", "  2 : chat\\n"));
}

TEST_F(VerboltAnalyzeRun, Utf8ManuscriptsCountCharactersNotBytes) {
  // An emoji and "é" are one position each, as in the window; CRLF is two.
  const std::string text = "\xF0\x9F\x98\x80 \xC3\xA9t\xC3\xA9 chat\r\nchat";
  Outcome outcome = run({"--utf8", writeFile("text.txt", text)});
  EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[]", "[6,12]", "  2 : chat\\n"));

  // A byte-order mark says UTF-8 without the option and takes no position.
  Outcome marked = run({writeFile("marked.txt", "\xEF\xBB\xBF" + text)});
  EXPECT_EQ(marked.out, outcome.out);

  // Without either, the same bytes are Windows-1252: positions move.
  Outcome raw = run({writeFile("raw.txt", text)});
  EXPECT_EQ(raw.out, jsonWith("[]", "[]", "[]", "[11,17]", "  2 : chat\\n"));
}

TEST_F(VerboltAnalyzeRun, InvalidUtf8IsAnInputError) {
  expectUsageError(run({"--utf8", writeFile("latin1.txt", "caf\xE9 chat")}), "invalid UTF-8");
  expectUsageError(run({writeFile("marked.txt",
                                  "\xEF\xBB\xBF"
                                  "caf\xE9")}),
                   "at byte 6");
}

TEST_F(VerboltAnalyzeRun, AccentedLettersComeOutAsUtf8) {
  Outcome outcome = run({writeFile("text.txt", "\xE9l\xE9phant \xC9l\xE9phant \xE9l\xE9phant")});
  // 0xC9 (capital E acute) is not folded, so the middle word stays apart.
  EXPECT_EQ(outcome.out,
            jsonWith("[]", "[]", "[]", "[0,18]",
                     "  2 : \xC3\xA9l\xC3\xA9phant\\n  1 : \xC3\x89l\xC3\xA9phant\\n"));
}

TEST_F(VerboltAnalyzeRun, SummaryCountsRawBytes) {
  Outcome outcome = run({"--summary", writeFile("text.txt", "chat\r\nchat \xE9t\xE9")});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out,
            "3 words\n"
            "12 letters (excluding spaces)\n"
            "13 letters (including spaces)\n"
            "\n"
            "0 phrase ranges\n"
            "0 searched words\n"
            "0 distant repetition starts\n"
            "2 close repetition starts\n"
            "\n"
            "Top-100:\n"
            "  2 : chat\n");
}

TEST_F(VerboltAnalyzeRun, ConfigurationSettingsAreUsed) {
  std::string text = writeFile("text.txt", "chat chat");
  std::string config = writeFile("config.txt", configText({{"m_closeDistance", "5"}}));
  Outcome outcome = run({"--config", config, text});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.err, "");
  // The two starts are exactly 5 apart: not closer than 5.
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[]", "[]", "  2 : chat\\n"));

  std::string closer = writeFile("closer.txt", configText({{"m_closeDistance", "6"}}));
  EXPECT_EQ(run({"--config=" + closer, text}).out,
            jsonWith("[]", "[]", "[]", "[0,5]", "  2 : chat\\n"));
}

TEST_F(VerboltAnalyzeRun, ConfigurationListsAreLoweredAsInTheWindow) {
  std::string config = writeFile("config.txt", configText({{"m_wordsActive", "1"},
                                                           {"m_wordsList", "Said"},
                                                           {"m_wordsPartsList", "xyz"},
                                                           {"m_phrasesActive", "1"},
                                                           {"m_phrasesList", "Le chat!"}}));
  Outcome outcome = run({"--config", config, writeFile("text.txt", "Le chat said")});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.out, jsonWith("[[0,7]]", "[8]", "[]", "[]", "  1 : chat\\n  1 : said\\n"));
}

TEST_F(VerboltAnalyzeRun, IncompleteConfigurationFallsBackToDefaults) {
  std::string incomplete = configText({{"m_closeDistance", "5"}});
  incomplete.erase(incomplete.find("m_samePercent"), std::string_view("m_samePercent").size());
  std::string config = writeFile("config.txt", incomplete);
  Outcome outcome = run({"--config", config, writeFile("text.txt", "chat chat")});
  EXPECT_EQ(outcome.exitStatus, 0);
  // Default close distance, not the 5 of the incomplete file.
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[]", "[0,5]", "  2 : chat\\n"));
  EXPECT_NE(outcome.err.find("warning"), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.err.find("config.txt"), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
  EXPECT_EQ(readFile(config), incomplete) << "the configuration file must stay untouched";
}

TEST_F(VerboltAnalyzeRun, DocumentsAndMarkdownAreReadAsTheWindowOpensThem) {
  // The two samples hold the same chapter: the same text, the same results.
  const Outcome docx = run({std::string(VERBOLT_SAMPLES) + "/chapter.docx"});
  EXPECT_EQ(docx.exitStatus, 0) << docx.err;
  EXPECT_NE(docx.out.find("  4 : house\\n"), std::string::npos) << docx.out;
  EXPECT_EQ(run({std::string(VERBOLT_SAMPLES) + "/chapter.odt"}).out, docx.out);

  // Markdown: the emoji is one position and each CRLF one line end.
  const Outcome md = run({writeFile("notes.MD", "\xF0\x9F\x98\x80 chat\r\nchat")});
  EXPECT_EQ(md.exitStatus, 0) << md.err;
  EXPECT_EQ(md.out, jsonWith("[]", "[]", "[]", "[2,7]", "  2 : chat\\n"));
}

TEST_F(VerboltAnalyzeRun, ADocumentThatIsNotOneIsAnInputError) {
  expectUsageError(run({writeFile("chapter.docx", "plain words")}),
                   "is not a Word document: it is not a zip archive.");
}

TEST_F(VerboltAnalyzeRun, HtmlWritesThePageBesideTheUsualOutput) {
  const std::string text = writeFile("text.txt", "chat chat \xE9t\xE9");
  const std::string page = (m_dir / "page.html").string();
  const Outcome plain = run({text});
  const Outcome withPage = run({"--html", page, text});
  EXPECT_EQ(withPage.exitStatus, 0) << withPage.err;
  EXPECT_EQ(withPage.out, plain.out);
  const std::string html = readFile(page);
  EXPECT_NE(html.find("<title>text.txt</title>"), std::string::npos);
  EXPECT_NE(html.find("<div class=\"text\"><span class=\"hffff8c\">chat</span> "
                      "<span class=\"hffff8c\">chat</span> \xC3\xA9t\xC3\xA9</div>"),
            std::string::npos)
      << html;
  for (const char* label :
       {"Close repetitions", "Distant repetitions", "Search for words", "Search for phrases"}) {
    EXPECT_NE(html.find(label), std::string::npos) << label;
  }
  EXPECT_NE(html.find("<pre>  2 : chat\n</pre>"), std::string::npos);
}

TEST_F(VerboltAnalyzeRun, APageThatCannotBeWrittenGivesStatus1) {
  const Outcome outcome =
      run({"--html=" + (m_dir / "missing" / "page.html").string(), writeFile("t.txt", "chat")});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_NE(outcome.err.find("Cannot save \xE2\x80\x9Cpage.html\xE2\x80\x9D"), std::string::npos)
      << outcome.err;
}

}  // namespace
