#include "export/docx_export.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "export/export_test_support.h"
#include "manuscript/manuscript.h"

namespace verbolt {

namespace {

const Rgb kYellow = {255, 255, 140};
const Rgb kPurple = {220, 200, 255};
const Rgb kRed = {255, 80, 80};

std::string packageOf(const ExportDocument& document) {
  const std::optional<std::string> package = exportDocx(document);
  EXPECT_TRUE(package);
  return package.value_or("");
}

size_t countOf(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// The text as the program's own reader of Word documents takes it.
std::string readBack(const std::string& package) {
  const ReadOutcome read = readManuscriptBytes(package, ManuscriptKind::kDocx, "e.docx");
  EXPECT_TRUE(read.manuscript) << read.error;
  return read.manuscript ? read.manuscript->utf8 : "";
}

TEST(DocxExport, TheTextComesBackThroughTheWordReaderSpaceForSpace) {
  const std::string text =
      "  Leading spaces, two  and three   spaces,\ttab <&> \"quoted\"\n\n"
      "l'\u00E9t\u00E9 \u591C \U0001F600 \n";
  const std::string package = packageOf({text, {}, "", "Chapter 3", {}});
  EXPECT_EQ(readBack(package), text);
  EXPECT_NE(docxPart(package, "docProps/core.xml").find("<dc:title>Chapter 3</dc:title>"),
            std::string::npos);
  // One paragraph a line, the empty ones and the last one included.
  const std::string body = docxPart(package, "word/document.xml");
  EXPECT_EQ(countOf(body, "<w:p>"), 4u);
}

TEST(DocxExport, CharactersXmlCannotHoldBecomeReplacementsAndLineEndsOfEveryKindEndLines) {
  const std::string package = packageOf({"a\x01z\x0B\r\nb\rc\n\rd", {}, "", "t", {}});
  EXPECT_EQ(readBack(package), "a\uFFFDz\uFFFD\nb\nc\n\nd");
}

TEST(DocxExport, EveryCharacterKeepsItsExactColourAsShading) {
  const std::string text = "one  two\nthree \u00E9\u00E9   four\tfive\n\tsix";
  const std::vector<ColourRun> runs = {
      {0, 3, kYellow}, {4, 12, kPurple}, {15, 20, kYellow}, {25, 29, kRed}, {33, 35, kPurple}};
  const std::string package = packageOf({text, runs, "", "t", {}});
  EXPECT_EQ(readBack(package), text);
  // A paragraph's end has no background of its own in a word processor.
  Backgrounds expected = expectedBackgrounds(text, runs);
  expected[8].reset();
  expected[29].reset();
  EXPECT_EQ(docxBackgrounds(package), expected);
  const std::string body = docxPart(package, "word/document.xml");
  EXPECT_NE(body.find(R"(<w:shd w:val="clear" w:color="auto" w:fill="DCC8FF"/>)"),
            std::string::npos);
  EXPECT_EQ(body.find("w:highlight"), std::string::npos);
}

TEST(DocxExport, TheLegendAndTheTop100FollowTheTextOnAPageOfTheirOwn) {
  const std::vector<LegendEntry> legend = {{kYellow, "Close repetitions"}, {kRed, "Marked word"}};
  const std::string report = "  9 : garden\n       gardens\n  4 : <river>\n";
  const std::string text = "The garden, the gardens.";
  const std::string package = packageOf({text, {}, report, "t", legend});
  EXPECT_EQ(readBack(package), text +
                                   "\nClose repetitions\nMarked word\nTop-100\n  9 : garden\n"
                                   "       gardens\n  4 : <river>");
  Backgrounds expected(text.size() + 1);
  expected.insert(expected.end(), 17, kYellow);
  expected.push_back(std::nullopt);
  expected.insert(expected.end(), 11, kRed);
  const Backgrounds backgrounds = docxBackgrounds(package);
  ASSERT_GE(backgrounds.size(), expected.size());
  EXPECT_EQ(Backgrounds(backgrounds.begin(), backgrounds.begin() + expected.size()), expected);
  const std::string body = docxPart(package, "word/document.xml");
  EXPECT_NE(body.find("<w:p><w:pPr><w:pageBreakBefore/></w:pPr><w:r><w:rPr><w:shd"),
            std::string::npos);
  EXPECT_EQ(countOf(body, "pageBreakBefore"), 1u) << "one new page";

  // Without a legend the heading of the Top-100 starts the new page.
  const std::string bare = docxPart(packageOf({text, {}, report, "t", {}}), "word/document.xml");
  EXPECT_NE(bare.find(R"(<w:pStyle w:val="Heading2"/><w:pageBreakBefore/>)"), std::string::npos);
}

// Every part the content types and the relationships name is in the
// package, and every XML part is well-formed: a word processor refuses a
// package that names a part it lacks.
TEST(DocxExport, ThePackageHoldsEveryPartItNamesAndIsTheSameEveryTime) {
  const std::vector<LegendEntry> legend = {{kYellow, "Close & near"}};
  const ExportDocument document{"Text\n", {}, "  2 : text\n", "A <title>", legend};
  const std::string package = packageOf(document);
  EXPECT_EQ(packageOf(document), package);
  std::set<std::string> named;
  const std::string types = docxPart(package, "[Content_Types].xml");
  const std::regex override(R"(PartName="/([^"]+)\")");
  for (auto m = std::sregex_iterator(types.begin(), types.end(), override);
       m != std::sregex_iterator(); ++m) {
    named.insert((*m)[1]);
  }
  const std::regex target(R"(Target="([^"]+)\")");
  for (const auto& [rels, folder] : {std::pair<std::string, std::string>{"_rels/.rels", ""},
                                     {"word/_rels/document.xml.rels", "word/"}}) {
    const std::string relationships = docxPart(package, rels);
    for (auto m = std::sregex_iterator(relationships.begin(), relationships.end(), target);
         m != std::sregex_iterator(); ++m) {
      named.insert(folder + std::string((*m)[1]));
    }
  }
  EXPECT_EQ(named,
            (std::set<std::string>{"word/document.xml", "word/styles.xml", "docProps/core.xml"}));
  for (const char* part : {"[Content_Types].xml", "_rels/.rels", "word/_rels/document.xml.rels",
                           "word/document.xml", "word/styles.xml", "docProps/core.xml"}) {
    XmlEvents events;
    events.start = [](std::string_view, const char**) {};
    events.end = [](std::string_view) {};
    events.characters = [](std::string_view) {};
    EXPECT_TRUE(walkXml(docxPart(package, part), events)) << part;
  }
}

}  // namespace

}  // namespace verbolt
