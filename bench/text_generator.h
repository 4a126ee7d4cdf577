// Seeded English-like prose for the benchmarks and for checking word counts
// against other tools. The same size and seed give the same bytes on every
// platform: the generator has its own random source and uses integer
// arithmetic only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace verbolt {

// `bytes` bytes of Windows-1252 prose drawn from a Zipf-like vocabulary of
// 60,000 words: common English words at the top ranks, made-up pronounceable
// words in the long tail. Sentences start with a capital and end with a full
// stop (now and then a question or exclamation mark), commas fall here and
// there, each paragraph is one line ending in "\n", and a few words carry an
// apostrophe, a hyphen or an accented letter (0xE0, 0xE7, 0xE9, 0xEF).
// A shorter text is a prefix of a longer one with the same seed.
std::string generateProse(size_t bytes, uint32_t seed);

// `bytes` of prose for the window's benchmarks: the Windows-1252 text of
// the file that VERBOLT_BENCH_TEXT names, cut or repeated to that length,
// or generateProse's with seed 1 when none is named or it is empty.
std::string benchProse(size_t bytes);

// The same kind of prose in which about every other word is one of
// kHostileWordCount distinct made-up words that all begin with
// kHostilePrefix. They come in a fixed shuffled order, so all of them have
// appeared once before any repeats (from about 2 MB of text on).
//
// kSyllables builds them from the syllables of the long tail, so that
// many share long beginnings: with similar words on they form large
// families of equivalent words. kBeginningOnly follows the prefix with six
// to ten random letters, so that the words share the prefix and, by
// chance, little more.
enum class HostileWords { kSyllables, kBeginningOnly };
std::string generateHostile(size_t bytes, uint32_t seed,
                            HostileWords kind = HostileWords::kSyllables);

// Prose in which every word is one of kLargeFamilyWordCount words of six
// to twelve letters made of fifty two-letter syllables, in a fixed shuffled
// order: with so few syllables most words share their first four or more
// letters with dozens of others, so that with similar words on nearly
// every word belongs to a large family.
std::string generateLargeFamilies(size_t bytes, uint32_t seed);

inline constexpr size_t kLargeFamilyWordCount = 100000;

inline constexpr std::string_view kHostilePrefix = "co";
inline constexpr size_t kHostileWordCount = 100000;

// The paragraphs of prose, one a line, for the benchmarks that make
// documents of it.
std::vector<std::string> paragraphsOf(const std::string& utf8);

}  // namespace verbolt
