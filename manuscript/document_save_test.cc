#include "manuscript/document_save.h"

#include <gtest/gtest.h>

#include <random>

#include "manuscript/docx_body.h"
#include "manuscript/docx_test_package.h"
#include "manuscript/line_diff.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

using test_support::replaced;

std::string readBack(const std::string& package) {
  const ReadOutcome outcome = readManuscriptBytes(package, ManuscriptKind::kDocx, "saved.docx");
  EXPECT_TRUE(outcome.manuscript) << outcome.error;
  return outcome.manuscript ? outcome.manuscript->utf8 : std::string();
}

// The paragraphs whose text the edit left alone, by a diff of the
// paragraphs' texts, and whether their XML changed.
size_t untouchedParagraphsRewritten(const std::string& oldXml, const std::string& newXml) {
  const DocumentBody before = parseDocxBody(oldXml), after = parseDocxBody(newXml);
  std::vector<std::string_view> oldTexts, newTexts;
  for (const BodyParagraph& p : before.paragraphs) oldTexts.push_back(p.text);
  for (const BodyParagraph& p : after.paragraphs) newTexts.push_back(p.text);
  size_t rewritten = 0, oldAt = 0, newAt = 0;
  auto compareUpTo = [&](size_t oldEnd) {
    for (; oldAt < oldEnd; ++oldAt, ++newAt) {
      if (before.paragraphs[oldAt].xml.of(oldXml) != after.paragraphs[newAt].xml.of(newXml)) {
        ++rewritten;
      }
    }
  };
  for (const LineHunk& hunk : diffLines(oldTexts, newTexts)) {
    compareUpTo(hunk.oldBegin);
    oldAt = hunk.oldEnd;
    newAt = hunk.newEnd;
  }
  compareUpTo(oldTexts.size());
  return rewritten;
}

class SaveIntoDocx : public ::testing::Test {
 protected:
  // Saves `edited` into the chapter and checks what every save must give:
  // the edited text read back, the paragraphs left alone byte for byte,
  // the other parts as they were. The new word/document.xml.
  std::string saved(const std::string& edited, size_t untouchedRewritten = 0) {
    const DocumentSave save = saveIntoDocument(ManuscriptKind::kDocx, m_package, edited);
    EXPECT_TRUE(save.bytes) << save.error;
    if (!save.bytes) return {};
    EXPECT_EQ(readBack(*save.bytes), edited);
    const ZipParts before = zipEntries(m_package), after = zipEntries(*save.bytes);
    EXPECT_EQ(before.size(), after.size());
    for (size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
      EXPECT_EQ(before[i].first, after[i].first);
      if (before[i].first != "word/document.xml") {
        EXPECT_EQ(before[i].second, after[i].second);
      }
    }
    const std::string xml = zipEntry(*save.bytes, "word/document.xml");
    EXPECT_EQ(untouchedParagraphsRewritten(m_xml, xml), untouchedRewritten);
    return xml;
  }

  std::string refusal(const std::string& edited) {
    const DocumentSave save = saveIntoDocument(ManuscriptKind::kDocx, m_package, edited);
    EXPECT_FALSE(save.bytes);
    return save.error;
  }

  const std::string m_xml = chapterDocumentXml();
  const std::string m_package = wordPackage(m_xml);
};

// The formatting of the run that shows `word` in paragraph `index`.
std::string runPropertiesShowing(const std::string& xml, size_t index, const std::string& word) {
  const DocumentBody body = parseDocxBody(xml);
  if (index >= body.paragraphs.size()) return "no paragraph";
  const BodyParagraph& paragraph = body.paragraphs[index];
  for (const BodyPiece& piece : paragraph.pieces) {
    const std::string_view shown =
        std::string_view(paragraph.text).substr(piece.textBegin, piece.textEnd - piece.textBegin);
    if (piece.run >= 0 && shown.find(word) != std::string_view::npos) {
      return std::string(paragraph.runs[piece.run].properties.of(xml));
    }
  }
  return "not found";
}

