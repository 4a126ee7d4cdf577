// What a word is: the word-character class, case folding and word
// boundaries over Windows-1252 text, one byte per character.
#pragma once

#include <string>
#include <string_view>

bool isWordChar(unsigned char c);

// Folds only 'A'-'Z'; accented capitals stay as they are. Never changes
// the length, so positions in the folded text are editor positions.
[[nodiscard]] std::string lowercaseText(std::string_view text);
void lowercaseTextInPlace(std::string& text);

// End (exclusive) of the word that starts at s; the byte at s is not tested.
size_t wordEndAt(std::string_view text, size_t s);

// Start of the word that ends at or runs through p; the byte at p is not
// tested and the walk goes back at most 49 bytes.
size_t wordStartAt(std::string_view text, size_t p);

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
