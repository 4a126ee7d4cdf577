#include "text/utf8.h"

namespace verbolt {

namespace {

// Length of the sequence led by `lead`, or 0 for a byte that cannot lead.
int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

long validUtf8CharAt(std::string_view text, size_t i, int& length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  length = sequenceLength(lead);
  if (length == 0 || i + length > text.size()) return -1;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return -1;
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond Unicode.
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return -1;
  return static_cast<long>(c);
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

char32_t nextUtf8Char(std::string_view text, size_t& i) {
  int length = 0;
  const long c = validUtf8CharAt(text, i, length);
  if (c < 0) {
    ++i;
    return kReplacementCharacter;
  }
  i += length;
  return static_cast<char32_t>(c);
}

size_t utf8CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) {
    // ASCII, the bulk of most texts, needs no decoding.
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
    } else {
      nextUtf8Char(text, i);
    }
  }
  return count;
}

bool isValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    int length = 0;
    if (validUtf8CharAt(text, i, length) < 0) return false;
    i += length;
  }
  return true;
}

}  // namespace verbolt
