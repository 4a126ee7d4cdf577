// Saving the editor's text into an OpenDocument text: the body model of
// content.xml, then edits of every kind through saveIntoDocument.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "manuscript/document_save.h"
#include "manuscript/odt_body.h"
#include "manuscript/odt_test_package.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

using test_support::replaced;

std::string readOdt(const std::string& package) {
  const ReadOutcome outcome = readManuscriptBytes(package, ManuscriptKind::kOdt, "saved.odt");
  EXPECT_TRUE(outcome.manuscript) << outcome.error;
  return outcome.manuscript ? outcome.manuscript->utf8 : std::string();
}

size_t occurrences(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST(OdtBody, GivesTheReadersTextParagraphByParagraph) {
  const DocumentBody body = parseOdtBody(odtContentXml(kOdtBody));
  ASSERT_EQ(body.error, "");
  EXPECT_EQ(body.dialect, DocumentDialect::kOpenDocument);
  EXPECT_EQ(bodyText(body), kOdtText);
  const DocumentBody chapter = parseOdtBody(odtChapterContent(kOdtChapterBody));
  ASSERT_EQ(chapter.error, "");
  EXPECT_EQ(bodyText(chapter), kOdtChapterText);
  EXPECT_EQ(readOdt(openDocumentPackage(odtChapterContent(kOdtChapterBody))), kOdtChapterText);
}

TEST(OdtBody, KnowsRunsAnchorsAndWhatMayNotBeRewritten) {
  const std::string xml = odtChapterContent(kOdtChapterBody);
  const DocumentBody body = parseOdtBody(xml);
  ASSERT_EQ(body.paragraphs.size(), 13u);
  // "The wan" bare, "der" bold, "ing river ran" italic, " to the sea." bare.
  const BodyParagraph& river = body.paragraphs[1];
  ASSERT_EQ(river.runs.size(), 4u);
  EXPECT_EQ(river.runs[0].properties.of(xml), "");
  EXPECT_EQ(river.runs[1].properties.of(xml), R"(<text:span text:style-name="T2">)");
  EXPECT_EQ(river.runs[2].xml.of(xml),
            R"(<text:span text:style-name="T1">ing river ran</text:span>)");
  EXPECT_EQ(river.runs[3].xml.of(xml), " to the sea.");

  const BodyParagraph& item = body.paragraphs[3];
  EXPECT_TRUE(item.removal.of(xml).starts_with("<text:list-item>"));
  EXPECT_TRUE(body.paragraphs[4].inTableCell);
  EXPECT_NE(body.paragraphs[4].container, body.paragraphs[5].container);

  auto guards = [&](size_t p) {
    std::vector<EditGuard> found;
    for (const BodyPiece& piece : body.paragraphs[p].pieces) {
      if (piece.guard != EditGuard::kNone) found.push_back(piece.guard);
    }
    return found;
  };
  EXPECT_TRUE(guards(6).empty());  // bookmarks, a note and a comment are anchors
  EXPECT_EQ(guards(8), std::vector<EditGuard>(4, EditGuard::kTrackedChange));
  EXPECT_EQ(guards(10), std::vector<EditGuard>{EditGuard::kField});
  EXPECT_EQ(guards(11), std::vector<EditGuard>{EditGuard::kHyperlink});
}

TEST(OdtBody, RefusesWhatTheReaderRefuses) {
  EXPECT_NE(parseOdtBody("<office:document-content>").error, "");
  EXPECT_EQ(parseOdtBody("<!DOCTYPE x [<!ENTITY a 'b'>]><x/>").error,
            "it declares a document type");
  const DocumentBody huge = parseOdtBody(odtContentXml(R"(<text:p><text:s text:c="268435000"/>)"
                                                       R"(<text:s text:c="268435000"/></text:p>)"));
  EXPECT_EQ(huge.error, "its text is larger than 256 MB");
}

class SaveIntoOdt : public ::testing::Test {
 protected:
  // Saves `edited` and checks what every save must give: the text read
  // back, the other parts as they were, the untouched paragraphs byte for
  // byte. The new content.xml.
  std::string saved(const std::string& edited) {
    const DocumentSave save = saveIntoDocument(ManuscriptKind::kOdt, m_package, edited);
    EXPECT_TRUE(save.bytes) << save.error;
    if (!save.bytes) return {};
    EXPECT_EQ(readOdt(*save.bytes), edited);
    const ZipParts before = zipEntries(m_package), after = zipEntries(*save.bytes);
    EXPECT_EQ(before.size(), after.size());
    for (size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
      EXPECT_EQ(before[i].first, after[i].first);
      if (before[i].first != "content.xml") {
        EXPECT_EQ(before[i].second, after[i].second);
      }
    }
    const std::string xml = zipEntry(*save.bytes, "content.xml");
    const DocumentBody body = parseOdtBody(xml);
    for (const BodyParagraph& paragraph : parseOdtBody(m_xml).paragraphs) {
      // Every paragraph whose text is still there whole, and unique, is
      // either untouched or was rewritten because its line changed.
      const std::string_view old = paragraph.xml.of(m_xml);
      if (edited.find(paragraph.text) != std::string::npos && paragraph.text.size() > 8 &&
          !m_edits.contains(paragraph.text)) {
        EXPECT_NE(xml.find(old), std::string::npos) << old;
      }
    }
    return xml;
  }

  std::string refusal(const std::string& edited) {
    const DocumentSave save = saveIntoDocument(ManuscriptKind::kOdt, m_package, edited);
    EXPECT_FALSE(save.bytes);
    return save.error;
  }

  const std::string m_xml = odtChapterContent(kOdtChapterBody);
  const std::string m_package = openDocumentPackage(m_xml);
  std::set<std::string> m_edits;  // lines a test changes on purpose
};

TEST_F(SaveIntoOdt, AnUnchangedTextGivesThePackageBackAsItWas) {
  const DocumentSave save = saveIntoDocument(ManuscriptKind::kOdt, m_package, kOdtChapterText);
  ASSERT_TRUE(save.bytes) << save.error;
  EXPECT_EQ(*save.bytes, m_package);
}

TEST_F(SaveIntoOdt, TypedTextTakesTheFormattingOfItsRun) {
  m_edits = {"The wandering river ran to the sea."};
  // Inside the italic span, and at the boundary after the bold one.
  std::string xml = saved(replaced(kOdtChapterText, "river", "stream"));
  EXPECT_NE(xml.find(R"(<text:span text:style-name="T1">ing stream ran</text:span>)"),
            std::string::npos);
  xml = saved(replaced(kOdtChapterText, "wandering", "wanderXing"));
  EXPECT_NE(xml.find(R"(<text:span text:style-name="T2">derX</text:span>)"), std::string::npos);
  // Deleted across runs: no empty span is left.
  xml = saved(replaced(kOdtChapterText, "wandering river ", ""));
  EXPECT_EQ(occurrences(xml, R"(<text:span text:style-name="T2">)"), 0u);
  // A space at the end of what is written anew is always a text:s: the
  // text after it could begin with another.
  EXPECT_NE(xml.find(R"(The<text:s/><text:span text:style-name="T1">ran</text:span> to the sea.)"),
            std::string::npos);
}

TEST_F(SaveIntoOdt, SpacesAreWrittenSoThatTheyReadBackAsTyped) {
  m_edits = {"It was  late,   she said.", "The end."};
  saved(replaced(kOdtChapterText, "It was  late,", " It  was   late, "));
  saved(replaced(kOdtChapterText, "she said.", "she said. "));
  const std::string xml = saved(replaced(kOdtChapterText, "The end.", "  The   end.  "));
  EXPECT_NE(xml.find(R"(<text:s text:c="2"/>The<text:s text:c="3"/>end.<text:s text:c="2"/>)"),
            std::string::npos);
}

TEST_F(SaveIntoOdt, AnchorsStayWhereTheyWereAroundAnEdit) {
  m_edits = {"She walked home and slept."};
  const std::string xml = saved(replaced(kOdtChapterText, "walked home and", "ran home and then"));
  const size_t bookmarkEnd = xml.find("<text:bookmark-end");
  const size_t note = xml.find("<text:note ");
  const size_t comment = xml.find("<office:annotation ");
  EXPECT_LT(xml.find("She ran home"), bookmarkEnd);
  EXPECT_LT(bookmarkEnd, note);
  EXPECT_LT(note, comment);
  EXPECT_LT(comment, xml.find(" and then slept."));
  EXPECT_LT(xml.find(" and then slept."), xml.find("<office:annotation-end"));
}

TEST_F(SaveIntoOdt, LinesSplitJoinAndGoLikeParagraphs) {
  m_edits = {"Chapter One", "The wandering river ran to the sea.", "a key under the stone"};
  std::string xml = saved(replaced(kOdtChapterText, "Chapter One", "Chapter\nOne"));
  // The second half is a heading too, without the first one's id.
  EXPECT_EQ(occurrences(xml, R"(<text:h text:style-name="Heading_20_1" text:outline-level="1")"),
            2u);
  EXPECT_EQ(occurrences(xml, R"(xml:id="h1")"), 1u);
  xml = saved(replaced(kOdtChapterText, "Chapter One\nThe", "Chapter One: The"));
  EXPECT_EQ(occurrences(xml, "<text:h "), 1u);
  saved(replaced(kOdtChapterText, "to the sea.\n", "to the sea.\nA new line & <more>.\n"));
  // A list item emptied goes with its paragraph.
  xml = saved(replaced(kOdtChapterText, "a key under the stone\n", ""));
  EXPECT_EQ(occurrences(xml, "<text:list-item>"), 0u);
}

TEST_F(SaveIntoOdt, EditsThatCannotBePlacedSafelyAreRefusedByLine) {
  EXPECT_EQ(refusal(replaced(kOdtChapterText, "added", "put")),
            "Line 10 cannot be saved into the document: it touches a tracked change, which must "
            "be accepted or rejected in a word processor first.");
  EXPECT_EQ(refusal(replaced(kOdtChapterText, "Page 7", "Page 8")),
            "Line 12 cannot be saved into the document: it touches a field (a page number, a "
            "date, a cross-reference), whose text the word processor computes.");
  EXPECT_EQ(refusal(replaced(kOdtChapterText, "the site", "the page")),
            "Line 13 cannot be saved into the document: it touches the text of a hyperlink.");
  EXPECT_EQ(refusal(replaced(kOdtChapterText, "morning\nevening", "morning evening")),
            "Line 5 cannot be saved into the document: it would leave a table cell empty.");
  // Beside them, edits are written.
  m_edits = {"Kept words added and the rest.", "See the site today.", "It was  late,   she said.",
             "a key under the stone"};
  // A list item joined to the paragraph before it: its text moves there.
  saved(replaced(kOdtChapterText, "said.\na key", "said. a key"));
  saved(replaced(kOdtChapterText, "the rest.", "the others."));
  saved(replaced(kOdtChapterText, "today.", "tomorrow."));
}

// Random edits over a chapter of spans, spaces, tabs and anchors: whatever
// the writer does, what is saved reads back as the text.
TEST(SaveIntoOdtRandomly, EveryEditReadsBackAsTheEditedText) {
  std::mt19937 random(5);
  const std::vector<std::string> words = {"river", "stone", "night", "the", "a", "  "};
  std::string body;
  for (int p = 0; p < 30; ++p) {
    body += p % 7 == 0 ? R"(<text:h text:outline-level="2">)" : R"(<text:p text:style-name="P1">)";
    for (int r = 0; r < 4; ++r) {
      const std::string run = words[random() % words.size()] + " " + words[random() % words.size()];
      body += r % 2 ? R"(<text:span text:style-name="T1">)" + run + "</text:span>" : run;
      if (r == 1) body += R"(<text:bookmark text:name="b"/><text:s text:c="2"/>)";
      if (r == 2) body += "<text:tab/>";
    }
    body += p % 7 == 0 ? "</text:h>" : "</text:p>";
  }
  const std::string package = openDocumentPackage(odtChapterContent(body));
  const std::string text = readOdt(package);
  for (int round = 0; round < 300; ++round) {
    std::string edited = text;
    for (int e = 0; e < 1 + static_cast<int>(random() % 4); ++e) {
      const size_t at = random() % (edited.size() + 1);
      const size_t length = std::min<size_t>(random() % 12, edited.size() - at);
      const std::vector<std::string> typed = {"", "x", "new  words", "\n", "a\nb", "\t", " ", "  "};
      edited.replace(at, length, typed[random() % typed.size()]);
    }
    const DocumentSave save = saveIntoDocument(ManuscriptKind::kOdt, package, edited);
    ASSERT_TRUE(save.bytes) << save.error << "\n" << edited;
    EXPECT_EQ(readOdt(*save.bytes), edited);
  }
}

}  // namespace

}  // namespace verbolt
