// Saving into a document after any sequence of edits. The first byte picks
// the document (the Word chapter or the OpenDocument chapter of the tests),
// the rest is read four bytes an edit: where (two bytes), how much is
// deleted, and what is typed. Whatever the edits, a save either refuses
// with a sentence and gives nothing, or gives a body that reads back as
// the edited text, with every paragraph the edits left alone byte for
// byte as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "manuscript/body_save.h"
#include "manuscript/docx_body.h"
#include "manuscript/line_diff.h"
#include "manuscript/odt_body.h"
#include "manuscript/odt_test_package.h"

namespace verbolt {

namespace {

const char* const kTyped[] = {"",  "x",  "new words",     "\n",  "a\nb", "\t",
                              " ", "  ", "\u00E9t\u00E9", "&<>", "\n\n"};

DocumentBody parse(DocumentDialect dialect, std::string_view xml) {
  return dialect == DocumentDialect::kWord ? parseDocxBody(xml) : parseOdtBody(xml);
}

// Cuts `at` back to the start of a character.
size_t characterStart(std::string_view text, size_t at) {
  while (at > 0 && at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
    --at;
  }
  return at;
}

std::string edited(std::string text, const uint8_t* data, size_t size) {
  for (size_t i = 0; i + 4 <= size; i += 4) {
    const size_t at = characterStart(text, (data[i] << 8 | data[i + 1]) % (text.size() + 1));
    const size_t end = characterStart(text, std::min(text.size(), at + data[i + 2] % 16));
    text.replace(at, end - at, kTyped[data[i + 3] % std::size(kTyped)]);
  }
  return text;
}

// The paragraphs whose text is unchanged, by a diff of the paragraphs'
// texts, must keep their XML; but for those beside a change, which take
// in what a deleted paragraph held besides text (a bookmark, a note).
void checkUntouched(DocumentDialect dialect, std::string_view oldXml, std::string_view newXml) {
  const DocumentBody before = parse(dialect, oldXml), after = parse(dialect, newXml);
  FUZZ_CHECK(after.error.empty());
  std::vector<std::string_view> oldTexts, newTexts;
  for (const BodyParagraph& p : before.paragraphs) oldTexts.push_back(p.text);
  for (const BodyParagraph& p : after.paragraphs) newTexts.push_back(p.text);
  const std::vector<LineHunk> hunks = diffLines(oldTexts, newTexts);
  std::vector<bool> beside(oldTexts.size() + 1, false);
  for (const LineHunk& hunk : hunks) {
    if (hunk.oldBegin > 0) beside[hunk.oldBegin - 1] = true;
    beside[hunk.oldEnd] = true;
  }
  size_t oldAt = 0, newAt = 0;
  auto compareUpTo = [&](size_t oldEnd) {
    for (; oldAt < oldEnd; ++oldAt, ++newAt) {
      if (beside[oldAt]) continue;
      FUZZ_CHECK(before.paragraphs[oldAt].xml.of(oldXml) == after.paragraphs[newAt].xml.of(newXml));
    }
  };
  for (const LineHunk& hunk : hunks) {
    compareUpTo(hunk.oldBegin);
    oldAt = hunk.oldEnd;
    newAt = hunk.newEnd;
  }
  compareUpTo(oldTexts.size());
}

}  // namespace

}  // namespace verbolt

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace verbolt;
  if (size == 0) return 0;
  const bool word = data[0] % 2 == 0;
  static const std::string wordXml = chapterDocumentXml();
  static const std::string openDocumentXml = odtChapterContent(kOdtChapterBody);
  const DocumentDialect dialect = word ? DocumentDialect::kWord : DocumentDialect::kOpenDocument;
  const std::string& xml = word ? wordXml : openDocumentXml;
  const std::string text = bodyText(parse(dialect, xml));
  const std::string after = edited(text, data + 1, size - 1);
  const BodyXmlSave saved = saveIntoBodyXml(dialect, xml, after);
  if (!saved.xml) {
    FUZZ_CHECK(!saved.error.empty() && saved.error.back() == '.');
    return 0;
  }
  FUZZ_CHECK(bodyText(parse(dialect, *saved.xml)) == after);
  checkUntouched(dialect, xml, *saved.xml);
  return 0;
}
