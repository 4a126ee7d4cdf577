#include "analysis/cp1252.h"

#include <gtest/gtest.h>

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
