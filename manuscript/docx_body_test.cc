#include "manuscript/docx_body.h"

#include <gtest/gtest.h>

#include "manuscript/document_test_xml.h"
#include "manuscript/document_text.h"
#include "manuscript/zip_part.h"
#include "test_support/test_support.h"

namespace verbolt {

namespace {

std::string readerText(std::string_view xml) {
  DocumentTextParser parser(DocumentDialect::kWord, 1 << 24);
  EXPECT_TRUE(parser.feed(xml) && parser.finish()) << parser.error();
  return parser.takeText();
}

std::string sampleDocumentXml() {
  const std::string archive = test_support::readFile(VERBOLT_SAMPLES "/chapter.docx");
  std::string xml;
  streamZipPart(archive, "word/document.xml", 1 << 24, [&xml](std::string_view chunk) {
    xml += chunk;
    return true;
  });
  return xml;
}

const BodyPiece* pieceShowing(const BodyParagraph& paragraph, std::string_view shown) {
  for (const BodyPiece& piece : paragraph.pieces) {
    if (paragraph.text.substr(piece.textBegin, piece.textEnd - piece.textBegin) == shown) {
      return &piece;
    }
  }
  return nullptr;
}

TEST(DocumentBody, GivesTheReadersTextForTheSampleAndEveryElementItKnows) {
  for (const std::string& xml : {sampleDocumentXml(), docxDocumentXml(kDocumentBody)}) {
    const DocumentBody body = parseDocxBody(xml);
    ASSERT_TRUE(body.error.empty()) << body.error;
    EXPECT_EQ(bodyText(body), readerText(xml));
  }
  const std::string boxed =
      R"(<w:p><w:r><w:t>before</w:t></w:r><w:r><w:txbxContent><w:p><w:r><w:t>boxed</w:t></w:r></w:p></w:txbxContent></w:r><w:r><w:t>after</w:t></w:r></w:p><w:p/>)";
  const DocumentBody body = parseDocxBody(docxDocumentXml(boxed));
  EXPECT_EQ(bodyText(body), readerText(docxDocumentXml(boxed)));
  ASSERT_EQ(body.paragraphs.size(), 2u);
  EXPECT_EQ(body.paragraphs[0].guard, EditGuard::kTextBox);
}

TEST(DocumentBody, ParagraphsRunsAndPiecesLieWhereTheXmlHoldsThem) {
  const std::string xml = docxDocumentXml(kDocumentBody);
  const DocumentBody body = parseDocxBody(xml);
  ASSERT_EQ(body.paragraphs.size(), 9u);
  const BodyParagraph& heading = body.paragraphs[0];
  EXPECT_TRUE(heading.xml.of(xml).starts_with("<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/>"));
  EXPECT_TRUE(heading.xml.of(xml).ends_with("</w:p>"));
  EXPECT_EQ(heading.properties.of(xml).substr(0, 7), "<w:pPr>");
  EXPECT_EQ(heading.startTag.of(xml), "<w:p>");

  const BodyParagraph& late = body.paragraphs[1];
  ASSERT_EQ(late.runs.size(), 4u);
  EXPECT_EQ(late.runs[1].properties.of(xml), "<w:rPr><w:b/></w:rPr>");
  const BodyPiece* bold = pieceShowing(late, "late");
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(bold->kind, PieceKind::kText);
  EXPECT_EQ(bold->run, 1);
  EXPECT_EQ(late.runs[1].pieceCount, 1u);
  EXPECT_EQ(&late.pieces[late.runs[1].firstPiece], bold);
  EXPECT_EQ(bold->xml.of(xml), "<w:t>late</w:t>");

  const BodyParagraph& breaks = body.paragraphs[2];
  EXPECT_EQ(breaks.text, "Tab\tand\nbreak & more");
  const BodyPiece* tab = pieceShowing(breaks, "\t");
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->kind, PieceKind::kSymbol);
  EXPECT_EQ(tab->xml.of(xml), "<w:tab/>");
  EXPECT_EQ(breaks.pieces.front().xml.of(xml), "<w:t>Tab</w:t>");

  const BodyParagraph& empty = body.paragraphs[3];
  EXPECT_EQ(empty.xml.of(xml), "<w:p/>");
  EXPECT_EQ(empty.startTag.of(xml), "<w:p/>");
}

TEST(DocumentBody, TrackedChangesFieldsAndCellsAreMarked) {
  const std::string xml = docxDocumentXml(kDocumentBody);
  const DocumentBody body = parseDocxBody(xml);
  ASSERT_EQ(body.paragraphs.size(), 9u);
  const BodyParagraph& tracked = body.paragraphs[4];
  const BodyPiece* inserted = pieceShowing(tracked, " inserted");
  ASSERT_NE(inserted, nullptr);
  EXPECT_EQ(inserted->kind, PieceKind::kSealed);
  EXPECT_EQ(inserted->guard, EditGuard::kTrackedChange);
  size_t deletions = 0;
  for (const BodyPiece& piece : tracked.pieces) {
    if (piece.kind == PieceKind::kAnchor && piece.guard == EditGuard::kTrackedChange) {
      ++deletions;
      EXPECT_TRUE(piece.xml.of(xml).starts_with("<w:del "));
    }
  }
  EXPECT_EQ(deletions, 1u);

  EXPECT_TRUE(body.paragraphs[5].inTableCell);
  EXPECT_TRUE(body.paragraphs[6].inTableCell);
  EXPECT_NE(body.paragraphs[5].container, body.paragraphs[6].container);
  EXPECT_FALSE(body.paragraphs[7].inTableCell);

  const BodyParagraph& field = body.paragraphs[7];
  const BodyPiece* result = pieceShowing(field, "7");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->guard, EditGuard::kField);
  for (const BodyPiece& piece : field.pieces) EXPECT_EQ(piece.group, result->group);
}

TEST(DocumentBody, MalformedXmlAndDocumentTypesAreRefused) {
  EXPECT_EQ(parseDocxBody("<a></b>").error, "mismatched tag at line 1");
  EXPECT_EQ(parseDocxBody(R"(<!DOCTYPE d [<!ENTITY a "a">]><d>&a;</d>)").error,
            "it declares a document type");
}

// Nesting costs memory a level: a few hundred levels are read, without
// recursion; past a thousand the body is refused, as the reader refuses it.
TEST(DocumentBody, DeepNestingIsReadUpToItsBound) {
  auto nested = [](int depth) {
    std::string deep;
    for (int i = 0; i < depth; ++i) deep += "<x>";
    for (int i = 0; i < depth; ++i) deep += "</x>";
    return parseDocxBody(docxDocumentXml("<w:p><w:r><w:t>a</w:t></w:r>" + deep + "</w:p>"));
  };
  const DocumentBody body = nested(900);
  ASSERT_TRUE(body.error.empty()) << body.error;
  EXPECT_EQ(bodyText(body), "a");
  EXPECT_EQ(nested(200000).error, "it nests elements more than 1,000 deep");
}

}  // namespace

}  // namespace verbolt
