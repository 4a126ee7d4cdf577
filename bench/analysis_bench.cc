// Speed of the detection pass on generated prose: lower-casing plus
// analyzeText, with the default settings and with every detection on.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

#include "analysis/analysis_pass.h"
#include "analysis/words.h"
#include "bench/text_generator.h"
#include "settings/analysis_settings.h"

namespace {

constexpr size_t kMegabyte = 1024 * 1024;
constexpr uint32_t kSeed = 1;

// Generated once per size, before any timing starts.
const std::string& proseOfMegabytes(int64_t megabytes) {
  static std::map<int64_t, std::string> cache;
  auto found = cache.find(megabytes);
  if (found == cache.end()) {
    found = cache.emplace(megabytes, generateProse(megabytes * kMegabyte, kSeed)).first;
  }
  return found->second;
}

AnalysisSettings defaultSettings() {
  AnalysisSettings settings;
  settings.ResetToDefaults();
  settings.ClampToRanges();
  return settings;
}

// Similar words, close and distant repetitions are on by default. The word
// search adds a size band that only the long tail of the vocabulary reaches;
// the phrases are pairs of the commonest words, so every one is found.
AnalysisSettings allFeaturesSettings() {
  AnalysisSettings settings;
  settings.ResetToDefaults();
  settings.m_sameActive = 1;
  settings.m_closeActive = 1;
  settings.m_distantActive = 1;
  settings.m_wordsActive = 1;
  settings.m_wordsLetterMin = 12;
  settings.m_wordsLetterMax = 14;
  settings.m_phrasesActive = 1;
  AnalysisSettings::SetListFromText(settings.m_phrasesList,
                                    "of the\nin the\nto the\nand the\nit was\n"
                                    "he had\nthat he\non the\nat the\nfor the",
                                    "\n");
  settings.ClampToRanges();
  return settings;
}

void measureAnalysis(benchmark::State& state, const AnalysisSettings& settings) {
  const std::string& text = proseOfMegabytes(state.range(0));
  AnalysisResult result;
  for (auto _ : state) {
    result = analyzeText(lowercaseText(text), settings);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["phraseRanges"] = static_cast<double>(result.phraseRanges.size() / 2);
  state.counters["searched"] = static_cast<double>(result.searchedStarts.size());
  state.counters["distant"] = static_cast<double>(result.distantStarts.size());
  state.counters["close"] = static_cast<double>(result.closeStarts.size());
}

void BM_AnalysisDefaults(benchmark::State& state) { measureAnalysis(state, defaultSettings()); }

void BM_AnalysisAllFeatures(benchmark::State& state) {
  measureAnalysis(state, allFeaturesSettings());
}

}  // namespace

BENCHMARK(BM_AnalysisDefaults)
    ->ArgName("MB")
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BM_AnalysisAllFeatures)
    ->ArgName("MB")
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

BENCHMARK_MAIN();
