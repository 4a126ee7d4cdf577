// LibreOffice as the reader of what saving into a document writes: it
// opens each saved .docx and its text export must be the editor's text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "manuscript/document_save.h"
#include "manuscript/docx_test_package.h"
#include "manuscript/odt_test_package.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

using test_support::replaced;

namespace fs = std::filesystem;

std::string without(std::string text, const std::string& what) {
  const size_t at = text.find(what);
  EXPECT_NE(at, std::string::npos) << what;
  if (at != std::string::npos) text.erase(at, what.size());
  return text;
}

// The chapter without what LibreOffice shows in its text and the editor
// does not: the number of a footnote, the text of a tracked deletion and a
// page number it computes anew.
std::string consumerBody() {
  std::string body = without(
      kChapterBody,
      R"(<w:r><w:rPr><w:rStyle w:val="FootnoteReference"/></w:rPr><w:footnoteReference w:id="1"/></w:r>)");
  const size_t deletion = body.find("<w:del ");
  body.erase(deletion, body.find("</w:del>") + 8 - deletion);
  const size_t field = body.find(R"(<w:p><w:r><w:t xml:space="preserve">Page </w:t>)");
  body.erase(field, body.find("</w:p>", field) + 6 - field);
  return body;
}

std::string withoutLastNewline(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// The OpenDocument chapter without what LibreOffice's text export shows
// and the editor does not: a footnote's number, a tracked deletion, a
// page number, a list's bullets.
std::string openDocumentConsumerBody() {
  std::string body = kOdtChapterBody;
  auto cut = [&body](const std::string& from, const std::string& to) {
    const size_t begin = body.find(from);
    ASSERT_NE(begin, std::string::npos) << from;
    body.erase(begin, body.find(to, begin) + to.size() - begin);
  };
  cut("<text:changed-region xml:id=\"ct2\"", "</text:changed-region>");
  cut("<text:change text:change-id=\"ct2\"/>", "/>");
  cut("<text:note ", "</text:note>");
  cut("<text:list ", "</text:list>");
  cut("<text:p text:style-name=\"P1\">Page ", "</text:p>");
  return body;
}

class LibreOfficeReadsSavedDocuments : public test_support::FolderTest {
 protected:
  void SetUp() override {
    test_support::FolderTest::SetUp();
    m_program = test_support::programOnPath("soffice");
    if (m_program.empty()) {
      std::printf("soffice is not installed: LibreOffice cannot check the saved documents\n");
      GTEST_SKIP();
    }
  }

  // Saves each edit into `package`, has LibreOffice export them all as
  // text, and compares.
  void check(ManuscriptKind kind, const std::string& package, const std::vector<std::string>& edits,
             const std::string& extension) {
    const fs::path out = m_dir / "out";
    std::string command = m_program + " -env:UserInstallation=file://" +
                          (m_dir / "profile").string() +
                          " --headless --convert-to txt:Text --outdir " + out.string();
    for (size_t i = 0; i < edits.size(); ++i) {
      const DocumentSave save = saveIntoDocument(kind, package, edits[i]);
      ASSERT_TRUE(save.bytes) << save.error;
      const fs::path file = m_dir / ("edit" + std::to_string(i) + extension);
      test_support::writeFile(file, *save.bytes);
      command += " " + file.string();
    }
    ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
    for (size_t i = 0; i < edits.size(); ++i) {
      std::string exported = test_support::readFile(out / ("edit" + std::to_string(i) + ".txt"));
      // The export starts with a byte-order mark: it is UTF-8, not text.
      if (exported.starts_with("\xEF\xBB\xBF")) exported.erase(0, 3);
      EXPECT_EQ(withoutLastNewline(exported), withoutLastNewline(edits[i])) << "edit " << i;
    }
  }

  std::string m_program;
};

TEST_F(LibreOfficeReadsSavedDocuments, AsTheTextTheEditorSavedIntoAnOpenDocument) {
  const std::string package = openDocumentPackage(odtChapterContent(openDocumentConsumerBody()));
  const std::string text =
      readManuscriptBytes(package, ManuscriptKind::kOdt, "c.odt").manuscript->utf8;
  check(ManuscriptKind::kOdt, package,
        {
            replaced(text, "river", "stream"),
            replaced(text, "wandering", "wanXdering"),
            replaced(text, "wandering river ", ""),
            replaced(text, "Chapter One", "Chapter\nOne"),
            replaced(text, "Chapter One\nThe", "Chapter One: The"),
            replaced(text, "to the sea.\n", "to the sea.\nA lamp & <a> candle\n"),
            replaced(text, "It was  late,", "  It  was   late, "),
            replaced(text, "She walked home and slept.", "\tShe slept. "),
            replaced(text, "second line", "2nd line"),
            replaced(text, "\u591C", "\u671D"),
            replaced(text, "morning", "noon"),
            replaced(text, "the rest.", "the others."),
            "A first line\n" + text + "\nA last line",
        },
        ".odt");
}

TEST_F(LibreOfficeReadsSavedDocuments, AsTheTextTheEditorSavedIntoAWordDocument) {
  std::string xml = docxDocumentXml(consumerBody());
  xml.insert(xml.find("<w:document") + 11,
             R"( xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml")");
  const std::string package = wordPackage(xml);
  const std::string text =
      readManuscriptBytes(package, ManuscriptKind::kDocx, "c.docx").manuscript->utf8;
  const std::vector<std::string> edits = {
      replaced(text, "river", "stream"),
      replaced(text, "wandering", "wanXdering"),
      replaced(text, "wandering river ", ""),
      replaced(text, "Chapter One", "Chapter\nOne"),
      replaced(text, "Chapter One\nThe", "Chapter One: The"),
      replaced(text, "a key under the stone\n", "a key under the stone\na lamp & <a> candle\n"),
      replaced(text, "She walked home and slept.", "\tShe slept. "),
      replaced(text, "second line", "2nd line"),
      replaced(text, "\u591C", "\u671D"),
      replaced(text, "morning", "noon"),
      "A first line\n" + text + "\nA last line",
  };
  check(ManuscriptKind::kDocx, package, edits, ".docx");
}

}  // namespace

}  // namespace verbolt
