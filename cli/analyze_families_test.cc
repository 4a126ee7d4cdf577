// verbolt-analyze --families, run as a writer runs it: the default kind
// changes nothing, a dictionary kind joins the forms of a word.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace verbolt {

namespace {

struct Outcome {
  int exitStatus = -1;
  std::string out;
};

// The program on `text` with `options`; its standard error goes to its
// standard output.
Outcome analyze(const std::string& text, const std::string& options) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("verbolt-families-" + std::to_string(getpid()) + ".txt");
  std::ofstream(path, std::ios::binary) << text;
  const std::string command =
      std::string(VERBOLT_ANALYZE_PATH) + " " + options + " " + path.string() + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) outcome.out.append(buffer, n);
  const int status = pclose(pipe);
  outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::filesystem::remove(path);
  return outcome;
}

const std::string kFrench =
    "Nous mangeons tous les soirs. Ils mang\xE8rent hier, et nous mangerons demain. "
    "L'homme savait qu\x92il fallait manger; les hommes savent que l\x92homme sut.";

TEST(AnalyzeFamilies, BeginningIsTheDefaultToTheByte) {
  std::ifstream sample(VERBOLT_SAMPLES "/welcome.txt", std::ios::binary);
  const std::string welcome((std::istreambuf_iterator<char>(sample)), {});
  for (const std::string& text : {welcome, kFrench}) {
    for (const std::string& output : {std::string(), std::string("--summary")}) {
      Outcome plain = analyze(text, output);
      ASSERT_EQ(plain.exitStatus, 0) << plain.out;
      EXPECT_EQ(analyze(text, output + " --families beginning").out, plain.out);
      EXPECT_EQ(analyze(text, output + " --families=beginning").out, plain.out);
    }
  }
}

TEST(AnalyzeFamilies, FrenchDictionaryFormsMakeTheFamilies) {
  Outcome beginning = analyze(kFrench, "--summary");
  Outcome lemma = analyze(kFrench, "--summary --families lemma-fr");
  ASSERT_EQ(lemma.exitStatus, 0) << lemma.out;
  EXPECT_NE(lemma.out.find("  4 : mangeons\n"
                           "       mang\xC3\xA8rent\n"  // the summary is UTF-8
                           "       mangerons\n"
                           "       manger\n"),
            std::string::npos)
      << lemma.out;
  EXPECT_NE(lemma.out.find("       savent\n"), std::string::npos) << lemma.out;
  // By beginning, savait and savent share too little.
  EXPECT_EQ(beginning.out.find("       savent\n"), std::string::npos) << beginning.out;
}

TEST(AnalyzeFamilies, EnglishIrregularFormsJoinTheirWord) {
  const std::string text =
      "The children went home. One child had gone before them, and the mice ran. "
      "A mouse watched the going of every child.";
  Outcome lemma = analyze(text, "--summary --families lemma-en");
  ASSERT_EQ(lemma.exitStatus, 0) << lemma.out;
  for (const char* family :
       {"  3 : children\n       child\n", "  3 : went\n       gone\n       going\n",
        "  2 : mice\n       mouse\n"}) {
    EXPECT_NE(lemma.out.find(family), std::string::npos) << family << lemma.out;
  }
}

TEST(AnalyzeFamilies, AnUnknownKindIsAUsageError) {
  Outcome outcome = analyze(kFrench, "--families lemma-de");
  EXPECT_EQ(outcome.exitStatus, 2);
  EXPECT_NE(outcome.out.find("--families takes beginning, lemma-fr or lemma-en"), std::string::npos)
      << outcome.out;
}

}  // namespace

}  // namespace verbolt
