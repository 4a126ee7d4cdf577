#include "manuscript/manuscript.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "manuscript/document_test_xml.h"
#include "manuscript/zip_test_support.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

class ManuscriptFiles : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    m_directory = m_dir.string();
  }

  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = m_directory + "/" + name;
    test_support::writeFile(path, bytes);
    return path;
  }

  std::string m_directory;
};

std::string errorOf(const ReadOutcome& outcome) {
  EXPECT_FALSE(outcome.manuscript);
  return outcome.error;
}

TEST(ManuscriptKind, ComesFromTheExtensionWhateverItsCase) {
  EXPECT_EQ(manuscriptKindOf("a/chapter.DOCX"), ManuscriptKind::kDocx);
  EXPECT_EQ(manuscriptKindOf("chapter.Odt"), ManuscriptKind::kOdt);
  EXPECT_EQ(manuscriptKindOf("notes.md"), ManuscriptKind::kMarkdown);
  EXPECT_EQ(manuscriptKindOf("notes.txt"), ManuscriptKind::kPlainText);
  EXPECT_EQ(manuscriptKindOf("README"), ManuscriptKind::kPlainText);
  EXPECT_EQ(manuscriptKindOf("odt"), ManuscriptKind::kPlainText);
}

TEST_F(ManuscriptFiles, LibreOfficeAndWordDocumentsOpen) {
  const ReadOutcome odt = readManuscript(write("c.odt", odtArchive(odtContentXml(kOdtBody))));
  ASSERT_TRUE(odt.manuscript) << odt.error;
  EXPECT_EQ(odt.manuscript->utf8, kOdtText);
  EXPECT_EQ(odt.manuscript->kind, ManuscriptKind::kOdt);

  const ReadOutcome docx =
      readManuscript(write("c.docx", docxArchive(docxDocumentXml(kDocumentBody))));
  ASSERT_TRUE(docx.manuscript) << docx.error;
  EXPECT_EQ(docx.manuscript->utf8, kDocxText);
  EXPECT_EQ(docx.manuscript->kind, ManuscriptKind::kDocx);
}

TEST_F(ManuscriptFiles, PlainTextAndMarkdownKeepTheirFormat) {
  const ReadOutcome txt = readManuscript(write("a.txt", "caf\xE9\r\nnoir\r\n"));
  ASSERT_TRUE(txt.manuscript);
  EXPECT_EQ(txt.manuscript->utf8, "caf\u00E9\nnoir\n");
  EXPECT_EQ(txt.manuscript->format, (TextFormat{TextEncoding::kCp1252, LineEnds::kCrLf}));

  const ReadOutcome md = readManuscript(write("a.md", "\xEF\xBB\xBF# Title \U0001F600\n"));
  ASSERT_TRUE(md.manuscript);
  EXPECT_EQ(md.manuscript->kind, ManuscriptKind::kMarkdown);
  EXPECT_EQ(md.manuscript->utf8, "# Title \U0001F600\n");
  EXPECT_EQ(md.manuscript->format.encoding, TextEncoding::kUtf8WithBom);
}

TEST_F(ManuscriptFiles, TheSamplesInTheRepositoryOpen) {
  for (const char* name : {"chapter.odt", "chapter.docx"}) {
    const ReadOutcome outcome = readManuscript(std::string(VERBOLT_SAMPLES) + "/" + name);
    ASSERT_TRUE(outcome.manuscript) << outcome.error;
    EXPECT_TRUE(outcome.manuscript->utf8.starts_with("Chapter Three\n")) << name;
    EXPECT_NE(outcome.manuscript->utf8.find("\u00E9t\u00E9"), std::string::npos) << name;
  }
}

TEST_F(ManuscriptFiles, UnreadableFilesFoldersAndMissingFilesSayWhy) {
  EXPECT_EQ(errorOf(readManuscript(m_directory + "/gone.txt")),
            "Cannot open \u201Cgone.txt\u201D: No such file or directory.");
  EXPECT_EQ(
      errorOf(readManuscript(m_directory)),
      "\u201C" + fs::path(m_directory).filename().string() + "\u201D is a folder, not a file.");
  EXPECT_EQ(errorOf(readManuscript(m_directory + "/")),
            "\u201C" + m_directory + "/\u201D is a folder, not a file.");
  if (geteuid() != 0) {
    const std::string path = write("locked.txt", "x");
    chmod(path.c_str(), 0);
    EXPECT_EQ(errorOf(readManuscript(path)),
              "Cannot open \u201Clocked.txt\u201D: Permission denied.");
  }
}

