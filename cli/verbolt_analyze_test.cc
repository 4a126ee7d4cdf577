#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_pass.h"
#include "cli/analyze_output.h"
#include "export/export_test_support.h"
#include "gtest/gtest.h"
#include "manuscript/manuscript.h"
#include "settings/configuration.h"
#include "text/words.h"

extern char** environ;

#include "test_support/test_support.h"

namespace verbolt {

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
  result.distantStartCount = 4;
  result.closeStartCount = 2;
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

using test_support::readFile;

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

// What the program is allowed: a cap on its address space, so that a list
// that outgrows it fails as on a machine out of memory, and the user it
// runs as (0: the test's own).
struct Limits {
  rlim_t addressSpace = 0;
  uid_t user = 0;
  rlim_t fileSize = 0;
};

class VerboltAnalyzeRun : public test_support::FolderTest {
 protected:
  std::string writeFile(const std::string& name, std::string_view bytes) {
    std::filesystem::path path = m_dir / name;
    test_support::writeFile(path, bytes);
    return path.string();
  }

  Outcome run(const std::vector<std::string>& arguments, std::string_view input = {},
              Limits limits = {}) {
    std::string inPath = writeFile(".stdin", input);
    std::string outPath = (m_dir / ".stdout").string();
    std::string errPath = (m_dir / ".stderr").string();
    std::string program = VERBOLT_ANALYZE_PATH;
    std::vector<std::string> argumentCopies = arguments;
    std::vector<char*> argv = {program.data()};
    for (std::string& argument : argumentCopies) argv.push_back(argument.data());
    argv.push_back(nullptr);

    Outcome outcome;
    pid_t pid = fork();
    if (pid == 0) {
      int in = open(inPath.c_str(), O_RDONLY);
      int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) {
        _exit(126);
      }
      if (limits.addressSpace != 0) {
        rlimit cap = {limits.addressSpace, limits.addressSpace};
        if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(126);
      }
      if (limits.fileSize != 0) {
        rlimit cap = {limits.fileSize, limits.fileSize};
        if (setrlimit(RLIMIT_FSIZE, &cap) != 0) _exit(126);
      }
      if (limits.user != 0 && (setgid(limits.user) != 0 || setuid(limits.user) != 0)) _exit(126);
      execve(program.c_str(), argv.data(), environ);
      _exit(127);
    }
    if (pid < 0) {
      ADD_FAILURE() << "cannot start " << program;
      return outcome;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.exitStatus = 128 + WTERMSIG(status);
    outcome.out = readFile(outPath);
    outcome.err = readFile(errPath);
    return outcome;
  }
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

// Bad input: more than the memory holds, and configuration files that
// cannot be read.

// 300 KB of words made of a dozen syllables, a few of them very common:
// with the widest similar-word settings nearly every word is similar to
// thousands of others, and the full distant list passes 200 million starts.
std::string wordsOfSyllables() {
  static const char* const kSyllables[] = {"ta", "re", "mo", "li", "sa", "ne",
                                           "co", "pu", "di", "ga", "ve", "ro"};
  std::uint64_t state = 12345;
  auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return state >> 33;
  };
  std::vector<std::string> vocabulary;
  for (int i = 0; i < 2000; ++i) {
    std::string word;
    for (int n = 2 + static_cast<int>(next() % 3); n > 0; --n) word += kSyllables[next() % 12];
    vocabulary.push_back(word);
  }
  std::string text;
  while (text.size() < 300000) {
    std::uint64_t r = next() % 1000;
    text += vocabulary[r * r * vocabulary.size() / 1000000];
    text += ' ';
  }
  text.pop_back();
  return text;
}

std::string widestSettings() {
  return configText({{"m_skipActive", "0"},
                     {"m_sameNbLetters", "0"},
                     {"m_samePercent", "0"},
                     {"m_closeDistance", "999999"},
                     {"m_distantNb", "99"},
                     {"m_distantDistance", "999999"}});
}

AnalysisSettings loadedSettings(const std::string& config) {
  AnalysisSettings settings;
  EXPECT_TRUE(LoadConfiguration(settings, config));
  return settings;
}

// Half a gigabyte: the text, the word table and each start once fit many
// times over; the full list of 200 million starts does not.
constexpr rlim_t kSmallMemory = 512u << 20;

class VerboltAnalyzeBadInput : public VerboltAnalyzeRun {
 protected:
  void SetUp() override {
    VerboltAnalyzeRun::SetUp();
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // The address and thread sanitizers reserve terabytes of address space
    // up front.
    GTEST_SKIP() << "an address-space cap cannot coexist with the address or thread sanitizer";
#endif
  }
};

TEST_F(VerboltAnalyzeBadInput, OutOfMemoryGivesOneLineAndStatus2) {
  std::string text = writeFile("text.txt", wordsOfSyllables());
  std::string config = writeFile("config.txt", widestSettings());
  Outcome outcome = run({"--config", config, text}, {}, {kSmallMemory});
  expectUsageError(outcome, "out of memory");
}

// An endless device fills the memory while it is read: the line says so,
// and blames no result list.
TEST_F(VerboltAnalyzeBadInput, AnInputTooLargeForTheMemoryIsNamedAsSuch) {
  Outcome outcome = run({"--format", "line", "/dev/zero"}, {}, {kSmallMemory});
  EXPECT_EQ(outcome.exitStatus, 2);
  EXPECT_EQ(outcome.err,
            "verbolt-analyze: cannot read '/dev/zero': out of memory while reading it\n");
}

TEST_F(VerboltAnalyzeBadInput, SummaryCountsWithoutHoldingTheLists) {
  const std::string words = wordsOfSyllables();
  std::string config = writeFile("config.txt", widestSettings());
  Outcome outcome =
      run({"--summary", "--config", config, writeFile("text.txt", words)}, {}, {kSmallMemory});
  EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
  std::string lowered = words;
  lowercaseTextInPlace(lowered);
  AnalysisResult counted =
      analyzeText(lowered, loadedSettings(config), {}, RepeatedStarts::kCounted);
  EXPECT_GT(counted.distantStartCount, 200'000'000u);
  EXPECT_NE(
      outcome.out.find(std::to_string(counted.distantStartCount) + " distant repetition starts\n"),
      std::string::npos)
      << outcome.out;
  EXPECT_NE(
      outcome.out.find(std::to_string(counted.closeStartCount) + " close repetition starts\n"),
      std::string::npos);
}

TEST_F(VerboltAnalyzeBadInput, UniqueListsEachStartOnceAsTheWindowPaints) {
  const std::string words = wordsOfSyllables();
  std::string config = writeFile("config.txt", widestSettings());
  Outcome outcome =
      run({"--unique", "--config", config, writeFile("text.txt", words)}, {}, {kSmallMemory});
  EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
  std::string lowered = words;
  lowercaseTextInPlace(lowered);
  AnalysisResult painted =
      analyzeText(lowered, loadedSettings(config), {}, RepeatedStarts::kCollapsed);
  EXPECT_EQ(outcome.out, analysisJson(painted));
}

TEST_F(VerboltAnalyzeRun, UniqueKeepsTheDefaultOutputsFormWithEachStartOnce) {
  std::string text = writeFile("text.txt", "chat chat chat. Le chien, le chien.");
  Outcome all = run({text});
  Outcome unique = run({"--unique", text});
  EXPECT_EQ(all.out, jsonWith("[]", "[]", "[]", "[0,5,5,10,19,29]", "  3 : chat\\n  2 : chien\\n"));
  EXPECT_EQ(unique.out,
            jsonWith("[]", "[]", "[]", "[0,5,10,19,29]", "  3 : chat\\n  2 : chien\\n"));
}

TEST_F(VerboltAnalyzeRun, AConfigurationThatCannotBeReadIsNamedForWhatItIs) {
  std::string text = writeFile("text.txt", "chat chat");
  const std::string defaultJson = jsonWith("[]", "[]", "[]", "[0,5]", "  2 : chat\\n");
  auto expectWarning = [&](const Outcome& outcome, std::string_view cause) {
    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.out, defaultJson);
    EXPECT_TRUE(outcome.err.starts_with("verbolt-analyze: warning: ")) << outcome.err;
    EXPECT_NE(outcome.err.find(cause), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
  };
  std::filesystem::create_directory(m_dir / "folder");
  expectWarning(run({"--config", (m_dir / "folder").string(), text}), "is a directory");
  // A pipe nobody writes to: opening it for reading must not wait.
  ASSERT_EQ(mkfifo((m_dir / "pipe").c_str(), 0600), 0);
  expectWarning(run({"--config", (m_dir / "pipe").string(), text}), "named pipe");

  std::filesystem::create_symlink("loop-b", m_dir / "loop-a");
  std::filesystem::create_symlink("loop-a", m_dir / "loop-b");
  expectUsageError(run({"--config", (m_dir / "loop-a").string(), text}),
                   "Too many levels of symbolic links");
}

TEST_F(VerboltAnalyzeRun, AnUnreadableConfigurationSaysPermissionDenied) {
  // Root reads any file: the tool then runs as nobody.
  constexpr uid_t kNobody = 65534;
  const uid_t user = geteuid() == 0 ? kNobody : 0;
  std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all |
                                          std::filesystem::perms::others_exec |
                                          std::filesystem::perms::others_read);
  std::string config = writeFile("config.txt", configText());
  std::filesystem::permissions(config, std::filesystem::perms::none);
  // The outputs must be writable by that user too.
  for (const char* name : {".stdin", ".stdout", ".stderr"}) {
    writeFile(name, "");
    std::filesystem::permissions(m_dir / name, std::filesystem::perms::all);
  }
  Outcome outcome = run({"--config", config, "-"}, "chat chat", {0, user});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.out, jsonWith("[]", "[]", "[]", "[0,5]", "  2 : chat\\n"));
  EXPECT_NE(outcome.err.find("Permission denied"), std::string::npos) << outcome.err;
  EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
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

