#include "text/cp1252.h"

#include <array>
#include <unordered_map>

#include "text/utf8.h"

namespace verbolt {

namespace {

// Code points of the bytes 0x80-0x9F; the rest of the code page equals
// Latin-1. The five undefined bytes keep their own value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

const std::unordered_map<char32_t, unsigned char>& highEncodings() {
  static const auto* table = [] {
    auto* map = new std::unordered_map<char32_t, unsigned char>;
    for (unsigned i = 0; i < kHighControls.size(); ++i) (*map)[kHighControls[i]] = 0x80 + i;
    return map;
  }();
  return *table;
}

}  // namespace

char32_t decodeCp1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

unsigned char encodeCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  auto found = highEncodings().find(c);
  return found == highEncodings().end() ? kUnmappableByte : found->second;
}

std::string cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char byte : text) appendUtf8(out, decodeCp1252(static_cast<unsigned char>(byte)));
  return out;
}

bool utf8ToCp1252(std::string_view utf8, std::string& out, size_t& errorOffset) {
  out.clear();
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    // ASCII, the bulk of most texts, is the same bytes in both.
    const size_t asciiStart = i;
    while (i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80) ++i;
    out.append(utf8.data() + asciiStart, i - asciiStart);
    if (i == utf8.size()) break;
    int length = 0;
    const long c = validUtf8CharAt(utf8, i, length);
    if (c < 0) {
      errorOffset = i;
      return false;
    }
    out.push_back(static_cast<char>(encodeCp1252(static_cast<char32_t>(c))));
    i += length;
  }
  return true;
}

}  // namespace verbolt
