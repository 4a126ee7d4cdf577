#include "text/words.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace verbolt {

namespace {

std::vector<std::string> wordsOf(const std::string& text) {
  std::vector<std::string> words;
  std::string lowered = lowercaseText(text);
  std::string current;
  for (char c : lowered + " ") {
    if (isWordChar(c)) {
      current += c;
    } else if (!current.empty()) {
      words.push_back(current);
      current.clear();
    }
  }
  return words;
}

TEST(WordChar, ClassifiesEveryByte) {
  std::string letters;
  for (int c = 0; c < 256; ++c) {
    if (isWordChar(static_cast<unsigned char>(c))) letters += static_cast<char>(c);
  }
  // Digits, both ASCII cases, 0xC0-0xFF and the eight letters among the
  // punctuation of the code page; nothing else.
  EXPECT_EQ(letters.size(), 10u + 26u + 26u + 64u + 8u);
  for (unsigned char c : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xB5, 0xD7, 0xF7, 0xC0, 0xFF}) {
    EXPECT_TRUE(isWordChar(c)) << int(c);
  }
  for (unsigned char c :
       std::initializer_list<unsigned char>{'\'', '-', '_', ' ', '\t', '\n', '\r', 0x00, 0x7F, 0x91,
                                            0x92, 0x96, 0x97, 0xA0, 0xBF, 0x80, 0x8B, 0x9B}) {
    EXPECT_FALSE(isWordChar(c)) << int(c);
  }
}

TEST(WordChar, SplitsAtApostrophesDashesAndTypographicPunctuation) {
  EXPECT_EQ(wordsOf("L'\xE9t\xE9, c'est\x97"
                    "d\xE9j\xE0\x97"
                    "fini!"),
            (std::vector<std::string>{"l", "\xE9t\xE9", "c", "est", "d\xE9j\xE0", "fini"}));
  EXPECT_EQ(wordsOf("porte-monnaie 2013 a4"),
            (std::vector<std::string>{"porte", "monnaie", "2013", "a4"}));
}

TEST(Lowercase, FoldsOnlyAsciiCapitals) {
  EXPECT_EQ(lowercaseText(std::string("\xC9T\xC9")), "\xC9t\xC9");
  EXPECT_EQ(lowercaseText(std::string("T\xEAte")), "t\xEAte");
  EXPECT_EQ(lowercaseText(std::string("MAISON Maison \x8A\x8C\x8E\x9F")),
            "maison maison \x8A\x8C\x8E\x9F");
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  std::string lowered = lowercaseText(all);
  ASSERT_EQ(lowered.size(), all.size());
  for (int c = 0; c < 256; ++c) {
    int expected = (c >= 'A' && c <= 'Z') ? c + 32 : c;
    EXPECT_EQ(static_cast<unsigned char>(lowered[c]), expected);
  }
}

TEST(WordBoundaries, EndDoesNotTestTheStartByte) {
  EXPECT_EQ(wordEndAt("abc def", 0), 3u);
  EXPECT_EQ(wordEndAt("abc def", 3), 7u);
  EXPECT_EQ(wordEndAt("abc def", 4), 7u);
  EXPECT_EQ(wordEndAt("a", 0), 1u);
}

TEST(WordBoundaries, StartWalksBackAtMost49Bytes) {
  EXPECT_EQ(wordStartAt("abc def", 7), 4u);
  EXPECT_EQ(wordStartAt("abc def", 3), 0u);
  EXPECT_EQ(wordStartAt("abc def", 0), 0u);
  EXPECT_EQ(wordStartAt("abc def", 4), 4u);
  std::string longWord(60, 'x');
  EXPECT_EQ(wordStartAt(longWord, 55), 55u - 49u);
  EXPECT_EQ(wordStartAt(longWord, 49), 0u);
  EXPECT_EQ(wordStartAt(longWord, 50), 1u);
}

TEST(CountWords, RunsOfBlanksLineFeedsAndEnDashesCountOnce) {
  EXPECT_EQ(countWords("a b"), 2);
  EXPECT_EQ(countWords("a  b"), 2);
  EXPECT_EQ(countWords(" a"), 2);
  EXPECT_EQ(countWords("a "), 1);
  EXPECT_EQ(countWords("x"), 1);
  EXPECT_EQ(countWords("a\x96"
                       "b"),
            2);
  EXPECT_EQ(countWords("a\nb\n"), 2);
  EXPECT_EQ(countWords("a,b"), 1);
  EXPECT_EQ(countWords("a\tb"), 1);
  EXPECT_EQ(countWords(""), 0);
}

