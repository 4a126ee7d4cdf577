// The words of a text as the phrase rules read them: each with an id
// (equal words, equal ids), its sentence and whether it may start, end or
// count in a phrase; and the key of a phrase, built a word at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "settings/analysis_settings.h"

namespace verbolt {

// Positions and counts fit in 32 bits, as the analysis's do (texts stay
// under 2 GB): a novel has millions of words, read once per run.
struct PhraseWord {
  std::uint32_t begin;
  std::uint32_t end;
  int id;                  // equal words, equal ids
  std::uint32_t sentence;  // words of one sentence share it
  bool listed;             // in the list of words to skip: never starts or ends a phrase
  bool counted;            // neither listed nor skipped for its length
};

// The words of the lowered text, each with its sentence; the similar-words
// rule is left out, the list to skip applies when skipping is on.
std::vector<PhraseWord> wordsOf(std::string_view text, const AnalysisSettings& settings);

// A phrase's key, built a word at a time.
inline constexpr std::uint64_t kPhraseSeed = 0x9E3779B97F4A7C15ull;

inline std::uint64_t withWord(std::uint64_t key, int id) {
  return (key ^ static_cast<std::uint64_t>(id)) * 0x100000001B3ull;
}

inline std::uint64_t keyOf(std::uint64_t built) {
  built ^= built >> 29;
  return built == 0 ? 1 : built;  // 0 marks an empty slot
}

}  // namespace verbolt
