#include "export/html_export.h"

#include <gtest/gtest.h>

#include "export/export_test_support.h"

namespace verbolt {

namespace {

struct PageContent {
  std::string text;
  Backgrounds backgrounds;
  std::vector<std::string> legendLabels;
  std::string report;
  std::string title;
};

// What a browser shows: the text of the text block with the background
// each character gets from its span's class, the legend and the report.
PageContent readPage(const std::string& html) {
  PageContent page;
  std::vector<std::string> classes;
  std::string* target = nullptr;
  XmlEvents events;
  events.start = [&](std::string_view name, const char** attributes) {
    const std::string_view cls = attributeOf(attributes, "class");
    classes.emplace_back(cls);
    if (name == "div" && cls == "text") target = &page.text;
    if (name == "li") target = &page.legendLabels.emplace_back();
    if (name == "pre") target = &page.report;
    if (name == "title") target = &page.title;
  };
  events.end = [&](std::string_view name) {
    classes.pop_back();
    if (name == "div" || name == "li" || name == "pre" || name == "title") target = nullptr;
  };
  events.characters = [&](std::string_view text) {
    if (!target) return;
    *target += text;
    if (target != &page.text) return;
    const std::string& cls = classes.back();
    addBackgrounds(
        page.backgrounds, text,
        cls.starts_with("h") ? rgbFromHex(std::string_view(cls).substr(1)) : std::nullopt);
  };
  EXPECT_TRUE(walkXml(html, events)) << "not well-formed";
  return page;
}

const Rgb kYellow = {255, 255, 140};
const Rgb kGreen = {180, 255, 180};
const Rgb kGrey = {235, 235, 233};

const std::string kText =
    "L'\u00E9t\u00E9 <b>&amp;</b> \"quotes\"\n\n  two  spaces\tand a tab \U0001F600 end\n";

TEST(HtmlExport, TheTextAndEveryCharactersBackgroundComeBackFromThePage) {
  // Characters, not bytes: é and the emoji are one each.
  const std::vector<ColourRun> runs = {{0, 1, kYellow}, {2, 5, kGreen},    {6, 9, kWhite},
                                       {28, 44, kGrey}, {47, 49, kYellow}, {55, 60, kGreen}};
  const LegendEntry legend[] = {{kYellow, "Close repetitions"}};
  const std::string html = exportHtml({kText, runs, "", "Chapter 3", legend});
  const PageContent page = readPage(html);
  EXPECT_EQ(page.text, kText);
  EXPECT_EQ(page.backgrounds, expectedBackgrounds(kText, runs));
}

TEST(HtmlExport, TitleLegendAndReportAreEscapedAndInPlace) {
  const LegendEntry legend[] = {{kYellow, "Close repetitions"}, {kGrey, "Hidden <&> words"}};
  const std::string report = "  5 : \u00E9t\u00E9\n       \u00E9t\u00E9s\n  2 : a<b\n";
  const std::string html = exportHtml({"text", {}, report, "Tom & \"Jerry\"", legend});
  const PageContent page = readPage(html);
  EXPECT_EQ(page.title, "Tom & \"Jerry\"");
  EXPECT_EQ(page.legendLabels, (std::vector<std::string>{"Close repetitions", "Hidden <&> words"}));
  EXPECT_EQ(page.report, report);
  EXPECT_NE(html.find(".hebebe9 { background-color: #ebebe9; }"), std::string::npos);
  EXPECT_LT(html.find("class=\"text\""), html.find("<pre>"));
}

// Each spread is a caption and a picture of its own, drawn in the page:
// one bar a stretch that holds the word, the busiest the tallest.
TEST(HtmlExport, TheSpreadsAreDrawnBetweenTheTextAndTheReport) {
  const SpreadPicture spreads[] = {{"\u00E9t\u00E9", 7, {0, 1, 0, 6}, {255, 140, 140}},
                                   {"said", 2, {1, 0, 1, 0}, {90, 105, 130}}};
  ExportDocument document{"text", {}, "  5 : said\n", "t", {}};
  document.spreads = spreads;
  const std::string html = exportHtml(document);
  std::vector<std::string> captions;
  std::vector<std::vector<std::string>> bars;  // per picture: "x,height,fill"
  std::string* caption = nullptr;
  XmlEvents events;
  events.start = [&](std::string_view name, const char** attributes) {
    if (name == "figcaption") caption = &captions.emplace_back();
    if (name == "svg") bars.emplace_back();
    if (name == "rect") {
      bars.back().push_back(std::string(attributeOf(attributes, "x")) + "," +
                            std::string(attributeOf(attributes, "height")) + "," +
                            std::string(attributeOf(attributes, "fill")));
    }
  };
  events.end = [&](std::string_view) { caption = nullptr; };
  events.characters = [&](std::string_view text) {
    if (caption) *caption += text;
  };
  ASSERT_TRUE(walkXml(html, events)) << "not well-formed";
  EXPECT_EQ(captions,
            (std::vector<std::string>{"\"\u00E9t\u00E9\": 7 times", "\"said\": 2 times"}));
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0], (std::vector<std::string>{"5,6,#ff8c8c", "15,40,#ff8c8c"}));
  EXPECT_EQ(bars[1], (std::vector<std::string>{"0,40,#5a6982", "10,40,#5a6982"}));
  EXPECT_LT(html.find("class=\"text\""), html.find("Where the words fall"));
  EXPECT_LT(html.find("Where the words fall"), html.find("<pre>"));
  // Without spreads the page has no such section.
  EXPECT_EQ(exportHtml({"text", {}, "", "t", {}}).find("class=\"spreads\""), std::string::npos);
}

TEST(HtmlExport, ThePageNeedsNothingFromOutsideAndPrintsItsColours) {
  const std::string html = exportHtml({"text", {}, "", "t", {}});
  EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n"));
  EXPECT_NE(html.find("<meta charset=\"utf-8\"/>"), std::string::npos);
  for (std::string_view outside : {"<link", "<script", "<img", "src=", "url(", "@import", "http"}) {
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
  }
  EXPECT_NE(html.find("print-color-adjust: exact"), std::string::npos);
  EXPECT_NE(html.find("@media print"), std::string::npos);
  EXPECT_NE(html.find("white-space: pre-wrap"), std::string::npos);
}

TEST(HtmlExport, CharactersXmlCannotHoldBecomeOneReplacementEachAndKeepTheColours) {
  const std::string text = std::string(
      "a\x01"
      "b\0c",
      5);
  const std::vector<ColourRun> runs = {{3, 5, kGreen}};
  const PageContent page = readPage(exportHtml({text, runs, "", "t", {}}));
  EXPECT_EQ(page.text,
            "a\uFFFD"
            "b\uFFFD"
            "c");
  EXPECT_EQ(page.backgrounds, expectedBackgrounds(text, runs));
}

}  // namespace

}  // namespace verbolt
