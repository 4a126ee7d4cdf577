// What a word is: the word-character class, case folding and word
// boundaries over Windows-1252 text, one byte per character.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace verbolt {

namespace word_chars {
constexpr std::array<bool, 256> makeTable() {
  std::array<bool, 256> table{};
  for (int c = '0'; c <= '9'; ++c) table[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) table[c] = true;
  for (int c = 0xC0; c <= 0xFF; ++c) table[c] = true;
  // Letters that Windows-1252 places among its punctuation: Š Œ Ž š œ ž Ÿ µ.
  for (int c : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xB5}) table[c] = true;
  return table;
}
inline constexpr std::array<bool, 256> kTable = makeTable();
}  // namespace word_chars

// Inline: every pass over the text asks it for each byte.
inline bool isWordChar(unsigned char c) { return word_chars::kTable[c]; }

// Bit i of the result is set when bytes[i] is a word character, for the
// `count` bytes from `bytes` (at most 64): a scan sees the words of 64
// bytes at once, without a branch per byte.
std::uint64_t wordCharMask(const char* bytes, size_t count);

// Folds only 'A'-'Z'; accented capitals stay as they are. Never changes
// the length, so positions in the folded text are editor positions.
[[nodiscard]] std::string lowercaseText(std::string_view text);
void lowercaseTextInPlace(std::string& text);

// End (exclusive) of the word that starts at s; the byte at s is not tested.
size_t wordEndAt(std::string_view text, size_t s);

// Start of the word that ends at or runs through p; the byte at p is not
// tested and the walk goes back at most 49 bytes.
size_t wordStartAt(std::string_view text, size_t p);

// Calls visit(start, end) for every word [start, end) of `text` that starts
// in [from, to), in order; the last one runs on past `to` to its end.
// `from` lies at a word's start or between words.
template <typename Visit>
void forEachWord(std::string_view text, size_t from, size_t to, Visit&& visit) {
  size_t i = from;
  while (i < to) {
    if (!isWordChar(text[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (++i < text.size() && isWordChar(text[i])) {
    }
    visit(start, i);
  }
}

template <typename Visit>
void forEachWord(std::string_view text, Visit&& visit) {
  forEachWord(text, 0, text.size(), visit);
}

// Word count of the text-information box: runs of " ", "\n" and en dash
// (0x96) separate words. An empty text has 0 words.
int countWords(std::string_view text);

// The three figures of the text-information box.
struct TextStatistics {
  int words = 0;
  int lettersWithoutSpaces = 0;  // every byte but line feeds and blanks
  int lettersWithSpaces = 0;     // every byte but line feeds
};
TextStatistics textStatistics(std::string_view text);

// What textStatistics adds up, so that an edit can be counted by the bytes
// it changes: the line feeds and blanks of some bytes, and the word starts
// (a separator followed by another byte) at some positions.
struct TextCounts {
  long long lineFeeds = 0;
  long long blanks = 0;
  long long wordStarts = 0;
};
// The line feeds and blanks of [from, to), and the word starts at its
// positions that have a next byte in `text`.
TextCounts countsIn(std::string_view text, size_t from, size_t to);
TextStatistics statisticsFrom(size_t size, const TextCounts& counts);

// textStatistics of the text as given, and the text folded as
// lowercaseTextInPlace folds it, in one pass over a long text.
TextStatistics lowercaseAndCount(std::string& text);
// The same, with the counts behind the statistics.
TextCounts lowercaseAndCountIn(std::string& text);

}  // namespace verbolt
