#include "manuscript/document_text.h"

#include <gtest/gtest.h>

#include "manuscript/document_test_xml.h"

namespace verbolt {

namespace {

std::string parsed(DocumentDialect dialect, const std::string& xml, size_t chunkSize = 1 << 16) {
  DocumentTextParser parser(dialect, 1 << 20);
  for (size_t i = 0; i < xml.size(); i += chunkSize) {
    if (!parser.feed(std::string_view(xml).substr(i, chunkSize))) return "error: " + parser.error();
  }
  if (!parser.finish()) return "error: " + parser.error();
  return parser.takeText();
}

TEST(DocumentText, LibreOfficeBodyGivesOneParagraphALineWithoutNotesAnnotationsOrDeletions) {
  EXPECT_EQ(parsed(DocumentDialect::kOpenDocument, odtContentXml(kOdtBody)), kOdtText);
}

TEST(DocumentText, WordBodyGivesOneParagraphALineWithoutDeletionsFieldCodesOrFallbacks) {
  EXPECT_EQ(parsed(DocumentDialect::kWord, docxDocumentXml(kDocumentBody)), kDocxText);
}

TEST(DocumentText, ChunksSplitAnywhereGiveTheSameText) {
  for (size_t chunk : {1, 7, 64}) {
    EXPECT_EQ(parsed(DocumentDialect::kOpenDocument, odtContentXml(kOdtBody), chunk), kOdtText);
    EXPECT_EQ(parsed(DocumentDialect::kWord, docxDocumentXml(kDocumentBody), chunk), kDocxText);
  }
}

TEST(DocumentText, PrefixesMeanNothingOnlyNamespacesDo) {
  const std::string xml =
      R"(<d xmlns:o="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:t="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><o:body><t:p>a<t:tab/>b</t:p><p>not ODF</p></o:body></d>)";
  EXPECT_EQ(parsed(DocumentDialect::kOpenDocument, xml), "a\tb");
}

TEST(DocumentText, TextBoxParagraphsInsideAParagraphGetLinesOfTheirOwn) {
  const std::string body =
      R"(<w:p><w:r><w:t>before</w:t></w:r><w:r><w:txbxContent><w:p><w:r><w:t>boxed</w:t></w:r></w:p></w:txbxContent></w:r><w:r><w:t>after</w:t></w:r></w:p>)";
  EXPECT_EQ(parsed(DocumentDialect::kWord, docxDocumentXml(body)), "before\nboxed\nafter");
}

TEST(DocumentText, MalformedXmlAndDocumentTypesAreRefused) {
  EXPECT_EQ(parsed(DocumentDialect::kWord, "<document><body>"),
            "error: no element found at line 1");
  EXPECT_EQ(parsed(DocumentDialect::kWord, "<a></b>"), "error: mismatched tag at line 1");
  const std::string laughs =
      R"(<!DOCTYPE d [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;">]><d>&b;</d>)";
  EXPECT_EQ(parsed(DocumentDialect::kOpenDocument, laughs), "error: it declares a document type");
}

TEST(DocumentText, ATextPastItsLimitStopsTheParse) {
  DocumentTextParser parser(DocumentDialect::kOpenDocument, 1000);
  EXPECT_FALSE(parser.feed(odtContentXml(R"(<text:p><text:s text:c="4000000000"/></text:p>)")));
  EXPECT_TRUE(parser.tooLarge());
}

// What hostile documents hold: elements nested without end, and one token
// (a comment, an attribute) far longer than the chunks the zip reader
// passes, which must neither cost memory per level nor be scanned again at
// every chunk.
TEST(DocumentText, DeepNestingIsRefusedAndLongTokensAreReadWhole) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<w:r>";
  EXPECT_EQ(parsed(DocumentDialect::kWord, docxDocumentXml("<w:p>" + deep)),
            "error: it nests elements more than 1,000 deep");
  std::string nested = "<w:p><w:r><w:t>x</w:t></w:r></w:p>";
  for (int i = 0; i < 900; ++i) nested = "<w:sdt>" + nested + "</w:sdt>";
  EXPECT_EQ(parsed(DocumentDialect::kWord, docxDocumentXml(nested)), "x");

  const std::string comment = "<!--" + std::string(3 << 20, 'c') + "-->";
  const std::string attribute = "<w:r w:x=\"" + std::string(3 << 20, 'a') + "\">";
  const std::string body = comment + "<w:p>" + attribute + "<w:t>long</w:t></w:r>" + comment +
                           "<w:r><w:t xml:space=\"preserve\"> tokens</w:t></w:r></w:p>";
  for (size_t chunk : {size_t{1} << 16, size_t{1000}}) {
    EXPECT_EQ(parsed(DocumentDialect::kWord, docxDocumentXml(body), chunk), "long tokens");
  }
}

TEST(DocumentText, TheDeclaredEncodingIsHonoured) {
  std::string latin1 = docxDocumentXml("<w:p><w:r><w:t>\xE9t\xE9</w:t></w:r></w:p>");
  latin1.replace(latin1.find("UTF-8"), 5, "ISO-8859-1");
  EXPECT_EQ(parsed(DocumentDialect::kWord, latin1), "\u00E9t\u00E9");
  EXPECT_EQ(parsed(DocumentDialect::kWord, "<?xml version=\"1.0\" encoding=\"KOI8-R\"?><d/>"),
            "error: unknown encoding at line 1");
}

}  // namespace

}  // namespace verbolt