size_t occurrences(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST_F(SaveIntoDocx, TheReaderGivesTheChapterAsItsLines) {
  EXPECT_EQ(readBack(m_package), kChapterText);
}

TEST_F(SaveIntoDocx, AnUnchangedTextGivesThePackageBackAsItWas) {
  const DocumentSave save = saveIntoDocument(ManuscriptKind::kDocx, m_package, kChapterText);
  ASSERT_TRUE(save.bytes) << save.error;
  EXPECT_EQ(*save.bytes, m_package);
}

TEST_F(SaveIntoDocx, AWordRewrittenInsideARunKeepsItsFormatting) {
  const std::string xml = saved(replaced(kChapterText, "river", "stream"));
  EXPECT_EQ(runPropertiesShowing(xml, 1, "stream"), "<w:rPr><w:i/></w:rPr>");
  EXPECT_EQ(runPropertiesShowing(xml, 1, "der"), "<w:rPr><w:b/></w:rPr>");
  EXPECT_NE(xml.find(R"(<w:p w14:paraId="1A2B3C4D">)"), std::string::npos);

  const std::string greek = saved(replaced(kChapterText, "\u03BA\u03CC\u03C3\u03BC\u03B5",
                                           "\u03BA\u03CC\u03C3\u03BC\u03BF\u03C2"));
  EXPECT_EQ(runPropertiesShowing(greek, 8, "\u03BA\u03CC\u03C3\u03BC\u03BF\u03C2"), "");
  const std::string cjk = saved(replaced(kChapterText, "\u591C", "\u671D"));
  EXPECT_EQ(runPropertiesShowing(cjk, 8, "\u6771\u4EAC\u306E\u671D"), "<w:rPr><w:i/></w:rPr>");
}

TEST_F(SaveIntoDocx, WordsChangedApartInAParagraphLeaveTheFormattingBetweenThem) {
  const std::string xml = saved(replaced(kChapterText, "The wandering river ran to the sea.",
                                         "A wandering river ran to the ocean."));
  EXPECT_EQ(runPropertiesShowing(xml, 1, "der"), "<w:rPr><w:b/></w:rPr>");
  EXPECT_EQ(runPropertiesShowing(xml, 1, "ing river ran"), "<w:rPr><w:i/></w:rPr>");
  EXPECT_EQ(runPropertiesShowing(xml, 1, "ocean"), "");
  const std::string split = saved(replaced(kChapterText, "The wandering river ran to the sea.",
                                           "The wandering\nriver ran to the ocean."));
  EXPECT_EQ(runPropertiesShowing(split, 2, "river ran"), "<w:rPr><w:i/></w:rPr>");
}

TEST_F(SaveIntoDocx, TextTypedAtARunBoundaryTakesTheRunBeforeIt) {
  const std::string plain = saved(replaced(kChapterText, "wandering", "wanXdering"));
  EXPECT_EQ(runPropertiesShowing(plain, 1, "wanX"), "");
  const std::string bold = saved(replaced(kChapterText, "wandering", "wanderYing"));
  EXPECT_EQ(runPropertiesShowing(bold, 1, "derY"), "<w:rPr><w:b/></w:rPr>");
  const std::string start = saved(replaced(kChapterText, "Chapter One", "New Chapter One"));
  EXPECT_NE(start.find("<w:t>New Chapter One</w:t>"), std::string::npos);
}

TEST_F(SaveIntoDocx, DeletingAcrossRunsLeavesNoEmptyRun) {
  const std::string xml = saved(replaced(kChapterText, "wandering river ", ""));
  const DocumentBody body = parseDocxBody(xml);
  const BodyParagraph& paragraph = body.paragraphs[1];
  EXPECT_EQ(paragraph.text, "The ran to the sea.");
  std::vector<int> pieces(paragraph.runs.size(), 0);
  for (const BodyPiece& piece : paragraph.pieces) {
    if (piece.run >= 0) ++pieces[piece.run];
  }
  for (int count : pieces) EXPECT_GT(count, 0);
  EXPECT_EQ(runPropertiesShowing(xml, 1, "ran"), "<w:rPr><w:i/></w:rPr>");
}

TEST_F(SaveIntoDocx, SplitParagraphsKeepTheirPropertiesAndJoinedOnesTheFirstOnes) {
  const std::string heading = saved(replaced(kChapterText, "Chapter One", "Chapter\nOne"));
  EXPECT_EQ(occurrences(heading, R"(<w:pStyle w:val="Heading1"/>)"), 2u);
  const std::string list = saved(replaced(kChapterText, "a key under", "a key\nunder"));
  EXPECT_EQ(occurrences(list, R"(<w:numId w:val="1"/>)"), 2u);
  const std::string middle = saved(replaced(kChapterText, "river ran", "river\nflowed\nand ran"));
  EXPECT_EQ(runPropertiesShowing(middle, 2, "flowed"), "<w:rPr><w:i/></w:rPr>");

  const std::string joined = saved(replaced(kChapterText, "Chapter One\nThe", "Chapter One: The"));
  const DocumentBody body = parseDocxBody(joined);
  EXPECT_EQ(body.paragraphs[0].properties.of(joined),
            R"(<w:pPr><w:pStyle w:val="Heading1"/></w:pPr>)");
  EXPECT_EQ(runPropertiesShowing(joined, 0, "der"), "<w:rPr><w:b/></w:rPr>");
}

TEST_F(SaveIntoDocx, NewLinesBetweenParagraphsTakeThePropertiesOfTheOneBefore) {
  const std::string xml =
      saved(replaced(kChapterText, "a key under the stone\n", "a key under the stone\na lamp\n"));
  EXPECT_EQ(occurrences(xml, R"(<w:numId w:val="1"/>)"), 2u);
  saved("A first line\n" + kChapterText);
  saved(kChapterText + "\nA last line\n");
  saved(replaced(kChapterText, "a key under the stone\n", ""));
}

TEST_F(SaveIntoDocx, NotesCommentsAndBookmarksStayWhenTheTextAroundThemChanges) {
  // A paragraph deleted whole leaves them to the next one, which changes.
  const std::vector<std::pair<std::string, size_t>> edits = {
      {replaced(kChapterText, "walked home and slept", "slept"), 0},
      {replaced(kChapterText, "She walked home and slept.", "Gone."), 0},
      {replaced(kChapterText, "She walked home and slept.\n", ""), 1}};
  for (const auto& [edited, rewritten] : edits) {
    const std::string xml = saved(edited, rewritten);
    for (const char* anchor :
         {"<w:bookmarkStart", "<w:bookmarkEnd", "<w:footnoteReference", "<w:commentRangeStart",
          "<w:commentRangeEnd", "<w:commentReference"}) {
      EXPECT_EQ(occurrences(xml, anchor), 1u) << anchor << " in " << edited;
    }
  }
}

TEST_F(SaveIntoDocx, TabsLineBreaksAndSpacesAreWrittenAsWordWritesThem) {
  const std::string tab = saved(replaced(kChapterText, "Value", "Worth"));
  EXPECT_NE(tab.find("<w:tab/><w:t>Worth</w:t><w:br/>"), std::string::npos);
  const std::string broken = saved(replaced(kChapterText, "second line", "2nd line"));
  EXPECT_EQ(occurrences(broken, "<w:br/>"), 1u);
  const std::string typed = saved(replaced(kChapterText, "The end.", "The\tend & <more> "));
  EXPECT_NE(typed.find(
                R"(<w:t>The</w:t><w:tab/><w:t xml:space="preserve">end &amp; &lt;more&gt; </w:t>)"),
            std::string::npos);
}

TEST_F(SaveIntoDocx, TablesKeepTheirCells) {
  saved(replaced(kChapterText, "morning", "dawn"));
  EXPECT_EQ(refusal(replaced(kChapterText, "morning\nevening", "morning evening")),
            "Line 4 cannot be saved into the document: it would leave a table cell empty.");
  EXPECT_NE(refusal(replaced(kChapterText, "stone\nmorning", "stone morning")).find("table cell"),
            std::string::npos);
  EXPECT_EQ(refusal(replaced(kChapterText, "morning\n", "")),
            "Line 4 cannot be saved into the document: it would leave a table cell empty.");
}

TEST_F(SaveIntoDocx, EditsBesideTrackedChangesAndFieldsAreWrittenAndEditsInsideRefused) {
  const std::string xml = saved(replaced(kChapterText, "Kept words", "Held words"));
  EXPECT_EQ(occurrences(xml, "<w:ins "), 1u);
  EXPECT_EQ(occurrences(xml, "<w:del "), 1u);
  saved(replaced(kChapterText, "the rest.", "the others."));
  saved(replaced(kChapterText, "Page 7", "Folio 7"));
  EXPECT_EQ(refusal(replaced(kChapterText, "added", "adjoined")),
            "Line 9 cannot be saved into the document: it touches a tracked change, which must be "
            "accepted or rejected in a word processor first.");
  EXPECT_EQ(refusal(replaced(kChapterText, "added and", "and")),
            "Line 9 cannot be saved into the document: it touches a tracked change, which must be "
            "accepted or rejected in a word processor first.");
  EXPECT_EQ(refusal(replaced(kChapterText, "added and the rest.\n", "")).substr(0, 7), "Line 9 ");
  EXPECT_EQ(refusal(replaced(kChapterText, "Page 7", "Page 8")),
            "Line 11 cannot be saved into the document: it touches a field (a page number, a date, "
            "a cross-reference), whose text the word processor computes.");
}

TEST_F(SaveIntoDocx, TextsAndPackagesItCannotHoldAreRefused) {
  EXPECT_EQ(refusal(replaced(kChapterText, "The end.", "The\x01 end.")),
            "Line 12 cannot be saved into the document: it holds a control character a "
            "document cannot hold.");
  EXPECT_EQ(refusal(replaced(kChapterText, "The end.", "The \xFF end.")),
            "The text cannot be saved: it is not valid UTF-8.");
  EXPECT_EQ(saveIntoDocument(ManuscriptKind::kDocx, "plain text", "x").error,
            "The document cannot be saved into: it is not a zip archive.");
  EXPECT_EQ(saveIntoDocument(ManuscriptKind::kDocx, odtArchive("<x/>"), "x").error,
            "The document cannot be saved into: it holds no word/document.xml, so it is not a "
            "Word document.");
  const std::string bomb = docxArchive(std::string(300u << 20, ' '));
  EXPECT_EQ(saveIntoDocument(ManuscriptKind::kDocx, bomb, "x").error,
            "The document cannot be saved into: its word/document.xml would unpack to more than "
            "256 MB, too much to rewrite safely.");
}

TEST_F(SaveIntoDocx, TheSampleChapterTakesEditsEverywhereButItsTrackedDeletion) {
  const std::string sample = test_support::readFile(VERBOLT_SAMPLES "/chapter.docx");
  const std::string text = readBack(sample);
  std::string edited = replaced(text, "Chapter Three", "Chapter Four");
  edited = replaced(edited, "\u00E9t\u00E9", "hiver");
  edited = replaced(edited, "empty.", "empty and cold.");
  edited = replaced(edited, "a letter on the table", "a letter\non the table");
  edited = replaced(edited, "morning", "noon");
  const DocumentSave save = saveIntoDocument(ManuscriptKind::kDocx, sample, edited);
  ASSERT_TRUE(save.bytes) << save.error;
  EXPECT_EQ(readBack(*save.bytes), edited);
  EXPECT_EQ(runPropertiesShowing(zipEntry(*save.bytes, "word/document.xml"), 1, "hiver"),
            "<w:rPr><w:i/></w:rPr>");
  const DocumentSave across = saveIntoDocument(ManuscriptKind::kDocx, sample,
                                               replaced(text, "again.\na key", "again, a key"));
  EXPECT_EQ(across.error,
            "Line 3 cannot be saved into the document: it touches a tracked change, which must be "
            "accepted or rejected in a word processor first.");
}

// The same over the chapter, with its table, notes, tracked changes and
// field: every save is either refused, naming a line, or reads back as the
// edited text with the other parts as they were.
TEST_F(SaveIntoDocx, RandomEditsAreWrittenExactlyOrRefusedWithTheirLine) {
  std::mt19937 random(5);
  const std::vector<std::string> typed = {"", "x", "\u03B1\u6771", "\n", "a\nb", "\t", " ", "&<"};
  size_t written = 0;
  for (int round = 0; round < 300; ++round) {
    std::string edited = kChapterText;
    for (int e = 0; e < 1 + static_cast<int>(random() % 3); ++e) {
      size_t at = random() % (edited.size() + 1);
      while (at < edited.size() && (static_cast<unsigned char>(edited[at]) & 0xC0) == 0x80) ++at;
      size_t end = std::min(edited.size(), at + random() % 10);
      while (end < edited.size() && (static_cast<unsigned char>(edited[end]) & 0xC0) == 0x80) ++end;
      edited.replace(at, end - at, typed[random() % typed.size()]);
    }
    const DocumentSave save = saveIntoDocument(ManuscriptKind::kDocx, m_package, edited);
    if (!save.bytes) {
      EXPECT_TRUE(save.error.starts_with("Line ")) << save.error << "\n[" << edited << "]";
      EXPECT_TRUE(save.error.ends_with(".")) << save.error;
      continue;
    }
    ++written;
    EXPECT_EQ(readBack(*save.bytes), edited);
    EXPECT_EQ(zipEntry(*save.bytes, "word/footnotes.xml"), kFootnotes);
  }
  EXPECT_GT(written, 150u);
}

// Content controls, text boxes and hyperlinks hold text the editor shows
// but cannot rewrite; a section break stays with the paragraph that ends
// the section.
TEST(SaveIntoDocxStructures, EditsInsideThemAreRefusedAndBesideThemWritten) {
  const std::string body =
      R"(<w:sdt><w:sdtPr><w:alias w:val="Title"/></w:sdtPr><w:sdtContent><w:p><w:r><w:t>Controlled</w:t></w:r></w:p></w:sdtContent></w:sdt>)"
      R"(<w:p><w:r><w:t>before</w:t></w:r><w:r><w:drawing><w:txbxContent><w:p><w:r><w:t>boxed</w:t></w:r></w:p></w:txbxContent></w:drawing></w:r><w:r><w:t>after</w:t></w:r></w:p>)"
      R"(<w:p><w:r><w:t xml:space="preserve">See </w:t></w:r><w:hyperlink r:id="rId9" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><w:r><w:t>the site</w:t></w:r></w:hyperlink><w:r><w:t xml:space="preserve"> today.</w:t></w:r></w:p>)"
      R"(<w:p><w:pPr><w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:pPr><w:r><w:t>End of part one.</w:t></w:r></w:p>)"
      R"(<w:p><w:r><w:t>Part two.</w:t></w:r></w:p>)";
  const std::string package = wordPackage(docxDocumentXml(body));
  const std::string text = readBack(package);
  ASSERT_EQ(text,
            "Controlled\nbefore\nboxed\nafter\nSee the site today.\nEnd of part one.\nPart two.");
  auto save = [&](const std::string& edited) {
    return saveIntoDocument(ManuscriptKind::kDocx, package, edited);
  };
  EXPECT_EQ(save(replaced(text, "Controlled", "Free")).error,
            "Line 1 cannot be saved into the document: it touches a content control.");
  EXPECT_EQ(save(replaced(text, "after", "later")).error,
            "Line 4 cannot be saved into the document: its paragraph holds a text box.");
  EXPECT_EQ(save(replaced(text, "the site", "the page")).error,
            "Line 5 cannot be saved into the document: it touches the text of a hyperlink.");
  EXPECT_EQ(save(replaced(text, "one.\nPart", "one. Part")).error,
            "Line 6 cannot be saved into the document: it would remove a section break.");

  const DocumentSave beside = save(replaced(text, "today", "tomorrow"));
  ASSERT_TRUE(beside.bytes) << beside.error;
  EXPECT_EQ(readBack(*beside.bytes), replaced(text, "today", "tomorrow"));
  const std::string split = replaced(text, "End of part one.", "End of\npart one.");
  const DocumentSave splitSave = save(split);
  ASSERT_TRUE(splitSave.bytes) << splitSave.error;
  EXPECT_EQ(readBack(*splitSave.bytes), split);
  const std::string xml = zipEntry(*splitSave.bytes, "word/document.xml");
  // The section break goes with the second half of the split paragraph.
  EXPECT_EQ(occurrences(xml, "<w:sectPr>"), 2u);
  EXPECT_LT(xml.find("<w:t>End of</w:t>"), xml.find("<w:sectPr>"));
  EXPECT_LT(xml.find("<w:sectPr>"), xml.find("part one."));
}

// Random edits of lines, words and paragraph boundaries over a chapter of
// many runs: whatever the writer does, what is saved reads back as the text.
TEST(SaveIntoDocxRandomly, EveryEditReadsBackAsTheEditedText) {
  std::mt19937 random(11);
  std::string body;
  const std::vector<std::string> words = {"river", "stone", "night", "house", "the", "a"};
  std::vector<std::string> lines;
  for (int p = 0; p < 30; ++p) {
    std::string line;
    body += p % 5 == 0 ? R"(<w:p><w:pPr><w:pStyle w:val="Heading2"/></w:pPr>)" : "<w:p>";
    for (int r = 0; r < 4; ++r) {
      std::string run = words[random() % words.size()] + " " + words[random() % words.size()] + " ";
      body += std::string("<w:r>") + (r % 2 ? "<w:rPr><w:i/></w:rPr>" : "") +
              R"(<w:t xml:space="preserve">)" + run + "</w:t></w:r>";
      line += run;
      if (r == 1) body += R"(<w:bookmarkStart w:id="1" w:name="b"/><w:bookmarkEnd w:id="1"/>)";
    }
    body += "</w:p>";
    lines.push_back(line);
  }
  const std::string package = wordPackage(docxDocumentXml(body));
  const std::string text = readBack(package);
  for (int round = 0; round < 300; ++round) {
    std::string edited = text;
    for (int e = 0; e < 1 + static_cast<int>(random() % 4); ++e) {
      const size_t at = random() % (edited.size() + 1);
      const size_t length = std::min<size_t>(random() % 12, edited.size() - at);
      const std::vector<std::string> typed = {"", "x", "new words", "\n", "a\nb", "\t", " "};
      edited.replace(at, length, typed[random() % typed.size()]);
    }
    const DocumentSave save = saveIntoDocument(ManuscriptKind::kDocx, package, edited);
    ASSERT_TRUE(save.bytes) << save.error << "\n" << edited;
    EXPECT_EQ(readBack(*save.bytes), edited);
  }
}

}  // namespace

}  // namespace verbolt
