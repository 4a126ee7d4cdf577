#include "export/fodt_export.h"

#include <set>

#include "export/coloured_segments.h"
#include "text/xml_text.h"

namespace verbolt {

namespace {

constexpr std::string_view kHeader =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
    R"(xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" )"
    R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" )"
    R"(xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" )"
    R"(xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0" )"
    R"(xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3" )"
    R"(office:mimetype="application/vnd.oasis.opendocument.text">
)";

std::string styleName(Rgb colour) { return "H" + hexColour(colour); }

void appendMeta(std::string& out, const ExportDocument& document) {
  out += "<office:meta><meta:generator>Verbolt 2</meta:generator><dc:title>";
  appendXmlText(out, document.title);
  out += "</dc:title></office:meta>\n";
}

void appendStyles(std::string& out, const std::vector<ColouredSegment>& segments) {
  std::set<Rgb, RgbLess> colours;
  for (const ColouredSegment& segment : segments) {
    if (segment.colour) colours.insert(*segment.colour);
  }
  out += "<office:automatic-styles>\n";
  for (const Rgb& colour : colours) {
    out += "<style:style style:name=\"" + styleName(colour) +
           "\" style:family=\"text\"><style:text-properties fo:background-color=\"#" +
           hexColour(colour) + "\"/></style:style>\n";
  }
  out += "</office:automatic-styles>\n";
}

// Writes the paragraphs. OpenDocument collapses runs of white space in
// its character data, so a space after another space (or at the start of
// a paragraph) is written as text:s, a tab as text:tab.
class ParagraphWriter {
 public:
  explicit ParagraphWriter(std::string& out) : m_out(out) { m_out += "<text:p>"; }

  void write(std::string_view piece, const std::optional<Rgb>& colour) {
    size_t plainStart = 0;
    openSpan(colour);
    for (size_t i = 0; i < piece.size(); ++i) {
      const char c = piece[i];
      if (c != ' ' && c != '\t' && c != '\n' && c != '\r') continue;
      appendPlain(piece.substr(plainStart, i - plainStart));
      plainStart = i + 1;
      if (c == ' ') {
        space();
      } else if (c == '\t') {
        flushSpaces();
        m_out += "<text:tab/>";
        m_afterSpace = true;
      } else if (c == '\n' || !(i + 1 < piece.size() && piece[i + 1] == '\n')) {
        // "\r\n" ends one paragraph at its "\n"; a lone "\r" ends one too.
        newParagraph(colour);
      }
    }
    appendPlain(piece.substr(plainStart));
    flushSpaces();
    closeSpan();
  }

  void finish() {
    flushSpaces();
    m_out += "</text:p>\n";
  }

 private:
  void openSpan(const std::optional<Rgb>& colour) {
    if (colour) m_out += "<text:span text:style-name=\"" + styleName(*colour) + "\">";
    m_spanOpen = colour.has_value();
  }

  void closeSpan() {
    if (m_spanOpen) m_out += "</text:span>";
    m_spanOpen = false;
  }

  void newParagraph(const std::optional<Rgb>& colour) {
    flushSpaces();
    closeSpan();
    m_out += "</text:p>\n<text:p>";
    m_afterSpace = true;
    openSpan(colour);
  }

  void space() {
    if (m_afterSpace) {
      ++m_pendingSpaces;
    } else {
      m_out += ' ';
      m_afterSpace = true;
    }
  }

  void flushSpaces() {
    if (m_pendingSpaces == 1) m_out += "<text:s/>";
    if (m_pendingSpaces > 1)
      m_out += "<text:s text:c=\"" + std::to_string(m_pendingSpaces) + "\"/>";
    m_pendingSpaces = 0;
  }

  void appendPlain(std::string_view text) {
    if (text.empty()) return;
    flushSpaces();
    appendXmlText(m_out, text);
    m_afterSpace = false;
  }

  std::string& m_out;
  bool m_spanOpen = false;
  bool m_afterSpace = true;  // a paragraph's first space would be dropped
  size_t m_pendingSpaces = 0;
};

}  // namespace

std::string exportFlatOdt(const ExportDocument& document) {
  const std::vector<ColouredSegment> segments = colouredSegments(document.textUtf8, document.runs);
  std::string out;
  out.reserve(document.textUtf8.size() + segments.size() * 48 + 4096);
  out += kHeader;
  appendMeta(out, document);
  appendStyles(out, segments);
  out += "<office:body><office:text>\n";
  ParagraphWriter paragraphs(out);
  for (const ColouredSegment& segment : segments) {
    paragraphs.write(document.textUtf8.substr(segment.begin, segment.end - segment.begin),
                     segment.colour);
  }
  paragraphs.finish();
  out += "</office:text></office:body>\n</office:document>\n";
  return out;
}

}  // namespace verbolt
