// Small files that grow: the input is a program that builds a document,
// not the document itself, so that a few bytes make what raw bytes never
// reach (elements nested thousands deep, one token of megabytes, a space
// repeated a billion times, a paragraph of bare web addresses). The first
// byte picks .docx, .odt or .md; then each byte is an instruction and the
// next its argument. Whatever is built, reading it ends within the fuzzer's
// time bound, and a text that comes out keeps to the bounds it was read
// with: the command line's, and the editor's, lines included.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "manuscript/manuscript.h"
#include "manuscript/markdown_prose.h"
#include "manuscript/zip_write.h"

namespace verbolt {

namespace {

enum class Kind { kDocx, kOdt, kMarkdown };

struct Builder {
  Kind kind;
  std::string body;
  int open = 0;

  std::string paragraph() const { return kind == Kind::kDocx ? "w:p" : "text:p"; }

  void text(std::string_view words) {
    if (kind == Kind::kDocx) {
      body += "<w:r><w:t xml:space=\"preserve\">" + std::string(words) + "</w:t></w:r>";
    } else {
      body += words;
    }
  }

  void step(uint8_t instruction, uint8_t argument) {
    const size_t size = size_t{1} << (argument % 24);  // up to 8 MB
    switch (instruction % 9) {
      case 0:  // nest an element that never closes, argument × 64 times
        for (int i = 0; i < argument * 64; ++i) body += "<x>";
        break;
      case 1:
        body += "<" + paragraph() + ">";
        ++open;
        break;
      case 2:
        if (open > 0) body += "</" + paragraph() + ">";
        open = std::max(0, open - 1);
        break;
      case 3:
        text("The garden and the garden again. ");
        break;
      case 4:  // one attribute of up to 8 MB
        body += "<y a=\"" + std::string(size, 'a') + "\"/>";
        break;
      case 5:  // one comment of up to 8 MB
        body += "<!--" + std::string(size, 'c') + "-->";
        break;
      case 6:  // spaces repeated up to four billion times
        body += "<text:s text:c=\"" + std::to_string(uint64_t{argument} << 24) + "\"/>";
        break;
      case 7:  // bare web addresses, the autolinks' worst case
        for (size_t i = 0; i < size / 16; ++i) body += "www.house.com&x ";
        break;
      default:
        body += kind == Kind::kDocx ? "<w:r><w:tab/><w:br/></w:r>" : "<text:line-break/>";
        break;
    }
  }

  std::string document() const {
    if (kind == Kind::kMarkdown) return body;
    std::string xml;
    if (kind == Kind::kDocx) {
      xml =
          "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
          "<w:body>" +
          body + "</w:body></w:document>";
    } else {
      xml =
          "<office:document-content "
          "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
          "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
          "<office:text>" +
          body + "</office:text></office:body></office:document-content>";
    }
    const ZipEntry parts[] = {{kind == Kind::kDocx ? "word/document.xml" : "content.xml", xml}};
    return zipArchiveOf(parts).value_or(std::string());
  }
};

size_t longestLine(std::string_view text) {
  size_t longest = 0;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    longest = std::max(longest, end - start);
    start = end + 1;
  }
  return longest;
}

void readWithin(std::string_view bytes, ManuscriptKind kind, const ReadLimits& limits) {
  const ReadOutcome outcome = readManuscriptBytes(bytes, kind, "hostile", limits);
  FUZZ_CHECK(outcome.manuscript.has_value() == outcome.error.empty());
  if (!outcome.manuscript) return;
  FUZZ_CHECK(outcome.manuscript->utf8.size() <= limits.maxText);
  FUZZ_CHECK(longestLine(outcome.manuscript->utf8) <= limits.maxLine);
  if (kind == ManuscriptKind::kMarkdown) markdownProse(outcome.manuscript->utf8);
}

}  // namespace

}  // namespace verbolt

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace verbolt;
  if (size == 0) return 0;
  const Kind kind = static_cast<Kind>(data[0] % 3);
  Builder builder{kind, {}, 0};
  for (size_t i = 1; i + 1 < size && builder.body.size() < (24u << 20); i += 2) {
    builder.step(data[i], data[i + 1]);
  }
  const std::string bytes = builder.document();
  const ManuscriptKind manuscriptKind = kind == Kind::kDocx  ? ManuscriptKind::kDocx
                                        : kind == Kind::kOdt ? ManuscriptKind::kOdt
                                                             : ManuscriptKind::kMarkdown;
  readWithin(bytes, manuscriptKind, kCheckedDocumentLimits);
  readWithin(bytes, manuscriptKind, kEditorLimits);
  return 0;
}
