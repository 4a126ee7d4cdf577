// Speed of the detection pass on generated prose: lower-casing plus
// analyzeText, with the default settings and with every detection on, and
// on both hostile vocabularies with the default settings.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "analysis/analysis_pass.h"
#include "bench/bench_settings.h"
#include "bench/text_generator.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr size_t kMegabyte = 1024 * 1024;
constexpr uint32_t kSeed = 1;

// Generated once per generator and size, before any timing starts.
using Generator = std::string (*)(size_t bytes, uint32_t seed);

const std::string& cachedText(Generator generate, int64_t megabytes) {
  static std::map<std::pair<Generator, int64_t>, std::string> cache;
  auto key = std::make_pair(generate, megabytes);
  auto found = cache.find(key);
  if (found == cache.end()) {
    found = cache.emplace(key, generate(static_cast<size_t>(megabytes) * kMegabyte, kSeed)).first;
  }
  return found->second;
}

const std::string& proseOfMegabytes(int64_t megabytes) {
  return cachedText(generateProse, megabytes);
}

std::string generateSyllableHostile(size_t bytes, uint32_t seed) {
  return generateHostile(bytes, seed, HostileWords::kSyllables);
}

std::string generateBeginningHostile(size_t bytes, uint32_t seed) {
  return generateHostile(bytes, seed, HostileWords::kBeginningOnly);
}

void measureAnalysis(benchmark::State& state, const AnalysisSettings& settings,
                     const std::string& text) {
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

void BM_AnalysisDefaults(benchmark::State& state) {
  measureAnalysis(state, defaultBenchSettings(), proseOfMegabytes(state.range(0)));
}

void BM_AnalysisAllFeatures(benchmark::State& state) {
  measureAnalysis(state, allFeaturesBenchSettings(), proseOfMegabytes(state.range(0)));
}

// Every other word one of 100,000 words beginning with "co": the candidate
// runs are long and, with similar words on, many keys are equivalent.
void BM_AnalysisHostile(benchmark::State& state) {
  measureAnalysis(state, defaultBenchSettings(),
                  cachedText(generateSyllableHostile, state.range(0)));
}

// The same words sharing "co" and, by chance, little more: the candidate
// runs are as long, the families small.
void BM_AnalysisHostileBeginning(benchmark::State& state) {
  measureAnalysis(state, defaultBenchSettings(),
                  cachedText(generateBeginningHostile, state.range(0)));
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

BENCHMARK(BM_AnalysisHostile)->ArgName("MB")->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_AnalysisHostileBeginning)
    ->ArgName("MB")
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace verbolt

using namespace verbolt;

BENCHMARK_MAIN();
