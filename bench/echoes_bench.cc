// Times the search for phrase echoes and sentence openings on a text, with
// the default settings, against counting its words as `wc -w` does, and
// the count of the phrases repeated most over the whole text.
//
//   echoes-bench TEXT   (Windows-1252; bench/prepare-real-texts.sh makes
//                        the King James Bible at 10 MB)
//
// Prints the median of five runs of each, the ratio to the word count, and
// how many occurrences each rule finds; the phrase echoes also searched in
// two halves at once, as beside the analysis of a long text.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/phrase_echoes.h"
#include "analysis/phrase_words.h"
#include "analysis/top_phrases.h"
#include "settings/analysis_settings.h"
#include "text/words.h"

using namespace verbolt;

namespace {

template <typename Work>
double medianMilliseconds(Work work) {
  std::vector<double> times;
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  return times[2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: echoes-bench TEXT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string text = lowercaseText(std::string{std::istreambuf_iterator<char>(in), {}});
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.ClampToRanges();
  const EchoSettings echoes;
  size_t words = 0, phrases = 0, openings = 0;
  // As wc -w counts: runs of bytes between blanks.
  const double count = medianMilliseconds([&] {
    words = 0;
    bool inWord = false;
    for (unsigned char c : text) {
      const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\r';
      words += !blank && !inWord ? 1 : 0;
      inWord = !blank;
    }
  });
  std::vector<PhraseWord> read;
  const double readTime = medianMilliseconds([&] { read = wordsOf(text, settings); });
  const double phraseTime =
      medianMilliseconds([&] { phrases = phraseEchoesOf(read, echoes).size(); });
  const double halvesTime =
      medianMilliseconds([&] { phrases = phraseEchoesOf(read, echoes, EchoShares::kTwo).size(); });
  const double openingTime =
      medianMilliseconds([&] { openings = sentenceOpeningsOf(read, echoes).size(); });
  size_t listed = 0;
  const double topTime =
      medianMilliseconds([&] { listed = topPhrasesOf(read, echoes, kTopPhraseCount).size(); });
  std::printf("%.1f MB, %zu words\n", text.size() / 1048576.0, words);
  std::printf("word count            %8.1f ms\n", count);
  std::printf("reading the words     %8.1f ms\n", readTime);
  std::printf("phrase echoes         %8.1f ms  %zu occurrences\n", phraseTime, phrases);
  std::printf("  in two halves at once %6.1f ms\n", halvesTime);
  std::printf("sentence openings     %8.1f ms  %zu openings\n", openingTime, openings);
  std::printf("top phrases           %8.1f ms  %zu listed\n", topTime, listed);
  std::printf("the three / word count %7.1fx\n", (readTime + phraseTime + openingTime) / count);
  return 0;
}