// The Open dialog, Recent files and "verbolt FILE" read through here: a
// pipe with nobody writing into it is refused at once.
TEST_F(ManuscriptFiles, APipeNamedLikeAManuscriptIsRefusedWithoutWaiting) {
  for (const char* name : {"x.txt", "x.md", "x.docx", "x.odt"}) {
    const std::string pipe = m_directory + "/" + name;
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(errorOf(readManuscript(pipe)),
              "\u201C" + std::string(name) + "\u201D is not a regular file.");
  }
}

TEST_F(ManuscriptFiles, AFileOverTwoGigabytesIsRefusedUnread) {
  const std::string path = write("huge.txt", "");
  ASSERT_EQ(truncate(path.c_str(), 2LL << 30), 0);  // sparse: no disk used
  EXPECT_EQ(errorOf(readManuscript(path)),
            "\u201Chuge.txt\u201D is larger than 2 GB, too large to open.");
}

TEST(ManuscriptBytes, BinaryTextIsRefusedButUtf16IsNot) {
  EXPECT_EQ(errorOf(readManuscriptBytes(std::string("PK\x03\x04\0\0", 6),
                                        ManuscriptKind::kPlainText, "x.txt")),
            "\u201Cx.txt\u201D is not a text file: it holds binary data.");
  const ReadOutcome utf16 =
      readManuscriptBytes(std::string("\xFF\xFEh\0i\0", 6), ManuscriptKind::kMarkdown, "x.md");
  ASSERT_TRUE(utf16.manuscript);
  EXPECT_EQ(utf16.manuscript->utf8, "hi");
}

TEST(ManuscriptBytes, APlainTextOrMarkdownSaysWhatASaveWouldChange) {
  const ReadOutcome mixed = readManuscriptBytes("one\r\ntwo\n", ManuscriptKind::kMarkdown, "x.md");
  ASSERT_TRUE(mixed.manuscript);
  EXPECT_EQ(mixed.manuscript->loss, (RoundTripLoss{false, true}));
  const ReadOutcome clean =
      readManuscriptBytes("one\r\ntwo\r\n", ManuscriptKind::kPlainText, "x.txt");
  ASSERT_TRUE(clean.manuscript);
  EXPECT_FALSE(clean.manuscript->loss.any());
}

TEST(ManuscriptBytes, DocumentsThatAreNotWhatTheirExtensionSays) {
  EXPECT_EQ(errorOf(readManuscriptBytes("%PDF-1.7", ManuscriptKind::kDocx, "c.docx")),
            "\u201Cc.docx\u201D is not a Word document: it is not a zip archive.");
  EXPECT_EQ(
      errorOf(readManuscriptBytes(docxArchive(docxDocumentXml("")), ManuscriptKind::kOdt, "c.odt")),
      "\u201Cc.odt\u201D holds no content.xml, so it is not an OpenDocument text.");
  EXPECT_EQ(
      errorOf(readManuscriptBytes(odtArchive(odtContentXml("")), ManuscriptKind::kDocx, "c.docx")),
      "\u201Cc.docx\u201D holds no word/document.xml, so it is not a Word document.");
  const std::string spreadsheet =
      zipArchive({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                  {"content.xml", odtContentXml("")}});
  EXPECT_EQ(errorOf(readManuscriptBytes(spreadsheet, ManuscriptKind::kOdt, "c.odt")),
            "\u201Cc.odt\u201D is an OpenDocument file but not a text document.");
}

TEST(ManuscriptBytes, CorruptArchivesAndDocumentPartsAreRefused) {
  std::string archive = docxArchive(docxDocumentXml(kDocumentBody));
  archive.resize(archive.size() / 2);
  EXPECT_EQ(errorOf(readManuscriptBytes(archive, ManuscriptKind::kDocx, "c.docx")),
            "\u201Cc.docx\u201D is a damaged zip archive (Not a zip archive).");
  EXPECT_EQ(errorOf(readManuscriptBytes(docxArchive("<document><body>"), ManuscriptKind::kDocx,
                                        "c.docx")),
            "\u201Cc.docx\u201D has a damaged word/document.xml (no element found at line 1).");
}

