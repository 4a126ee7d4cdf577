#include "export/coloured_segments.h"

#include <string>

#include "text/utf8.h"

namespace verbolt {

namespace {

// Walks the text forward one character at a time, keeping the byte offset
// of the character index it has reached.
class CharacterCursor {
 public:
  explicit CharacterCursor(std::string_view utf8) : m_text(utf8) {}

  size_t byteOffset() const { return m_byte; }

  // Moves to character `index` (never backwards), or to the end of the text.
  void advanceTo(long index) {
    while (m_index < index && m_byte < m_text.size()) {
      if (static_cast<unsigned char>(m_text[m_byte]) < 0x80) {
        ++m_byte;
      } else {
        nextUtf8Char(m_text, m_byte);
      }
      ++m_index;
    }
  }

  long index() const { return m_index; }

 private:
  std::string_view m_text;
  size_t m_byte = 0;
  long m_index = 0;
};

void push(std::vector<ColouredSegment>& segments, size_t begin, size_t end,
          std::optional<Rgb> colour) {
  if (begin < end) segments.push_back({begin, end, colour});
}

}  // namespace

std::vector<ColouredSegment> colouredSegments(std::string_view utf8,
                                              std::span<const ColourRun> runs) {
  std::vector<ColouredSegment> segments;
  CharacterCursor cursor(utf8);
  for (const ColourRun& run : runs) {
    if (run.colour == kWhite || run.end <= cursor.index()) continue;
    const size_t whiteBegin = cursor.byteOffset();
    cursor.advanceTo(run.start);
    push(segments, whiteBegin, cursor.byteOffset(), std::nullopt);
    const size_t colouredBegin = cursor.byteOffset();
    cursor.advanceTo(run.end);
    push(segments, colouredBegin, cursor.byteOffset(), run.colour);
  }
  push(segments, cursor.byteOffset(), utf8.size(), std::nullopt);
  return segments;
}

std::string hexColour(Rgb colour) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char component : {colour.red, colour.green, colour.blue}) {
    hex += kDigits[component >> 4];
    hex += kDigits[component & 0xF];
  }
  return hex;
}

}  // namespace verbolt
