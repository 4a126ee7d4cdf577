// A document an editor has open, as the language server keeps it: its
// text in UTF-8, changed by the editor's edits, whose positions count
// lines and UTF-16 code units; and the text the engine analyses, one
// Windows-1252 byte per character.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verbolt {

struct LspPosition {
  int line = 0;
  int character = 0;  // UTF-16 code units from the start of the line
  friend bool operator==(const LspPosition&, const LspPosition&) = default;
  friend auto operator<=>(const LspPosition&, const LspPosition&) = default;
};

struct LspRange {
  LspPosition start;
  LspPosition end;
  friend bool operator==(const LspRange&, const LspRange&) = default;
};

// The byte of `utf8` where `position` stands. A line past the last one is
// the end of the text; a character past its line's end is that end, and
// one inside a character's pair of UTF-16 units is that character's start.
// "\n", "\r\n" and a lone "\r" end a line.
size_t byteOffsetOf(std::string_view utf8, LspPosition position);

// The path of a "file:" URI, its "%XX" decoded; none for another scheme.
std::optional<std::string> lspUriPath(std::string_view uri);

// The length of `utf8` in UTF-16 code units.
int utf16Length(std::string_view utf8);

// The lines of `utf8`, without their line ends.
std::vector<std::string_view> lspLines(std::string_view utf8);

struct LspDocument {
  std::string uri;
  bool markdown = false;
  int version = 0;
  std::string text;  // UTF-8, as the editor has it

  // One edit: `range` replaced by `newText`, or, without a range, the
  // whole text.
  void change(const std::optional<LspRange>& range, std::string_view newText);
};

// What the engine reads: the prose of Markdown or the plain text, one
// Windows-1252 byte per character ("\r\n" one position), and for Markdown
// the file itself the same way, where its comments are read (empty when it
// has none).
struct EngineText {
  std::string prose;
  std::string markdown;
};
EngineText engineText(const LspDocument& document);

// The editor's positions of engine positions, for many at once: one pass
// over the text for all of them.
class LspPositions {
 public:
  // `positions` need no order; a position past the end is the end.
  LspPositions(std::string_view utf8, std::vector<int> positions);
  LspPosition at(int position) const;

 private:
  std::vector<int> m_positions;  // sorted, each once
  std::vector<LspPosition> m_at;
};

}  // namespace verbolt
