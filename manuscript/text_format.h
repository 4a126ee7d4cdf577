// How a plain-text manuscript (.txt, .md) is stored: its encoding and its
// line ends, found when it is read and used again when it is saved, so that
// saving an unchanged text gives back the same bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace verbolt {

enum class TextEncoding { kUtf8, kUtf8WithBom, kUtf16LeWithBom, kUtf16BeWithBom, kCp1252 };
enum class LineEnds { kLf, kCrLf, kCr };

struct TextFormat {
  TextEncoding encoding = TextEncoding::kUtf8;
  LineEnds lineEnds = LineEnds::kLf;
  friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct DecodedText {
  std::string utf8;  // every line end is one "\n"
  TextFormat format;
};

// A byte-order mark decides (UTF-8, UTF-16 LE or BE); otherwise valid UTF-8
// is UTF-8 and anything else Windows-1252, where every byte is a character.
// The line ends are those found most often; every CRLF, CR and LF becomes
// "\n". Bytes that do not decode under a byte-order mark become U+FFFD.
DecodedText decodeText(std::string_view bytes);

// True when decoded text is not prose: a NUL character, or more than one
// character in ten a control character other than tab, line feed and form
// feed.
bool looksBinary(std::string_view utf8);

struct EncodeOutcome {
  std::string bytes;
  // Index, in characters, of the first character the encoding cannot hold
  // (an emoji in Windows-1252); `bytes` is then empty.
  std::optional<size_t> firstUnencodable;
};

// The inverse of decodeText: "\n" becomes the format's line end, and the
// text its encoding, with its byte-order mark.
EncodeOutcome encodeText(std::string_view utf8, TextFormat format);

// What a save of the unchanged text would not give back of the file it was
// read from: decodeText keeps one encoding and one kind of line end, so
// bytes that do not decode come back as U+FFFD, and line ends of several
// kinds (or a CR before a CRLF) all as the format's.
struct RoundTripLoss {
  bool undecodableBytes = false;
  bool mixedLineEnds = false;
  bool any() const { return undecodableBytes || mixedLineEnds; }
  friend bool operator==(const RoundTripLoss&, const RoundTripLoss&) = default;
};

// `decoded` is decodeText(bytes).
RoundTripLoss roundTripLoss(std::string_view bytes, const DecodedText& decoded);

}  // namespace verbolt
