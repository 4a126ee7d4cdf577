#include "text/xml_text.h"

#include "text/utf8.h"

namespace verbolt {

namespace {

bool forbiddenInXml(char32_t c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF;
}

}  // namespace

void appendXmlText(std::string& out, std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80) {
      const size_t start = i;
      const char32_t c = nextUtf8Char(text, i);
      if (c == kReplacementCharacter || forbiddenInXml(c)) {
        appendUtf8(out, kReplacementCharacter);
      } else {
        out.append(text.substr(start, i - start));
      }
      continue;
    }
    ++i;
    switch (byte) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        if (forbiddenInXml(byte)) {
          appendUtf8(out, kReplacementCharacter);
        } else {
          out += static_cast<char>(byte);
        }
    }
  }
}

}  // namespace verbolt
