#include "analysis/word_split.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "analysis/word_head.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr std::array<std::uint64_t, 9> kFirstBytes = [] {
  std::array<std::uint64_t, 9> masks{};
  for (size_t count = 1; count < masks.size(); ++count) masks[count] = firstBytesMask(count);
  return masks;
}();

}  // namespace

size_t WordSplit::sharedBeginning(const AnalysisSettings& settings) {
  constexpr size_t kMost = 8;
  if (!settings.m_sameActive) return kMost;
  if (settings.m_sameNbLetters <= 1 && settings.m_samePercent < 50) return 1;
  return static_cast<size_t>(std::clamp(settings.m_sameNbLetters, 2, static_cast<int>(kMost)));
}

// Most words have eight bytes of text after their start, read in one load
// whatever the word's length: words of every length come mixed, and a
// choice by length would be guessed wrong half the time.
size_t WordSplit::bucketOf(std::string_view text, size_t start, size_t end) const {
  size_t counted = std::min(end - start, m_beginning);
  std::uint64_t beginning;
  if (text.size() - start >= 8) {
    std::memcpy(&beginning, text.data() + start, 8);
    beginning &= kFirstBytes[counted];
  } else {
    beginning = loadWordBytes(text.data() + start, counted);
  }
  std::uint64_t hash = (beginning ^ counted) * 0x9E3779B97F4A7C15ull;
  return static_cast<size_t>(hash >> (64 - kBucketBits));
}

// The buckets go, the most counted first, each to the share that has
// counted fewer words so far.
Buckets balancedBuckets(std::string_view text, const WordSplit& split) {
  constexpr size_t kSamples = 8;
  constexpr size_t kSampleBytes = 8 * 1024;
  std::array<size_t, WordSplit::kBuckets> words{};
  for (size_t sample = 0; sample < kSamples; ++sample) {
    const size_t at = wordEndAt(text, text.size() / kSamples * sample);
    const size_t to = std::min(text.size(), at + kSampleBytes);
    forEachWord(text, at, to,
                [&](size_t start, size_t end) { ++words[split.bucketOf(text, start, end)]; });
  }
  std::array<size_t, WordSplit::kBuckets> order;
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return words[a] > words[b]; });
  Buckets first{};
  size_t firstWords = 0;
  size_t otherWords = 0;
  for (size_t bucket : order) {
    if (firstWords <= otherWords) {
      first[bucket] = true;
      firstWords += words[bucket];
    } else {
      otherWords += words[bucket];
    }
  }
  return first;
}

Buckets complementOf(const Buckets& buckets) {
  Buckets complement;
  for (size_t i = 0; i < buckets.size(); ++i) complement[i] = !buckets[i];
  return complement;
}

}  // namespace verbolt
