#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(Cp1252, EveryByteRoundTrips) {
  for (int byte = 0; byte < 256; ++byte) {
    char32_t c = decodeCp1252(static_cast<unsigned char>(byte));
    EXPECT_EQ(encodeCp1252(c), byte) << byte;
  }
}

TEST(Cp1252, DecodesTheTypographicBytes) {
  EXPECT_EQ(decodeCp1252(0x80), U'\u20AC');
  EXPECT_EQ(decodeCp1252(0x92), U'\u2019');
  EXPECT_EQ(decodeCp1252(0x93), U'\u201C');
  EXPECT_EQ(decodeCp1252(0x96), U'\u2013');
  EXPECT_EQ(decodeCp1252(0x9F), U'\u0178');
  EXPECT_EQ(decodeCp1252(0xE9), U'\u00E9');
  for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(decodeCp1252(undefined), static_cast<char32_t>(undefined));
  }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeOneSeparatorByte) {
  for (char32_t c : {U'\U0001F600', U'\u4E2D', U'\u0301', U'\u2028', U'\u0080', U'\u0100'}) {
    EXPECT_EQ(encodeCp1252(c), kUnmappableByte);
  }
}

TEST(Cp1252, ConvertsToUtf8) {
  EXPECT_EQ(cp1252ToUtf8("caf\xE9 \x80 \x81"), "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
  EXPECT_EQ(cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

}  // namespace

namespace {

std::string fromUtf8(std::string_view utf8) {
  std::string out;
  size_t error = 0;
  EXPECT_TRUE(utf8ToCp1252(utf8, out, error)) << "at " << error;
  return out;
}

size_t errorIn(std::string_view utf8) {
  std::string out;
  size_t error = 99;
  EXPECT_FALSE(utf8ToCp1252(utf8, out, error));
  return error;
}

TEST(Utf8ToCp1252, OneByteForEveryCharacter) {
  EXPECT_EQ(fromUtf8("caf\xC3\xA9 \xE2\x82\xAC\r\n"), "caf\xE9 \x80\r\n");
  EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80"
                     "a\xE4\xB8\xAD"
                     "e\xCC\x81"),
            std::string("\x1A"
                        "a\x1A"
                        "e\x1A"));
  EXPECT_EQ(fromUtf8(cp1252ToUtf8("\x81\x8D\x8F\x90\x9D\x92\xFF")), "\x81\x8D\x8F\x90\x9D\x92\xFF");
  EXPECT_EQ(fromUtf8(""), "");
}

TEST(Utf8ToCp1252, RefusesInvalidSequencesWithTheirOffset) {
  EXPECT_EQ(errorIn("ab\xE9z"), 2u);           // a Latin-1 byte, not UTF-8
  EXPECT_EQ(errorIn("ab\xC3"), 2u);            // cut short
  EXPECT_EQ(errorIn("\xC0\xAF"), 0u);          // overlong
  EXPECT_EQ(errorIn("x\xE0\x80\xAF"), 1u);     // overlong
  EXPECT_EQ(errorIn("\xED\xA0\x80"), 0u);      // surrogate
  EXPECT_EQ(errorIn("\xF4\x90\x80\x80"), 0u);  // beyond U+10FFFF
  EXPECT_EQ(errorIn("\xE2\x82"
                    "a"),
            0u);  // bad continuation
}

}  // namespace

}  // namespace verbolt