TEST(TextStatistics, EveryByteButLineFeedsIsALetter) {
  TextStatistics ab = textStatistics("a b\n");
  EXPECT_EQ(ab.words, 2);
  EXPECT_EQ(ab.lettersWithoutSpaces, 2);
  EXPECT_EQ(ab.lettersWithSpaces, 3);

  TextStatistics blanks = textStatistics(std::string(10, ' '));
  EXPECT_EQ(blanks.words, 1);
  EXPECT_EQ(blanks.lettersWithoutSpaces, 0);
  EXPECT_EQ(blanks.lettersWithSpaces, 10);

  TextStatistics empty = textStatistics("");
  EXPECT_EQ(empty.words, 0);
  EXPECT_EQ(empty.lettersWithSpaces, 0);

  // Tabs and no-break spaces are letters for these figures.
  TextStatistics tabs = textStatistics(
      "a\tb\xA0"
      "c");
  EXPECT_EQ(tabs.lettersWithoutSpaces, 5);
}

// Bytes of every kind, so that the scans that read many bytes at once are
// checked against the byte-by-byte rules on all of them.
std::string randomBytes(std::mt19937& random, size_t size) {
  static const std::string kSome = std::string("aZ09 \n\t-'") + "\x8A\x96\xA0\xB5\xC0\xE9\xFF";
  std::string text(size, ' ');
  for (char& c : text) {
    c = random() % 2 ? kSome[random() % kSome.size()] : static_cast<char>(random() % 256);
  }
  return text;
}

TEST(WordCharMask, AgreesWithIsWordCharOnEveryByteAndCount) {
  std::string every;
  for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
  for (size_t start = 0; start + 64 <= every.size(); start += 64) {
    std::uint64_t mask = wordCharMask(every.data() + start, 64);
    for (size_t i = 0; i < 64; ++i) {
      EXPECT_EQ((mask >> i) & 1, isWordChar(every[start + i]) ? 1u : 0u) << start + i;
    }
  }
  std::mt19937 random(3);
  for (int round = 0; round < 200; ++round) {
    std::string bytes = randomBytes(random, 64);
    size_t count = round % 2 ? 64 : random() % 65;
    std::uint64_t mask = wordCharMask(bytes.data(), count);
    for (size_t i = 0; i < 64; ++i) {
      bool expected = i < count && isWordChar(bytes[i]);
      ASSERT_EQ((mask >> i) & 1, expected ? 1u : 0u) << "round " << round << " byte " << i;
    }
  }
}

// The figures counted byte by byte, as the text-information box defines
// them, and the folding done byte by byte.
TextStatistics plainStatistics(const std::string& text) {
  auto separator = [](unsigned char c) { return c == ' ' || c == '\n' || c == 0x96; };
  TextStatistics stats;
  stats.words = text.empty() ? 0 : 1;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (separator(text[i]) && !separator(text[i + 1])) ++stats.words;
  }
  for (char c : text) {
    if (c != '\n') ++stats.lettersWithSpaces;
    if (c != '\n' && c != ' ') ++stats.lettersWithoutSpaces;
  }
  return stats;
}

std::string plainLowercase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

TEST(LowercaseAndCount, GivesTheFiguresOfTheTextAsGivenAndFoldsIt) {
  std::mt19937 random(4);
  for (size_t size : {size_t{0}, size_t{1}, size_t{2}, size_t{63}, size_t{64}, size_t{65},
                      size_t{65536}, size_t{65537}, size_t{200000}}) {
    std::string text = randomBytes(random, size);
    TextStatistics expected = plainStatistics(text);
    std::string folded = text;
    TextStatistics counted = lowercaseAndCount(folded);
    EXPECT_EQ(folded, plainLowercase(text)) << size;
    for (const TextStatistics& figures : {textStatistics(text), counted}) {
      EXPECT_EQ(figures.words, expected.words) << size;
      EXPECT_EQ(figures.lettersWithSpaces, expected.lettersWithSpaces) << size;
      EXPECT_EQ(figures.lettersWithoutSpaces, expected.lettersWithoutSpaces) << size;
    }
    EXPECT_EQ(lowercaseText(text), plainLowercase(text)) << size;
  }
  // A word that starts right after a block boundary is counted once.
  std::string boundary(65536, 'a');
  boundary[65535] = ' ';
  boundary += "b";
  EXPECT_EQ(lowercaseAndCount(boundary).words, 2);
}

}  // namespace

}  // namespace verbolt
