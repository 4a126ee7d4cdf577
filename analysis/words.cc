#include "analysis/words.h"

#include <array>

namespace {

constexpr std::array<bool, 256> makeWordCharTable() {
  std::array<bool, 256> table{};
  for (int c = '0'; c <= '9'; ++c) table[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) table[c] = true;
  for (int c = 0xC0; c <= 0xFF; ++c) table[c] = true;
  // Letters that Windows-1252 places among its punctuation: Š Œ Ž š œ ž Ÿ µ.
  for (int c : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xB5}) table[c] = true;
  return table;
}

constexpr std::array<bool, 256> kWordChar = makeWordCharTable();

bool isCountSeparator(unsigned char c) { return c == ' ' || c == '\n' || c == 0x96; }

}  // namespace

bool isWordChar(unsigned char c) { return kWordChar[c]; }

void lowercaseTextInPlace(std::string& text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
}

std::string lowercaseText(std::string_view text) {
  std::string lowered(text);
  lowercaseTextInPlace(lowered);
  return lowered;
}

size_t wordEndAt(std::string_view text, size_t s) {
  size_t e = s + 1;
  while (e < text.size() && isWordChar(text[e])) ++e;
  return e;
}

size_t wordStartAt(std::string_view text, size_t p) {
  size_t d = 1;
  while (d <= p && d < 50 && p - d < text.size() && isWordChar(text[p - d])) ++d;
  return p - d + 1;
}

int countWords(std::string_view text) {
  if (text.empty()) return 0;
  int words = 1;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (isCountSeparator(text[i]) && !isCountSeparator(text[i + 1])) ++words;
  }
  return words;
}

TextStatistics textStatistics(std::string_view text) {
  int lineFeeds = 0;
  int blanks = 0;
  for (char c : text) {
    if (c == '\n') ++lineFeeds;
    if (c == ' ') ++blanks;
  }
  TextStatistics stats;
  stats.words = countWords(text);
  stats.lettersWithSpaces = static_cast<int>(text.size()) - lineFeeds;
  stats.lettersWithoutSpaces = stats.lettersWithSpaces - blanks;
  return stats;
}
