#include "export/html_export.h"

#include <algorithm>
#include <set>
#include <string>

#include "export/coloured_segments.h"
#include "export/spread_pictures.h"
#include "strings/localized_text.h"
#include "text/cp1252.h"
#include "text/xml_text.h"

namespace verbolt {

namespace {

// Browsers leave backgrounds out of print unless told; the highlights are
// the point of the page.
constexpr std::string_view kStyleSheet = R"(
* { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font-family: Georgia, "DejaVu Serif", serif; color: #000; background: #fff;
  max-width: 46em; margin: 2em auto; padding: 0 1em; line-height: 1.5; }
h1 { font-size: 1.4em; margin: 0 0 .5em; }
h2 { font-size: 1.1em; margin: 2em 0 .5em; }
.legend { list-style: none; padding: 0; margin: 0 0 1.5em; display: flex; flex-wrap: wrap;
  gap: .3em 1.5em; font-family: sans-serif; font-size: .9em; }
.swatch { display: inline-block; width: 1.6em; height: 1em; border: 1px solid #999;
  vertical-align: -0.15em; margin-right: .4em; }
.text { white-space: pre-wrap; overflow-wrap: break-word; }
.spreads figure { margin: 0 0 .6em; font-family: sans-serif; font-size: .85em; }
.spreads svg { display: block; }
.top100 pre { font-size: .9em; column-width: 14em; column-gap: 2em; }
@page { margin: 2cm; }
@media print {
  body { max-width: none; margin: 0; padding: 0; font-size: 11pt; }
  .top100 { break-before: page; }
}
)";

std::string className(Rgb colour) { return "h" + hexColour(colour); }

void appendColourClasses(std::string& out, const std::vector<ColouredSegment>& segments,
                         const ExportDocument& document) {
  std::set<Rgb, RgbLess> colours;
  for (const ColouredSegment& segment : segments) {
    if (segment.colour) colours.insert(*segment.colour);
  }
  for (const LegendEntry& entry : document.legend) colours.insert(entry.colour);
  for (const Rgb& colour : colours) {
    out += "." + className(colour) + " { background-color: #" + hexColour(colour) + "; }\n";
  }
}

void appendHead(std::string& out, const std::vector<ColouredSegment>& segments,
                const ExportDocument& document) {
  out += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n";
  out += "<meta name=\"generator\" content=\"Verbolt 2\"/>\n<title>";
  appendXmlText(out, document.title);
  out += "</title>\n<style>";
  out += kStyleSheet;
  appendColourClasses(out, segments, document);
  out += "</style>\n</head>\n";
}

void appendLegend(std::string& out, const ExportDocument& document) {
  if (document.legend.empty()) return;
  out += "<ul class=\"legend\">\n";
  for (const LegendEntry& entry : document.legend) {
    out += "<li><span class=\"swatch " + className(entry.colour) + "\"></span>";
    appendXmlText(out, entry.label);
    out += "</li>\n";
  }
  out += "</ul>\n";
}

void appendText(std::string& out, const std::vector<ColouredSegment>& segments,
                const ExportDocument& document) {
  out += "<div class=\"text\">";
  for (const ColouredSegment& segment : segments) {
    const std::string_view piece =
        document.textUtf8.substr(segment.begin, segment.end - segment.begin);
    if (!segment.colour) {
      appendXmlText(out, piece);
      continue;
    }
    out += "<span class=\"" + className(*segment.colour) + "\">";
    appendXmlText(out, piece);
    out += "</span>";
  }
  out += "</div>\n";
}

// One bar a stretch of the text, as tall as the busiest stretch is: a
// word bunched in a chapter shows a few tall bars, one spread evenly a low
// even row.
constexpr int kBarWidth = 5;
constexpr int kChartHeight = 40;

void appendSpread(std::string& out, const SpreadPicture& picture) {
  int most = 1;
  for (int count : picture.counts) most = std::max(most, count);
  const int width = static_cast<int>(picture.counts.size()) * kBarWidth;
  out += "<figure>\n<figcaption>";
  appendXmlText(out, spreadCaption(picture));
  out += "</figcaption>\n<svg width=\"" + std::to_string(width) + "\" height=\"" +
         std::to_string(kChartHeight + 1) + "\" role=\"img\">";
  const std::string fill = "#" + hexColour(picture.colour);
  for (size_t i = 0; i < picture.counts.size(); ++i) {
    if (picture.counts[i] == 0) continue;
    const int height = std::max(2, kChartHeight * picture.counts[i] / most);
    out += "<rect x=\"" + std::to_string(static_cast<int>(i) * kBarWidth) + "\" y=\"" +
           std::to_string(kChartHeight - height) + "\" width=\"" + std::to_string(kBarWidth - 1) +
           "\" height=\"" + std::to_string(height) + "\" fill=\"" + fill + "\"/>";
  }
  out += "<line x1=\"0\" y1=\"" + std::to_string(kChartHeight) + ".5\" x2=\"" +
         std::to_string(width) + "\" y2=\"" + std::to_string(kChartHeight) +
         ".5\" stroke=\"#999\"/></svg>\n</figure>\n";
}

void appendSpreads(std::string& out, const ExportDocument& document) {
  if (document.spreads.empty()) return;
  out += "<section class=\"spreads\">\n<h2>";
  appendXmlText(out, cp1252ToUtf8(LocalizedText(kStrSpreadTitle)));
  out += "</h2>\n";
  for (const SpreadPicture& picture : document.spreads) appendSpread(out, picture);
  out += "</section>\n";
}

void appendReport(std::string& out, const ExportDocument& document) {
  if (document.top100ReportUtf8.empty()) return;
  out += "<section class=\"top100\">\n<h2>Top-100</h2>\n<pre>";
  appendXmlText(out, document.top100ReportUtf8);
  out += "</pre>\n</section>\n";
}

}  // namespace

std::string exportHtml(const ExportDocument& document) {
  const std::vector<ColouredSegment> segments = colouredSegments(document.textUtf8, document.runs);
  std::string out;
  out.reserve(document.textUtf8.size() + segments.size() * 32 + 4096);
  appendHead(out, segments, document);
  out += "<body>\n<h1>";
  appendXmlText(out, document.title);
  out += "</h1>\n";
  appendLegend(out, document);
  appendText(out, segments, document);
  appendSpreads(out, document);
  appendReport(out, document);
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace verbolt
