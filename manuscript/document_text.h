// The text of a word-processor document's body, parsed from its XML as the
// XML arrives: content.xml of an OpenDocument text (or a flat .fodt), or
// word/document.xml of a Word document.
//
// One paragraph a line: headings, list items and table cells come as their
// text. Footnotes, endnotes, comments, annotations, tracked deletions and
// field codes are left out. Tabs and line breaks inside a paragraph are
// kept as "\t" and "\n"; OpenDocument's runs of spaces (text:s) are
// expanded and its other white space collapsed as word processors show it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace verbolt {

enum class DocumentDialect { kOpenDocument, kWord };

// Elements nested deeper are refused: real documents nest a few dozen
// deep, and each level costs the parser memory.
constexpr int kMaxXmlDepth = 1000;
constexpr const char* kTooDeep = "it nests elements more than 1,000 deep";

class DocumentTextParser {
 public:
  // A text that grows past `maxTextSize` bytes, or a line past
  // `maxLineSize`, stops the parse.
  DocumentTextParser(DocumentDialect dialect, size_t maxTextSize,
                     size_t maxLineSize = static_cast<size_t>(-1));
  ~DocumentTextParser();
  DocumentTextParser(const DocumentTextParser&) = delete;
  DocumentTextParser& operator=(const DocumentTextParser&) = delete;

  // False once the XML is found malformed or the text too large.
  bool feed(std::string_view chunk);
  bool finish();

  bool tooLarge() const;
  bool lineTooLong() const;
  // Why the XML was refused, with its line.
  const std::string& error() const;
  // The text as UTF-8, paragraphs joined by "\n".
  std::string takeText();

  struct State;

 private:
  std::unique_ptr<State> m_state;
};

}  // namespace verbolt
