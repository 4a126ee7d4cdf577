// How the analysis pass divides the words of a text between two threads.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "settings/analysis_settings.h"

namespace verbolt {

// How two shares divide the words: by the beginning that every word shares
// with all the words its occurrences are recorded under, so that each
// share has every occurrence its entries receive. Words are sorted into
// buckets by a hash of that beginning (of the whole word when shorter), and
// each share takes some of the buckets.
class WordSplit {
 public:
  static constexpr int kBucketBits = 10;
  static constexpr size_t kBuckets = size_t{1} << kBucketBits;

  explicit WordSplit(const AnalysisSettings& settings) : m_beginning(sharedBeginning(settings)) {}

  // The bucket of the word [start, end) of `text`.
  size_t bucketOf(std::string_view text, size_t start, size_t end) const;

 private:
  // A word's occurrences go to keys equal to it or sharing at least the
  // minimum number of letters with it, and at least its first two bytes;
  // only a one-letter word, whose candidates are all the keys of its
  // letter, can be similar to a key sharing one byte with it, and only with
  // a minimum of one letter or none and a percentage below half of two.
  static size_t sharedBeginning(const AnalysisSettings& settings);

  const size_t m_beginning;
};

// Which buckets of words a share takes.
using Buckets = std::array<bool, WordSplit::kBuckets>;

// The buckets the first of two shares takes so that it gets about half of
// the words of `text`, as counted in a few stretches of it.
Buckets balancedBuckets(std::string_view text, const WordSplit& split);

// The buckets the other share takes.
Buckets complementOf(const Buckets& buckets);

}  // namespace verbolt
