#include "manuscript/text_format.h"

#include <array>

#include "text/cp1252.h"
#include "text/utf8.h"

namespace verbolt {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

TextEncoding detectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) return TextEncoding::kUtf8WithBom;
  if (bytes.starts_with(kUtf16LeBom)) return TextEncoding::kUtf16LeWithBom;
  if (bytes.starts_with(kUtf16BeBom)) return TextEncoding::kUtf16BeWithBom;
  return isValidUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kCp1252;
}

std::string_view bomOf(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8WithBom:
      return kUtf8Bom;
    case TextEncoding::kUtf16LeWithBom:
      return kUtf16LeBom;
    case TextEncoding::kUtf16BeWithBom:
      return kUtf16BeBom;
    default:
      return {};
  }
}

char16_t unitAt(std::string_view bytes, size_t i, bool bigEndian) {
  const auto first = static_cast<unsigned char>(bytes[i]);
  const auto second = static_cast<unsigned char>(bytes[i + 1]);
  return bigEndian ? static_cast<char16_t>(first << 8 | second)
                   : static_cast<char16_t>(second << 8 | first);
}

bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i + 1 < bytes.size()) {
    const char32_t unit = unitAt(bytes, i, bigEndian);
    i += 2;
    if (isHighSurrogate(unit) && i + 1 < bytes.size() &&
        isLowSurrogate(unitAt(bytes, i, bigEndian))) {
      const char32_t low = unitAt(bytes, i, bigEndian);
      i += 2;
      appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(out, kReplacementCharacter);
    } else {
      appendUtf8(out, unit);
    }
  }
  // An odd byte at the end is half a character.
  if (i < bytes.size()) appendUtf8(out, kReplacementCharacter);
  return out;
}

// Keeps valid sequences as they are and turns each stray byte into U+FFFD.
std::string repairedUtf8(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) appendUtf8(out, nextUtf8Char(bytes, i));
  return out;
}

std::string toUtf8(std::string_view bytes, TextEncoding encoding) {
  bytes.remove_prefix(bomOf(encoding).size());
  switch (encoding) {
    case TextEncoding::kUtf16LeWithBom:
      return utf16ToUtf8(bytes, false);
    case TextEncoding::kUtf16BeWithBom:
      return utf16ToUtf8(bytes, true);
    case TextEncoding::kCp1252:
      return cp1252ToUtf8(bytes);
    default:
      return repairedUtf8(bytes);
  }
}

LineEnds mostFrequentLineEnds(std::string_view utf8) {
  size_t lf = 0, crLf = 0, cr = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\n') {
      ++lf;
    } else if (utf8[i] == '\r') {
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') {
        ++crLf;
        ++i;
      } else {
        ++cr;
      }
    }
  }
  if (crLf > lf && crLf >= cr) return LineEnds::kCrLf;
  if (cr > lf && cr > crLf) return LineEnds::kCr;
  return LineEnds::kLf;
}

void unifyLineEnds(std::string& utf8) {
  if (utf8.find('\r') == std::string::npos) return;
  size_t out = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      utf8[out++] = '\n';
    } else {
      utf8[out++] = utf8[i];
    }
  }
  utf8.resize(out);
}

bool isBinaryControl(char32_t c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7F;
}

std::string_view lineEndBytes(LineEnds ends) {
  switch (ends) {
    case LineEnds::kCrLf:
      return "\r\n";
    case LineEnds::kCr:
      return "\r";
    default:
      return "\n";
  }
}

void appendUtf16(std::string& out, char32_t c, bool bigEndian) {
  auto appendUnit = [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
  };
  if (c < 0x10000) {
    appendUnit(c);
  } else {
    appendUnit(0xD800 + ((c - 0x10000) >> 10));
    appendUnit(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

// Appends `c` in `encoding`; false when the encoding cannot hold it.
bool appendEncoded(std::string& out, char32_t c, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf16LeWithBom:
    case TextEncoding::kUtf16BeWithBom:
      appendUtf16(out, c, encoding == TextEncoding::kUtf16BeWithBom);
      return true;
    case TextEncoding::kCp1252: {
      const unsigned char byte = encodeCp1252(c);
      if (byte == kUnmappableByte && c != kUnmappableByte) return false;
      out.push_back(static_cast<char>(byte));
      return true;
    }
    default:
      appendUtf8(out, c);
      return true;
  }
}

// `utf8` in `encoding`, character for character, line ends as they are;
// empty when a character does not fit.
std::string encodedAsIs(std::string_view utf8, TextEncoding encoding) {
  std::string out(bomOf(encoding));
  for (size_t i = 0; i < utf8.size();) {
    if (!appendEncoded(out, nextUtf8Char(utf8, i), encoding)) return {};
  }
  return out;
}

std::string withLineEnds(std::string_view utf8, LineEnds ends) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    if (c == '\n') {
      out += lineEndBytes(ends);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

DecodedText decodeText(std::string_view bytes) {
  DecodedText decoded;
  decoded.format.encoding = detectEncoding(bytes);
  decoded.utf8 = toUtf8(bytes, decoded.format.encoding);
  decoded.format.lineEnds = mostFrequentLineEnds(decoded.utf8);
  unifyLineEnds(decoded.utf8);
  return decoded;
}

bool looksBinary(std::string_view utf8) {
  size_t characters = 0, controls = 0;
  for (size_t i = 0; i < utf8.size(); ++characters) {
    // ASCII, the bulk of most texts, needs no decoding.
    const unsigned char byte = static_cast<unsigned char>(utf8[i]);
    const char32_t c = byte < 0x80 ? utf8[i++] : nextUtf8Char(utf8, i);
    if (c == 0) return true;
    if (isBinaryControl(c)) ++controls;
  }
  return controls * 10 > characters;
}

EncodeOutcome encodeText(std::string_view utf8, TextFormat format) {
  EncodeOutcome outcome;
  std::string& out = outcome.bytes;
  out.reserve(utf8.size() + utf8.size() / 16 + 4);
  out += bomOf(format.encoding);
  const std::string_view lineEnd = lineEndBytes(format.lineEnds);
  size_t index = 0;
  for (size_t i = 0; i < utf8.size(); ++index) {
    const size_t start = i;
    const char32_t c = nextUtf8Char(utf8, i);
    if (c == '\n') {
      for (char byte : lineEnd)
        appendEncoded(out, static_cast<unsigned char>(byte), format.encoding);
      continue;
    }
    // A stray byte in the text was never a character of any encoding.
    const bool stray = c == kReplacementCharacter && i - start == 1;
    if (stray || !appendEncoded(out, c, format.encoding)) {
      outcome.bytes.clear();
      outcome.firstUnencodable = index;
      return outcome;
    }
  }
  return outcome;
}

RoundTripLoss roundTripLoss(std::string_view bytes, const DecodedText& decoded) {
  const EncodeOutcome again = encodeText(decoded.utf8, decoded.format);
  if (!again.firstUnencodable && again.bytes == bytes) return {};
  // The characters as they came, before their line ends were made one.
  const std::string characters = toUtf8(bytes, decoded.format.encoding);
  std::string unified = characters;
  unifyLineEnds(unified);
  RoundTripLoss loss;
  loss.undecodableBytes = encodedAsIs(characters, decoded.format.encoding) != bytes;
  loss.mixedLineEnds = withLineEnds(unified, decoded.format.lineEnds) != characters;
  // Whatever else would change, the bytes are not the file's.
  if (!loss.any()) loss.undecodableBytes = true;
  return loss;
}

}  // namespace verbolt
