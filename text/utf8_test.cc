#include "text/utf8.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(Utf8, EncodesEveryLengthAndDecodesItBack) {
  std::string text;
  for (char32_t c : {U'a', U'\u00E9', U'\u20AC', U'\U0001F600'}) appendUtf8(text, c);
  EXPECT_EQ(text, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  size_t i = 0;
  EXPECT_EQ(nextUtf8Char(text, i), U'a');
  EXPECT_EQ(nextUtf8Char(text, i), U'\u00E9');
  EXPECT_EQ(nextUtf8Char(text, i), U'\u20AC');
  EXPECT_EQ(nextUtf8Char(text, i), U'\U0001F600');
  EXPECT_EQ(i, text.size());
  EXPECT_EQ(utf8CharCount(text), 4u);
  EXPECT_TRUE(isValidUtf8(text));
}

TEST(Utf8, EachInvalidByteIsOneReplacementCharacter) {
  // A lone continuation byte, an overlong slash, a surrogate, a cut sequence.
  for (std::string_view bad : {"\x80", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82"}) {
    EXPECT_FALSE(isValidUtf8(bad));
    size_t i = 0;
    EXPECT_EQ(nextUtf8Char(bad, i), kReplacementCharacter);
    EXPECT_EQ(i, 1u);
    EXPECT_EQ(utf8CharCount(bad), bad.size());
  }
}

}  // namespace

}  // namespace verbolt
