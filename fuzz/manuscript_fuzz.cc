// Opening a manuscript over any bytes: the first byte picks the path, the
// rest is the input. 'o' and 'd' open the bytes as an .odt or .docx file
// (zip archive, then XML), 'x' and 'w' give them straight to the XML
// reader of each dialect in uneven chunks, 'm' opens them as Markdown and
// takes its prose, anything else opens them as plain text. Whatever comes
// in, a text that comes out is valid UTF-8 without a NUL, a plain text
// saves back to bytes that read as the same text, and the prose of a
// Markdown text has every line as long, in characters, as the source.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "manuscript/document_text.h"
#include "manuscript/manuscript.h"
#include "manuscript/markdown_prose.h"
#include "text/utf8.h"

namespace verbolt {

namespace {

constexpr size_t kMaxText = 1 << 20;

void checkText(std::string_view utf8) {
  FUZZ_CHECK(isValidUtf8(utf8));
  FUZZ_CHECK(utf8.find('\0') == std::string_view::npos);
}

void openAs(ManuscriptKind kind, std::string_view bytes) {
  const ReadOutcome outcome = readManuscriptBytes(bytes, kind, "fuzz");
  FUZZ_CHECK(outcome.manuscript.has_value() == outcome.error.empty());
  if (!outcome.manuscript) return;
  const Manuscript& manuscript = *outcome.manuscript;
  checkText(manuscript.utf8);
  if (kind != ManuscriptKind::kPlainText) return;
  const EncodeOutcome saved = encodeText(manuscript.utf8, manuscript.format);
  if (saved.firstUnencodable) return;  // U+FFFD in Windows-1252
  const ReadOutcome again = readManuscriptBytes(saved.bytes, kind, "fuzz");
  FUZZ_CHECK(again.manuscript && again.manuscript->utf8 == manuscript.utf8);
}

// The characters of each line, one line end after the other.
std::string lineLengths(std::string_view utf8) {
  std::string lengths;
  size_t characters = 0;
  for (size_t i = 0; i < utf8.size();) {
    if (nextUtf8Char(utf8, i) == '\n') {
      lengths += std::to_string(characters) + ",";
      characters = 0;
    } else {
      ++characters;
    }
  }
  return lengths + std::to_string(characters);
}

void takeProse(std::string_view bytes) {
  const ReadOutcome outcome = readManuscriptBytes(bytes, ManuscriptKind::kMarkdown, "fuzz.md");
  if (!outcome.manuscript) return;
  const std::string prose = markdownProse(outcome.manuscript->utf8);
  checkText(prose);
  FUZZ_CHECK(lineLengths(prose) == lineLengths(outcome.manuscript->utf8));
}

void parseXml(DocumentDialect dialect, std::string_view xml) {
  DocumentTextParser parser(dialect, kMaxText);
  bool ok = true;
  for (size_t chunk = 1; ok && !xml.empty(); chunk = chunk * 3 + 1) {
    const size_t size = std::min(chunk, xml.size());
    ok = parser.feed(xml.substr(0, size));
    xml.remove_prefix(size);
  }
  if (ok && parser.finish()) {
    const std::string text = parser.takeText();
    FUZZ_CHECK(text.size() <= kMaxText);
    checkText(text);
  }
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  switch (data[0]) {
    case 'o':
      openAs(ManuscriptKind::kOdt, bytes);
      break;
    case 'd':
      openAs(ManuscriptKind::kDocx, bytes);
      break;
    case 'x':
      parseXml(DocumentDialect::kOpenDocument, bytes);
      break;
    case 'w':
      parseXml(DocumentDialect::kWord, bytes);
      break;
    case 'm':
      takeProse(bytes);
      break;
    default:
      openAs(ManuscriptKind::kPlainText, bytes);
  }
  return 0;
}
