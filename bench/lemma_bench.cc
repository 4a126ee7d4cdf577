// Times families by dictionary form on real French prose: the analysis of
// a text with the default families (common beginning) and with the French
// dictionary's lemmas, and the dictionary's load. Prints the median of
// several runs of each and the ratios the goals are set on.
//
//   lemma-bench FRENCH_TEXT   (made by bench/french-text.sh OUT 10)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "analysis/analysis_pass.h"
#include "lemma/dictionary.h"
#include "lemma/lemma_cache.h"
#include "settings/analysis_settings.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr int kRuns = 7;

template <typename Work>
double medianMilliseconds(Work work) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    times.push_back(elapsed.count());
  }
  std::sort(times.begin(), times.end());
  return times[kRuns / 2];
}

template <typename Work>
double millisecondsOf(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

AnalysisSettings defaults() {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  settings.ClampToRanges();
  return settings;
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lemma-bench FRENCH_TEXT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::optional<DictionaryFiles> files = findDictionary(Language::kFrench);
  if (text.empty() || !files) {
    std::fprintf(stderr, "lemma-bench: no text in %s or no French dictionary\n", argv[1]);
    return 2;
  }
  const std::string lowered = lowercaseText(text);
  std::printf("text: %s, %.1f MB\n", argv[1], static_cast<double>(text.size()) / 1e6);

  const double load = medianMilliseconds([&] { loadLemmas(*files)->lemmasOf("manger"); });

  const AnalysisSettings beginning = defaults();
  AnalysisResult result;
  const double byBeginning = medianMilliseconds([&] { result = analyzeText(lowered, beginning); });
  const size_t beginningCloses = result.closeStartCount;

  // Each run with a fresh dictionary cache, loaded outside the timing: the
  // first Process after the option is chosen, every distinct word looked up.
  AnalysisSettings lemma = defaults();
  std::vector<double> firstRuns;
  size_t lookUps = 0;
  for (int i = 0; i < kRuns; ++i) {
    auto source = std::static_pointer_cast<LemmaCache>(loadLemmas(*files));
    lemma.m_lemmas = source;
    firstRuns.push_back(millisecondsOf([&] { result = analyzeText(lowered, lemma); }));
    lookUps = source->lookUps();
  }
  std::sort(firstRuns.begin(), firstRuns.end());
  const double byLemmaFirst = firstRuns[kRuns / 2];
  // Later runs find every word in the cache, as every Process after the first.
  const double byLemmaLater = medianMilliseconds([&] { result = analyzeText(lowered, lemma); });

  std::printf("dictionary load (fr.aff + fr.dic): %.0f ms (goal <= 300 ms)\n", load);
  std::printf("analysis, families by beginning: %.0f ms (%zu close starts)\n", byBeginning,
              beginningCloses);
  std::printf(
      "analysis, families by lemma, first run: %.0f ms, %.2fx (goal <= 2x), %zu words "
      "looked up\n",
      byLemmaFirst, byLemmaFirst / byBeginning, lookUps);
  std::printf("analysis, families by lemma, later runs: %.0f ms, %.2fx (%zu close starts)\n",
              byLemmaLater, byLemmaLater / byBeginning, result.closeStartCount);
  return 0;
}