TEST(ManuscriptBytes, AZipBombIsStoppedWhetherItsSizeIsDeclaredOrNot) {
  // 300 MB of spaces deflate to some 300 KB.
  const std::string bomb = odtArchive(std::string(300u << 20, ' '));
  const std::string refusal =
      "\u201Cb.odt\u201D would unpack to more than 256 MB, too much to "
      "open safely.";
  EXPECT_EQ(errorOf(readManuscriptBytes(bomb, ManuscriptKind::kOdt, "b.odt")), refusal);

  // The same archive with its declared sizes rewritten small: libzip then
  // inflates on, and the count of what arrives stops it.
  std::string lying = bomb;
  const std::string name = "content.xml";
  for (size_t at = lying.find(name); at != std::string::npos; at = lying.find(name, at + 1)) {
    const bool central = lying.compare(at - 46, 4, "PK\x01\x02") == 0;
    const size_t sizeField = central ? at - 46 + 24 : at - 30 + 22;
    if (!central && lying.compare(at - 30, 4, "PK\x03\x04") != 0) continue;
    lying.replace(sizeField, 4, std::string("\x10\x00\x00\x00", 4));
  }
  const std::string lyingError = errorOf(readManuscriptBytes(lying, ManuscriptKind::kOdt, "b.odt"));
  EXPECT_EQ(lyingError, refusal);
}

// The editor's bounds: a 400-byte .odt that unpacks to one line of 256 MB
// is refused before the line is made; the command line's bounds take it.
TEST(ManuscriptBytes, TheEditorsBoundsOnTheTextAndItsLines) {
  const std::string spaces =
      odtArchive(odtContentXml(R"(<text:p>a<text:s text:c="268435000"/>b</text:p>)"));
  const std::string lineError =
      "\u201Cs.odt\u201D holds a line of more than 64 KB, more than the editor can show.";
  EXPECT_EQ(errorOf(readManuscriptBytes(spaces, ManuscriptKind::kOdt, "s.odt", kEditorLimits)),
            lineError);
  EXPECT_EQ(
      errorOf(readManuscriptBytes(spaces, ManuscriptKind::kOdt, "s.odt", kCheckedDocumentLimits)),
      "\u201Cs.odt\u201D holds a line of more than 32 MB, too much to check safely.");
  const ReadOutcome wide = readManuscriptBytes(spaces, ManuscriptKind::kOdt, "s.odt");
  ASSERT_TRUE(wide.manuscript) << wide.error;
  EXPECT_EQ(wide.manuscript->utf8.size(), 268435002u);

  // Lines count from every line end, a line break inside a paragraph too.
  const std::string half(40u << 10, 'x');
  const std::string broken =
      odtArchive(odtContentXml("<text:p>" + half + "<text:line-break/>" + half + "</text:p>"));
  EXPECT_TRUE(readManuscriptBytes(broken, ManuscriptKind::kOdt, "b.odt", kEditorLimits).manuscript);
  const std::string joined = odtArchive(odtContentXml("<text:p>" + half + half + "</text:p>"));
  EXPECT_NE(errorOf(readManuscriptBytes(joined, ManuscriptKind::kOdt, "j.odt", kEditorLimits)), "");

  const ReadLimits small{1000, 100, true};
  EXPECT_EQ(errorOf(readManuscriptBytes(std::string(101, 'x'), ManuscriptKind::kPlainText, "l.txt",
                                        small)),
            "\u201Cl.txt\u201D holds a line of more than 100 bytes, more than the editor can "
            "show.");
  std::string lines;
  for (int i = 0; i < 20; ++i) lines += std::string(99, 'x') + "\n";
  EXPECT_EQ(errorOf(readManuscriptBytes(lines, ManuscriptKind::kPlainText, "t.txt", small)),
            "\u201Ct.txt\u201D holds a text of more than 1000 bytes, more than the editor can "
            "show.");
  EXPECT_TRUE(readManuscriptBytes(lines.substr(0, 900), ManuscriptKind::kPlainText, "t.txt", small)
                  .manuscript);
}

}  // namespace

}  // namespace verbolt