TEST_F(VerboltAnalyzeRun, DocxWritesTheWordDocumentBesideTheUsualOutput) {
  const std::string text = writeFile("text.txt", "chat chat \xE9t\xE9\r\n\tend");
  const std::string document = (m_dir / "text.docx").string();
  const Outcome plain = run({text});
  const Outcome withDocument = run({"--docx", document, text});
  EXPECT_EQ(withDocument.exitStatus, 0) << withDocument.err;
  EXPECT_EQ(withDocument.out, plain.out);
  const std::string package = readFile(document);
  const ReadOutcome read = readManuscriptBytes(package, ManuscriptKind::kDocx, "text.docx");
  ASSERT_TRUE(read.manuscript) << read.error;
  const std::string& utf8 = read.manuscript->utf8;
  EXPECT_TRUE(utf8.starts_with("chat chat \xC3\xA9t\xC3\xA9\n\tend\n")) << utf8;
  for (const char* label : {"Close repetitions", "Distant repetitions", "Search for words",
                            "Search for phrases", "Top-100\n  2 : chat"}) {
    EXPECT_NE(utf8.find(label), std::string::npos) << label;
  }
  const Rgb yellow = {255, 255, 140};
  const Backgrounds backgrounds = docxBackgrounds(package);
  ASSERT_GE(backgrounds.size(), 18u);
  const Backgrounds expected = {
      yellow,       yellow,       yellow,       yellow,       std::nullopt, yellow,
      yellow,       yellow,       yellow,       std::nullopt, std::nullopt, std::nullopt,
      std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
  EXPECT_EQ(Backgrounds(backgrounds.begin(), backgrounds.begin() + 18), expected);
  EXPECT_NE(docxPart(package, "docProps/core.xml").find("<dc:title>text.txt</dc:title>"),
            std::string::npos);

  // A Word document in, a Word document of its colours out.
  const Outcome chapter =
      run({"--docx=" + document, std::string(VERBOLT_SAMPLES) + "/chapter.docx"});
  EXPECT_EQ(chapter.exitStatus, 0) << chapter.err;
  const ReadOutcome original = readManuscript(VERBOLT_SAMPLES "/chapter.docx");
  const ReadOutcome exported = readManuscript(document);
  ASSERT_TRUE(original.manuscript && exported.manuscript);
  EXPECT_TRUE(exported.manuscript->utf8.starts_with(original.manuscript->utf8 + "\n"));
}

TEST_F(VerboltAnalyzeRun, ADocumentThatCannotBeWrittenGivesStatus1) {
  const Outcome outcome =
      run({"--docx=" + (m_dir / "missing" / "t.docx").string(), writeFile("t.txt", "chat")});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_NE(outcome.err.find("Cannot save \xE2\x80\x9Ct.docx\xE2\x80\x9D"), std::string::npos)
      << outcome.err;
}

// "--docx chapter.docx chapter.docx" would replace the manuscript with
// its export: refused before anything is read or written.
TEST_F(VerboltAnalyzeRun, NoExportIsWrittenOverTheTextItIsMadeFrom) {
  const std::string chapter = (m_dir / "chapter.docx").string();
  std::filesystem::copy_file(VERBOLT_SAMPLES "/chapter.docx", chapter);
  const std::string before = readFile(chapter);
  expectUsageError(run({"--docx", chapter, chapter}), "--docx would write over");
  EXPECT_EQ(readFile(chapter), before);
  const std::string text = writeFile("t.txt", "chat chat");
  expectUsageError(run({"--html", (m_dir / "." / "t.txt").string(), text}), "--html");
  EXPECT_EQ(readFile(text), "chat chat");
}

TEST_F(VerboltAnalyzeRun, AFileSizeLimitMakesThePageAnErrorNotAKill) {
  const std::string text = writeFile("t.txt", "chat");
  const std::filesystem::path page = m_dir / "page.html";
  Limits limits;
  limits.fileSize = 1024;
  const Outcome outcome = run({"--html=" + page.string(), text}, {}, limits);
  EXPECT_EQ(outcome.exitStatus, 1) << outcome.err;
  EXPECT_NE(outcome.err.find("File too large"), std::string::npos) << outcome.err;
  EXPECT_FALSE(std::filesystem::exists(page));
  for (const std::string& name : entries()) EXPECT_FALSE(name.starts_with(".verbolt-save-"));
}

// The linter: several files, the formats, positions and exit statuses.

TEST_F(VerboltAnalyzeRun, OneFileOutputsAreTheRecordedBytesOfEarlierVersions) {
  // Recorded with the version before --format; the one-file call must
  // never change them.
  const std::string welcome = std::string(VERBOLT_SAMPLES) + "/welcome.txt";
  const std::string testdata = VERBOLT_TESTDATA;
  EXPECT_EQ(run({welcome}).out, readFile(testdata + "/welcome.json"));
  EXPECT_EQ(run({"--summary", welcome}).out, readFile(testdata + "/welcome-summary.txt"));
  const Outcome allFeatures = run({"--config", testdata + "/all-features.txt", welcome});
  EXPECT_EQ(allFeatures.out, readFile(testdata + "/welcome-all-features.json"));
  EXPECT_EQ(run({"--format", "json", "--config", testdata + "/all-features.txt", welcome}).out,
            allFeatures.out);
  EXPECT_EQ(run({"--format=summary", welcome}).out, readFile(testdata + "/welcome-summary.txt"));
}

TEST_F(VerboltAnalyzeRun, LinePositionsCountCharactersWithAccentsEmojiAndCrLf) {
  // UTF-8 Markdown: the emoji and each accented letter are one column, CRLF
  // one line end (and one letter of distance, as in the window).
  const std::string markdown =
      writeFile("notes.md", "\xF0\x9F\x98\x80 caf\xC3\xA9 chat\r\n\xC3\xA9t\xC3\xA9 chat\r\n");
  // The same bytes as --utf8 text, where CRLF is one line end but two
  // letters, and as Windows-1252 bytes, where every byte is a column.
  const std::string text =
      writeFile("notes.txt", "\xF0\x9F\x98\x80 caf\xC3\xA9 chat\r\n\xC3\xA9t\xC3\xA9 chat\r\n");
  const Outcome characters = run({"--format", "line", "--utf8", markdown, text});
  EXPECT_EQ(characters.exitStatus, 0) << characters.err;
  EXPECT_EQ(characters.out,
            markdown + ":2:5: close-repetition: \"chat\" again 9 letters after 1:8\n" + text +
                ":2:5: close-repetition: \"chat\" again 10 letters after 1:8\n");
  const Outcome bytes = run({"--format", "line", text});
  EXPECT_EQ(bytes.out, text + ":2:7: close-repetition: \"chat\" again 12 letters after 1:12\n");
}

TEST_F(VerboltAnalyzeRun, MarkdownIsAnalysedAsProseAtItsOwnPlaces) {
  const std::string path =
      writeFile("guide.md",
                "---\ntitle: house house\n---\n"
                "# Install\n\n"
                "Run `house house` in a [house](house/house.md) <b class=\"house\">shell</b>.\n\n"
                "```\nhouse house\n```\n\n"
                "    house house\n\n"
                "<div>\nhouse house\n</div>\n\n"
                "A house, then a house.\n");
  const Outcome outcome = run({"--format", "line", path});
  EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
  // Only the link text and the last paragraph are prose; the link text is
  // far from the last paragraph's first house.
  EXPECT_EQ(outcome.out,
            path + ":18:17: close-repetition: \"house\" again 14 letters after 18:3\n");
}

TEST_F(VerboltAnalyzeRun, FormatsOverAFolderInSortedOrder) {
  std::filesystem::create_directories(m_dir / "book" / "part");
  writeFile("book/b.txt", "chat chat");
  writeFile("book/part/a.md", "chien chien");
  writeFile("book/notes.rst", "chat chat");
  const std::string book = (m_dir / "book").string();
  const Outcome line = run({"--format", "line", book});
  EXPECT_EQ(line.out,
            book + "/b.txt:1:6: close-repetition: \"chat\" again 5 letters after 1:1\n" + book +
                "/part/a.md:1:7: close-repetition: \"chien\" again 6 letters after 1:1\n");
  const Outcome github = run({"--format", "github", book});
  EXPECT_NE(github.out.find("::warning file=" + book +
                            "/b.txt,line=1,col=6,endColumn=10,"
                            "title=close-repetition::\"chat\" again 5 letters after 1:1\n"),
            std::string::npos)
      << github.out;
  EXPECT_TRUE(
      github.out.ends_with("::notice title=verbolt-analyze::2 findings in 2 files (2 "
                           "close-repetition, 0 distant-repetition, 0 searched-word, 0 "
                           "searched-phrase)\n"))
      << github.out;
  EXPECT_NE(run({"--format", "sarif", book}).out.find("\"uri\": \"file://" + book + "/part/a.md\""),
            std::string::npos);
}

// The lines of `output` that report `rule`.
std::string linesOf(const std::string& output, const std::string& rule) {
  std::string kept;
  size_t start = 0;
  while (start < output.size()) {
    const size_t end = output.find('\n', start);
    const std::string line = output.substr(start, end - start + 1);
    if (line.find(": " + rule + ": ") != std::string::npos) kept += line;
    start = end == std::string::npos ? output.size() : end + 1;
  }
  return kept;
}

TEST_F(VerboltAnalyzeRun, EchoesAreFoundWithoutAList) {
  const std::string story = writeFile("story.txt",
                                      "She couldn't help but smile at the rain.\n"
                                      "She waited by the gate.\n"
                                      "\"She couldn't help but laugh,\" said Anna.\n"
                                      "She left.\n"
                                      "Then the road turned.\n");
  const Outcome line = run({"--format", "line", "--echoes", story});
  EXPECT_EQ(line.exitStatus, 0) << line.err;
  EXPECT_EQ(linesOf(line.out, "phrase-echo"),
            story + ":3:6: phrase-echo: \"couldn't help but\" again 66 letters after 1:5\n");
  EXPECT_EQ(linesOf(line.out, "sentence-opening"),
            story + ":2:1: sentence-opening: \"She\" opens a sentence again, as at 1:1\n" + story +
                ":3:2: sentence-opening: \"She\" opens a sentence again, as at 2:1\n" + story +
                ":4:1: sentence-opening: \"She\" opens a sentence again, as at 3:2\n");
  EXPECT_EQ(linesOf(run({"--format", "line", story}).out, "phrase-echo"), "") << "only asked";
  EXPECT_EQ(run({"--format", "line", "--echoes", "--fail-on", "echo", story}).exitStatus, 1);

  const std::string calm = writeFile("calm.txt", "The rain fell. A bird sang. Night came.\n");
  const Outcome none = run({"--format", "line", "--echoes", "--fail-on", "echo,opening", calm});
  EXPECT_EQ(none.exitStatus, 0);
  EXPECT_EQ(none.out, "");

  // Every format carries them.
  const Outcome github = run({"--format", "github", "--echoes", story});
  EXPECT_NE(github.out.find("1 phrase-echo, 3 sentence-opening)"), std::string::npos) << github.out;
  const Outcome sarif = run({"--format", "sarif", "--echoes", story});
  EXPECT_NE(sarif.out.find("{\"id\": \"sentence-opening\""), std::string::npos);
  EXPECT_NE(sarif.out.find("\"the occurrence echoed\""), std::string::npos);
  EXPECT_EQ(run({"--format", "sarif", story}).out.find("phrase-echo"), std::string::npos);
  const Outcome summary = run({"--summary", "--echoes", story});
  EXPECT_NE(summary.out.find("\n2 phrase echo ranges\n4 repeated sentence openings\n"),
            std::string::npos)
      << summary.out;
  const Outcome json = run({"--echoes", story});
  EXPECT_NE(json.out.find("\"phraseEchoes\": [[4,17,-1],[70,17,4]],\n"
                          "  \"sentenceOpenings\": [[0,3,-1],[41,3,0],[66,3,41],[107,3,66]],\n"),
            std::string::npos)
      << json.out;
  EXPECT_EQ(run({story}).out.find("phraseEchoes"), std::string::npos);
  // The page shows them in their colours, named in its legend.
  const std::string page = (m_dir / "story.html").string();
  ASSERT_EQ(run({"--echoes", "--html", page, story}).exitStatus, 0);
  const std::string html = test_support::readFile(page);
  EXPECT_NE(html.find("Phrase echoes"), std::string::npos);
  EXPECT_NE(html.find("Repeated openings"), std::string::npos);
  EXPECT_NE(html.find("#ffcd96"), std::string::npos);
}

// A pipe named like a manuscript, with nobody at its other end, never
// holds a run: it is read as empty, or refused, and never replaced.
TEST_F(VerboltAnalyzeRun, APipeNamedLikeAManuscriptIsNoWait) {
  const std::string story = writeFile("story.txt", "chat chat");
  for (const char* name : {"x.txt", "x.md", "x.docx", "x.odt"}) {
    const std::string pipe = (m_dir / name).string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const Outcome line = run({"--format", "line", pipe, story});
    EXPECT_LE(line.exitStatus, 2) << name;
    EXPECT_NE(line.out.find("close-repetition"), std::string::npos) << name << line.out;
    EXPECT_EQ(run({pipe}).exitStatus == 0, std::string(name) == "x.txt") << name;
  }
  const std::string page = (m_dir / "page.html").string();
  ASSERT_EQ(mkfifo(page.c_str(), 0600), 0);
  const Outcome html = run({"--html", page, story});
  EXPECT_EQ(html.exitStatus, 1);
  EXPECT_NE(html.err.find("no program reads from it"), std::string::npos) << html.err;
  struct stat status;
  ASSERT_EQ(lstat(page.c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

// A name with a line end, an escape code or a byte that is no UTF-8 can
// neither make a line of its own, drive the terminal nor pass for another.
TEST_F(VerboltAnalyzeRun, OddFileNamesAreShownEscaped) {
  const std::string odd = writeFile("a\nb:1:1: close-repetition: \x1B[31mx\xFF.txt", "chat chat");
  const std::string folder = m_dir.string();
  const Outcome line = run({"--format", "line", odd});
  EXPECT_EQ(line.out, folder +
                          "/a\\x0Ab:1:1: close-repetition: \\x1B[31mx\\xFF.txt:1:6: "
                          "close-repetition: \"chat\" again 5 letters after 1:1\n");
  const Outcome json = run({"--format", "json", odd, odd});
  EXPECT_NE(json.out.find("\"path\": \"" + folder +
                          "/a\\nb:1:1: close-repetition: "
                          "\\u001b[31mx\\\\xFF.txt\""),
            std::string::npos)
      << json.out;
  const Outcome summary = run({"--format", "summary", odd, odd});
  EXPECT_TRUE(summary.out.starts_with("==> " + folder + "/a\\x0Ab")) << summary.out;
}

TEST_F(VerboltAnalyzeRun, ExitStatusesFollowFailOnAndErrorsWin) {
  const std::string repeated = writeFile("repeated.txt", "chat chat");
  const std::string clean = writeFile("clean.txt", "un chat");
  const std::string missing = (m_dir / "missing.txt").string();
  EXPECT_EQ(run({"--format", "line", repeated}).exitStatus, 0) << "advisory by default";
  EXPECT_EQ(run({"--format", "line", "--fail-on", "close", repeated}).exitStatus, 1);
  EXPECT_EQ(run({"--format", "line", "--fail-on", "distant,searched,phrase", repeated}).exitStatus,
            0);
  EXPECT_EQ(run({"--fail-on", "close", repeated}).exitStatus, 1) << "the JSON object too";
  EXPECT_EQ(run({"--fail-on", "close", "--summary", repeated}).exitStatus, 1);
  EXPECT_EQ(run({"--fail-on", "all", clean}).exitStatus, 0);

  // An unreadable file is one line; the files after it are still checked.
  const Outcome outcome = run({"--format", "line", "--fail-on", "close", missing, repeated});
  EXPECT_EQ(outcome.exitStatus, 2);
  EXPECT_EQ(outcome.out, repeated + ":1:6: close-repetition: \"chat\" again 5 letters after 1:1\n");
  EXPECT_NE(outcome.err.find("missing.txt"), std::string::npos);
  EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;

  // A document that is not one is named by its whole path.
  std::filesystem::create_directory(m_dir / "part");
  const std::string broken = writeFile("part/index.docx", "plain words");
  const Outcome document = run({"--format", "line", broken, repeated});
  EXPECT_EQ(document.exitStatus, 2);
  EXPECT_TRUE(document.err.starts_with("verbolt-analyze: " + broken + ": ")) << document.err;
  EXPECT_EQ(document.out, outcome.out);
}

TEST_F(VerboltAnalyzeRun, AnOutputThatCannotBeWrittenIsAnErrorOfTheLinter) {
  const std::string text = writeFile("text.txt", "chat chat");
  auto statusIntoAFullDisk = [](const std::string& arguments) {
    const std::string command =
        std::string(VERBOLT_ANALYZE_PATH) + " " + arguments + " >/dev/full 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(statusIntoAFullDisk("--format line " + text), 2);
  EXPECT_EQ(statusIntoAFullDisk("--format json " + text), 2);
  EXPECT_EQ(statusIntoAFullDisk("--format summary " + text), 2);
  EXPECT_EQ(statusIntoAFullDisk("--fail-on close --summary " + text), 2);
  // The one-file call keeps its status for this, --summary included.
  EXPECT_EQ(statusIntoAFullDisk(text), 1);
  EXPECT_EQ(statusIntoAFullDisk("--summary " + text), 1);

  // A reader that goes away is an output that cannot be written too.
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "chat chat ";
  const std::string longer = writeFile("longer.txt", many);
  auto statusIntoAClosedPipe = [](const std::string& arguments) {
    const std::string command = "bash -c '" + std::string(VERBOLT_ANALYZE_PATH) + " " + arguments +
                                " 2>/dev/null | true; exit ${PIPESTATUS[0]}'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(statusIntoAClosedPipe("--format line " + longer), 2);
  EXPECT_EQ(statusIntoAClosedPipe(longer), 1);
}

TEST_F(VerboltAnalyzeRun, WhatOnlyOneFileCanHaveIsRefusedForSeveral) {
  const std::string text = writeFile("text.txt", "chat chat");
  expectUsageError(run({"--format", "line", "--html", (m_dir / "p.html").string(), text, text}),
                   "--html");
  expectUsageError(run({"--format", "sarif", "--html", (m_dir / "p.html").string(), text}),
                   "--html");
  expectUsageError(run({"--format", "json", "--docx", (m_dir / "p.docx").string(), text, text}),
                   "--docx");
  expectUsageError(run({"--format", "github", "--docx", (m_dir / "p.docx").string(), text}),
                   "--docx");
  EXPECT_FALSE(std::filesystem::exists(m_dir / "p.docx"));
  expectUsageError(run({"--format", "yaml", text}), "yaml");
}

// A book's .verbolt-ignore, in the manuscript's folder or one above it,
// skips its words for every file under it, in every format.
TEST_F(VerboltAnalyzeRun, TheBooksIgnoreFileSkipsItsWords) {
  std::filesystem::create_directories(m_dir / "book" / "chapters");
  const std::string chapter =
      writeFile("book/chapters/one.txt", "The garden, the garden and the garden again. Anna.\n");
  writeFile("book/.verbolt-ignore", "# words of this book\ngarden\n");
  const Outcome skipped = run({"--format", "line", (m_dir / "book").string()});
  EXPECT_EQ(skipped.exitStatus, 0) << skipped.err;
  EXPECT_EQ(skipped.out.find("garden"), std::string::npos) << skipped.out;
  EXPECT_EQ(skipped.err, "");
  // One file alone, JSON: no repetition left at all.
  const Outcome json = run({chapter});
  EXPECT_NE(json.out.find("\"closeStarts\": []"), std::string::npos) << json.out;

  const Outcome kept = run({"--format", "line", "--no-ignore-files", chapter});
  EXPECT_NE(kept.out.find("garden"), std::string::npos) << kept.out;

  // A file that is no list is told in one line; the run goes on.
  writeFile("book/chapters/.verbolt-ignore", std::string("\0\1binary", 8));
  const Outcome told = run({"--format", "line", chapter});
  EXPECT_EQ(told.exitStatus, 0);
  EXPECT_EQ(told.out.find("garden"), std::string::npos) << told.out;
  EXPECT_NE(told.err.find("is not UTF-8 text"), std::string::npos) << told.err;
  EXPECT_EQ(told.err.find('\n'), told.err.size() - 1) << told.err;
}

// --skip-names leaves the characters' names out and keeps the rest.
TEST_F(VerboltAnalyzeRun, SkipNamesDropsTheNamesAndKeepsTheWords) {
  const std::string story = writeFile(
      "story.txt",
      "Later Anna closed the garden gate, and Anna smiled at Marcus. Marcus saw the garden.\n");
  const Outcome all = run({"--format", "line", story});
  EXPECT_NE(all.out.find("\"Anna\""), std::string::npos) << all.out;
  EXPECT_NE(all.out.find("\"Marcus\""), std::string::npos) << all.out;
  const Outcome named = run({"--format", "line", "--skip-names", story});
  EXPECT_EQ(named.exitStatus, 0) << named.err;
  EXPECT_EQ(named.out.find("Anna"), std::string::npos) << named.out;
  EXPECT_EQ(named.out.find("Marcus"), std::string::npos) << named.out;
  EXPECT_NE(named.out.find("\"garden\""), std::string::npos) << named.out;
  // The single-file JSON report's Top-100 leaves them out too.
  const Outcome json = run({"--skip-names", story});
  EXPECT_EQ(json.out.find("anna"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("garden"), std::string::npos) << json.out;
}

// A guide with a silenced passage: nothing inside it is reported, the
// findings around it are, and a mistyped rule fails a check on comments.
TEST_F(VerboltAnalyzeRun, CommentsSilenceAPassageOfAMarkdownGuide) {
  const std::string guide = writeFile("guide.md",
                                      "# Setting up\n"
                                      "\n"
                                      "Install the package, then install the fonts.\n"
                                      "\n"
                                      "<!-- verbolt off close -->\n"
                                      "A quoted error: cannot open, cannot open, cannot open.\n"
                                      "<!-- verbolt on -->\n"
                                      "\n"
                                      "The server starts; the server listens.\n");
  const Outcome outcome = run({"--format", "line", "--fail-on", "close", guide});
  EXPECT_EQ(outcome.exitStatus, 1) << outcome.err;
  EXPECT_EQ(outcome.out,
            guide + ":3:27: close-repetition: \"install\" again 26 letters after 3:1\n" + guide +
                ":9:24: close-repetition: \"server\" again 19 letters after 9:5\n");
  // The same passage in a plain text file is no comment.
  const std::string text = writeFile("guide.txt", readFile(guide));
  EXPECT_NE(run({"--format", "line", text}).out.find("\"open\""), std::string::npos);

  const std::string typo = writeFile("typo.md", "<!-- verbolt off clse -->\nchat chat\n");
  const Outcome told = run({"--format", "line", "--fail-on", "comment", typo});
  EXPECT_EQ(told.exitStatus, 1);
  EXPECT_EQ(told.out, typo +
                          ":1:18: verbolt-comment: \"clse\" is no rule: a verbolt comment names "
                          "close, distant, searched, phrase, echo, opening or all\n" +
                          typo + ":2:6: close-repetition: \"chat\" again 5 letters after 2:1\n");
  const Outcome github = run({"--format", "github", typo});
  EXPECT_TRUE(github.out.ends_with("0 searched-phrase, 1 verbolt-comment)\n")) << github.out;
}

// A team accepts today's findings, then fails only on a new one.
TEST_F(VerboltAnalyzeRun, ABaselineLetsOnlyNewFindingsThrough) {
  std::filesystem::create_directories(m_dir / "docs");
  const std::string guide = writeFile("docs/guide.md", "The house, the house.\n\nA garden.\n");
  writeFile("docs/notes.txt", "chat chat\n");
  // The baseline's paths are relative to the folder the check runs in.
  struct WorkingFolder {
    std::filesystem::path previous = std::filesystem::current_path();
    ~WorkingFolder() { std::filesystem::current_path(previous); }
  } workingFolder;
  std::filesystem::current_path(m_dir);
  const Outcome written = run({"--format", "line", "--write-baseline", "baseline.json", "docs"});
  EXPECT_EQ(written.exitStatus, 0) << written.err;
  EXPECT_EQ(readFile(m_dir / "baseline.json"),
            "{\n  \"version\": 1,\n  \"files\": {\n"
            "    \"docs/guide.md\": {\"close-repetition\": 1},\n"
            "    \"docs/notes.txt\": {\"close-repetition\": 1}\n  }\n}\n");

  const std::vector<std::string> check = {"--format",  "line", "--baseline", "baseline.json",
                                          "--fail-on", "all",  "docs"};
  const Outcome clean = run(check);
  EXPECT_EQ(clean.exitStatus, 0) << clean.err;
  EXPECT_EQ(clean.out, "");
  EXPECT_EQ(clean.err, "");

  // One new repetition, at the end of the guide, an edit elsewhere too.
  writeFile("docs/guide.md", "Intro.\n\nThe house, the house.\n\nA garden, a garden.\n");
  const Outcome added = run(check);
  EXPECT_EQ(added.exitStatus, 1) << added.err;
  EXPECT_EQ(added.out,
            "docs/guide.md:5:13: close-repetition: \"garden\" again 10 letters after 5:3\n");

  // The notes fixed: their entry is stale, told in one line, then pruned.
  writeFile("docs/notes.txt", "chat\n");
  const Outcome stale = run(check);
  EXPECT_EQ(stale.err,
            "verbolt-analyze: 1 baseline entry no longer matches (--prune-baseline removes "
            "them): docs/notes.txt close-repetition 1 > 0\n");
  std::vector<std::string> prune = check;
  prune.insert(prune.begin(), "--prune-baseline");
  EXPECT_EQ(run(prune).err, "");
  EXPECT_EQ(readFile(m_dir / "baseline.json"),
            "{\n  \"version\": 1,\n  \"files\": {\n"
            "    \"docs/guide.md\": {\"close-repetition\": 1}\n  }\n}\n");
  EXPECT_EQ(run(check).err, "");

  writeFile("broken.json", "{\"version\": 1, \"files\": []}");
  expectUsageError(run({"--format", "line", "--baseline", "broken.json", "docs"}),
                   "'broken.json' is not a baseline");
  expectUsageError(run({"--baseline", "baseline.json", guide}), "need --format line");
}

}  // namespace

}  // namespace verbolt
