#include "manuscript/text_format.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

constexpr TextEncoding kEncodings[] = {TextEncoding::kUtf8, TextEncoding::kUtf8WithBom,
                                       TextEncoding::kUtf16LeWithBom, TextEncoding::kUtf16BeWithBom,
                                       TextEncoding::kCp1252};
constexpr LineEnds kLineEnds[] = {LineEnds::kLf, LineEnds::kCrLf, LineEnds::kCr};

// Accents, typographic quotes and the euro sign, which Windows-1252 holds;
// the Unicode encodings also get an emoji and a Chinese character.
std::string sampleFor(TextEncoding encoding) {
  std::string text = "Premi\u00E8re ligne \u2019\u20AC\u2019\n\n\tsecond \u00C9T\u00C9\nend";
  if (encoding != TextEncoding::kCp1252) text += " \U0001F600 \u4E2D";
  return text;
}

TEST(TextFormat, EveryEncodingAndLineEndRoundTripsToTheSameBytes) {
  for (TextEncoding encoding : kEncodings) {
    for (LineEnds ends : kLineEnds) {
      const TextFormat format{encoding, ends};
      const std::string text = sampleFor(encoding);
      const EncodeOutcome encoded = encodeText(text, format);
      ASSERT_FALSE(encoded.firstUnencodable);
      const DecodedText decoded = decodeText(encoded.bytes);
      EXPECT_EQ(decoded.utf8, text);
      EXPECT_EQ(decoded.format, format) << static_cast<int>(encoding) << static_cast<int>(ends);
      EXPECT_EQ(encodeText(decoded.utf8, decoded.format).bytes, encoded.bytes);
    }
  }
}

TEST(TextFormat, EncodesWithTheRightMarksAndByteOrder) {
  EXPECT_EQ(encodeText("a\n\u00E9", {TextEncoding::kUtf16BeWithBom, LineEnds::kCrLf}).bytes,
            std::string("\xFE\xFF\0a\0\r\0\n\0\xE9", 10));
  EXPECT_EQ(encodeText("\U0001F600", {TextEncoding::kUtf16LeWithBom, LineEnds::kLf}).bytes,
            std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6));
  EXPECT_EQ(encodeText("\u20AC\n", {TextEncoding::kCp1252, LineEnds::kCr}).bytes, "\x80\r");
  EXPECT_EQ(encodeText("x", {TextEncoding::kUtf8WithBom, LineEnds::kLf}).bytes, "\xEF\xBB\xBFx");
}

TEST(TextFormat, PlainAsciiIsUtf8AndInvalidUtf8IsWindows1252) {
  EXPECT_EQ(decodeText("plain").format.encoding, TextEncoding::kUtf8);
  const DecodedText cp1252 = decodeText("caf\xE9 \x93ok\x94");
  EXPECT_EQ(cp1252.format.encoding, TextEncoding::kCp1252);
  EXPECT_EQ(cp1252.utf8, "caf\u00E9 \u201Cok\u201D");
}

TEST(TextFormat, MixedLineEndsAllBecomeLineFeedsAndTheMostFrequentIsKept) {
  const DecodedText decoded = decodeText("a\r\nb\r\nc\nd\re");
  EXPECT_EQ(decoded.utf8, "a\nb\nc\nd\ne");
  EXPECT_EQ(decoded.format.lineEnds, LineEnds::kCrLf);
}

TEST(TextFormat, BrokenSequencesUnderAByteOrderMarkBecomeReplacementCharacters) {
  EXPECT_EQ(decodeText("\xEF\xBB\xBF"
                       "a\xFF"
                       "b")
                .utf8,
            "a\uFFFDb");
  // A lone low surrogate, then an odd last byte.
  EXPECT_EQ(decodeText(std::string("\xFF\xFE\x00\xDC"
                                   "a\x00"
                                   "b",
                                   7))
                .utf8,
            "\uFFFDa\uFFFD");
}

TEST(TextFormat, FirstUnencodableCharacterIsCountedInCharacters) {
  const EncodeOutcome emoji = encodeText("\u00E9t\u00E9 \U0001F600!", {TextEncoding::kCp1252});
  EXPECT_EQ(emoji.firstUnencodable, 4u);
  EXPECT_TRUE(emoji.bytes.empty());
  EXPECT_EQ(encodeText("a\n\u0142", {TextEncoding::kCp1252, LineEnds::kCrLf}).firstUnencodable, 2u);
  EXPECT_FALSE(encodeText("\U0001F600", {TextEncoding::kUtf8}).firstUnencodable);
}

TEST(TextFormat, BinaryMeansANulOrMoreThanATenthOfControls) {
  EXPECT_TRUE(looksBinary(std::string("text\0more", 9)));
  EXPECT_TRUE(looksBinary("\x01\x02\x03 abc \x1B"));
  EXPECT_FALSE(looksBinary("a page\f\tof prose\n with one \x1B escape in it"));
  EXPECT_FALSE(looksBinary(""));
}

RoundTripLoss lossOf(std::string_view bytes) { return roundTripLoss(bytes, decodeText(bytes)); }

constexpr RoundTripLoss kNoLoss{};
constexpr RoundTripLoss kUndecodable{true, false};
constexpr RoundTripLoss kMixedLineEnds{false, true};

TEST(RoundTripLoss, BytesThatDoNotDecodeUnderTheirMarkAreNamed) {
  // A stray Latin-1 byte after a UTF-8 mark.
  EXPECT_EQ(lossOf("\xEF\xBB\xBF"
                   "caf\xE9\n"),
            kUndecodable);
  // A high surrogate alone, in UTF-16 LE.
  EXPECT_EQ(lossOf(std::string("\xFF\xFEH\0\x00\xD8i\0", 8)), kUndecodable);
  // Half a character at the end, in UTF-16 BE.
  EXPECT_EQ(lossOf(std::string("\xFE\xFF\0H\0i\0", 7)), kUndecodable);
}

TEST(RoundTripLoss, LineEndsOfSeveralKindsAreNamed) {
  EXPECT_EQ(lossOf("one\r\ntwo\r\nthree\n"), kMixedLineEnds);
  EXPECT_EQ(lossOf("one\r\r\ntwo\r\n"), kMixedLineEnds);
  EXPECT_EQ(lossOf("one\rtwo\n"), kMixedLineEnds);
  EXPECT_EQ(lossOf(std::string("\xFF\xFEH\0\r\0\n\0i\0\n\0", 12)), kMixedLineEnds);
  EXPECT_EQ(lossOf("\xEF\xBB\xBF"
                   "caf\xE9\r\n\n"),
            (RoundTripLoss{true, true}));
}

TEST(RoundTripLoss, AFileASaveGivesBackLosesNothing) {
  std::string everyHighByte;
  for (int byte = 0x80; byte <= 0xFF; ++byte) everyHighByte.push_back(static_cast<char>(byte));
  for (const std::string& bytes : {
           std::string(""),
           std::string("one\r\ntwo\r\n"),
           std::string("one\rtwo\r"),
           std::string("no line end"),
           std::string("\xEF\xBB\xBF"
                       "caf\xC3\xA9 \xEF\xBF\xBD\n"),
           std::string("\xFE\xFF\0H\xD8\x3D\xDE\x00\0\n", 10),
           "Caf\xE9 " + everyHighByte + "\r\n",
       }) {
    EXPECT_EQ(lossOf(bytes), kNoLoss) << bytes;
  }
}

}  // namespace

}  // namespace verbolt
