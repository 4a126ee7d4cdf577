#include "export/fodt_export.h"

#include <gtest/gtest.h>

#include <map>

#include "export/export_test_support.h"
#include "manuscript/document_text.h"

namespace verbolt {

namespace {

const Rgb kYellow = {255, 255, 140};
const Rgb kPurple = {220, 200, 255};

// The text as the program's own reader of OpenDocument takes it.
std::string readBack(const std::string& fodt) {
  DocumentTextParser parser(DocumentDialect::kOpenDocument, 1 << 20);
  EXPECT_TRUE(parser.feed(fodt) && parser.finish()) << parser.error();
  return parser.takeText();
}

// The background of every character: each text:span's automatic style
// gives its fo:background-color; a text:s counts its spaces, a text:tab
// and the end of a text:p one character each.
Backgrounds readBackgrounds(const std::string& fodt) {
  std::map<std::string, Rgb> styles;
  std::string currentStyle;
  std::optional<Rgb> spanColour;
  Backgrounds backgrounds;
  bool inParagraph = false;
  bool firstParagraph = true;
  XmlEvents events;
  events.start = [&](std::string_view name, const char** attributes) {
    if (name == "style:style") currentStyle = attributeOf(attributes, "style:name");
    if (name == "style:text-properties") {
      styles[currentStyle] = *rgbFromHex(attributeOf(attributes, "fo:background-color").substr(1));
    }
    if (name == "text:p") {
      if (!firstParagraph) backgrounds.push_back(std::nullopt);  // the line end
      firstParagraph = false;
      inParagraph = true;
    }
    if (name == "text:span")
      spanColour = styles.at(std::string(attributeOf(attributes, "text:style-name")));
    if (name == "text:tab") backgrounds.push_back(spanColour);
    if (name == "text:s") {
      const std::string_view count = attributeOf(attributes, "text:c");
      backgrounds.insert(backgrounds.end(), count.empty() ? 1 : std::stoul(std::string(count)),
                         spanColour);
    }
  };
  events.end = [&](std::string_view name) {
    if (name == "text:span") spanColour.reset();
    if (name == "text:p") inParagraph = false;
  };
  events.characters = [&](std::string_view text) {
    if (inParagraph) addBackgrounds(backgrounds, text, spanColour);
  };
  EXPECT_TRUE(walkXml(fodt, events)) << "not well-formed";
  return backgrounds;
}

TEST(FlatOdtExport, TheTextComesBackThroughTheOpenDocumentReaderSpaceForSpace) {
  const std::string text =
      "  Leading spaces, two  and three   spaces,\ttab <&>\n\nl'\u00E9t\u00E9 \U0001F600 ";
  const std::string fodt = exportFlatOdt({text, {}, "", "Chapter 3", {}});
  EXPECT_EQ(readBack(fodt), text);
  EXPECT_NE(fodt.find("<dc:title>Chapter 3</dc:title>"), std::string::npos);
}

TEST(FlatOdtExport, EveryCharacterKeepsItsBackgroundAcrossLinesAndSpaces) {
  const std::string text = "one  two\nthree \u00E9\u00E9   four\tfive";
  const std::vector<ColourRun> runs = {
      {0, 3, kYellow}, {4, 12, kPurple}, {15, 20, kYellow}, {25, 27, kPurple}};
  const std::string fodt = exportFlatOdt({text, runs, "", "t", {}});
  EXPECT_EQ(readBack(fodt), text);
  // A paragraph's end has no background of its own in a word processor.
  Backgrounds expected = expectedBackgrounds(text, runs);
  expected[8].reset();
  EXPECT_EQ(readBackgrounds(fodt), expected);
  EXPECT_NE(fodt.find("<style:style style:name=\"Hffff8c\" style:family=\"text\">"
                      "<style:text-properties fo:background-color=\"#ffff8c\"/>"),
            std::string::npos);
}

TEST(FlatOdtExport, OneParagraphPerLineEmptyLinesIncluded) {
  const std::string fodt = exportFlatOdt({"a\n\nb\n", {}, "", "t", {}});
  EXPECT_NE(fodt.find("<text:p>a</text:p>\n<text:p></text:p>\n<text:p>b</text:p>\n"
                      "<text:p></text:p>\n"),
            std::string::npos);
}

}  // namespace

}  // namespace verbolt
