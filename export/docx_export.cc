#include "export/docx_export.h"

#include <cctype>

#include "export/coloured_segments.h"
#include "manuscript/zip_write.h"
#include "text/xml_text.h"

namespace verbolt {

namespace {

constexpr std::string_view kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

constexpr std::string_view kContentTypes =
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" )"
    R"(ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/)"
    R"(vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/styles.xml" ContentType="application/)"
    R"(vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
    R"(<Override PartName="/docProps/core.xml" )"
    R"(ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>)"
    R"(</Types>)";

constexpr std::string_view kPackageRelationships =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/)"
    R"(relationships/officeDocument" Target="word/document.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/)"
    R"(relationships/metadata/core-properties" Target="docProps/core.xml"/>)"
    R"(</Relationships>)";

constexpr std::string_view kDocumentRelationships =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/)"
    R"(relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

// Lines as close as the editor shows them; the Top-100 in a fixed-width
// font keeps its counts in a column.
constexpr std::string_view kStyles =
    R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val="24"/><w:szCs w:val="24"/></w:rPr>)"
    R"(</w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after="0"/></w:pPr></w:pPrDefault>)"
    R"(</w:docDefaults>)"
    R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal">)"
    R"(<w:name w:val="Normal"/><w:qFormat/></w:style>)"
    R"(<w:style w:type="paragraph" w:styleId="Heading2"><w:name w:val="heading 2"/>)"
    R"(<w:basedOn w:val="Normal"/><w:next w:val="Normal"/><w:qFormat/>)"
    R"(<w:pPr><w:keepNext/><w:spacing w:before="360" w:after="120"/><w:outlineLvl w:val="1"/>)"
    R"(</w:pPr><w:rPr><w:b/><w:bCs/><w:sz w:val="28"/><w:szCs w:val="28"/></w:rPr></w:style>)"
    R"(<w:style w:type="paragraph" w:customStyle="1" w:styleId="Top100">)"
    R"(<w:name w:val="Top-100"/><w:basedOn w:val="Normal"/>)"
    R"(<w:rPr><w:rFonts w:ascii="Courier New" w:hAnsi="Courier New" w:cs="Courier New"/>)"
    R"(<w:sz w:val="20"/><w:szCs w:val="20"/></w:rPr></w:style>)"
    R"(</w:styles>)";

constexpr std::string_view kDocumentStart =
    R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    "<w:body>\n";

// A4 with margins of 2 cm, as the web page prints.
constexpr std::string_view kDocumentEnd =
    R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1134" w:right="1134" )"
    R"(w:bottom="1134" w:left="1134" w:header="709" w:footer="709" w:gutter="0"/>)"
    "</w:sectPr></w:body></w:document>\n";

constexpr std::string_view kPageBreakBefore = "<w:pPr><w:pageBreakBefore/></w:pPr>";
constexpr std::string_view kHeading = "<w:pPr><w:pStyle w:val=\"Heading2\"/></w:pPr>";
constexpr std::string_view kHeadingOnNewPage =
    "<w:pPr><w:pStyle w:val=\"Heading2\"/><w:pageBreakBefore/></w:pPr>";
constexpr std::string_view kTop100Line = "<w:pPr><w:pStyle w:val=\"Top100\"/></w:pPr>";

// Word writes its colours in capitals.
std::string fill(Rgb colour) {
  std::string hex = hexColour(colour);
  for (char& c : hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return hex;
}

// Writes paragraphs, one per line of what it is given, each run of one
// colour; a run never spans two paragraphs.
class ParagraphWriter {
 public:
  // The first paragraph opens with the properties `first`, the others
  // with `others` (a w:pPr, or nothing).
  ParagraphWriter(std::string& out, std::string_view first, std::string_view others)
      : m_out(out), m_properties(others) {
    m_out += "<w:p>";
    m_out += first;
  }

  void write(std::string_view piece, const std::optional<Rgb>& colour) {
    size_t plainStart = 0;
    for (size_t i = 0; i < piece.size(); ++i) {
      const char c = piece[i];
      if (c != '\t' && c != '\n' && c != '\r') continue;
      appendText(piece.substr(plainStart, i - plainStart), colour);
      plainStart = i + 1;
      if (c == '\t') {
        openRun(colour);
        m_out += "<w:tab/>";
      } else if (c == '\r' || !m_afterCarriageReturn) {
        // "\r\n" ends one paragraph, at its "\r".
        newParagraph();
      }
      m_afterCarriageReturn = c == '\r';
    }
    appendText(piece.substr(plainStart), colour);
  }

  void finish() {
    closeRun();
    m_out += "</w:p>\n";
  }

 private:
  void appendText(std::string_view text, const std::optional<Rgb>& colour) {
    if (text.empty()) return;
    openRun(colour);
    m_out += "<w:t xml:space=\"preserve\">";
    appendXmlText(m_out, text);
    m_out += "</w:t>";
    m_afterCarriageReturn = false;
  }

  void openRun(const std::optional<Rgb>& colour) {
    if (m_runOpen && m_runColour == colour) return;
    closeRun();
    m_out += "<w:r>";
    if (colour) {
      m_out += "<w:rPr><w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"" + fill(*colour) +
               "\"/></w:rPr>";
    }
    m_runOpen = true;
    m_runColour = colour;
  }

  void closeRun() {
    if (m_runOpen) m_out += "</w:r>";
    m_runOpen = false;
  }

  void newParagraph() {
    closeRun();
    m_out += "</w:p>\n<w:p>";
    m_out += m_properties;
  }

  std::string& m_out;
  std::string_view m_properties;
  bool m_runOpen = false;
  std::optional<Rgb> m_runColour;
  bool m_afterCarriageReturn = false;
};

void appendText(std::string& out, const ExportDocument& document) {
  ParagraphWriter paragraphs(out, {}, {});
  for (const ColouredSegment& segment : colouredSegments(document.textUtf8, document.runs)) {
    paragraphs.write(document.textUtf8.substr(segment.begin, segment.end - segment.begin),
                     segment.colour);
  }
  paragraphs.finish();
}

// Returns whether it wrote anything, which puts what follows on the same
// page.
bool appendLegend(std::string& out, const ExportDocument& document) {
  std::string_view properties = kPageBreakBefore;
  for (const LegendEntry& entry : document.legend) {
    ParagraphWriter paragraph(out, properties, {});
    paragraph.write(entry.label, entry.colour);
    paragraph.finish();
    properties = {};
  }
  return !document.legend.empty();
}

void appendReport(std::string& out, const ExportDocument& document, bool onNewPage) {
  std::string_view report = document.top100ReportUtf8;
  if (report.empty()) return;
  if (report.ends_with('\n')) report.remove_suffix(1);
  ParagraphWriter heading(out, onNewPage ? kHeadingOnNewPage : kHeading, {});
  heading.write("Top-100", std::nullopt);
  heading.finish();
  ParagraphWriter lines(out, kTop100Line, kTop100Line);
  lines.write(report, std::nullopt);
  lines.finish();
}

std::string documentXml(const ExportDocument& document) {
  std::string out;
  out.reserve(document.textUtf8.size() * 2 + document.top100ReportUtf8.size() * 2 + 4096);
  out += kXmlDeclaration;
  out += kDocumentStart;
  appendText(out, document);
  const bool legend = appendLegend(out, document);
  appendReport(out, document, !legend);
  out += kDocumentEnd;
  return out;
}

std::string coreProperties(const ExportDocument& document) {
  std::string out(kXmlDeclaration);
  out += R"(<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/)"
         R"(metadata/core-properties" xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:title>)";
  appendXmlText(out, document.title);
  out += "</dc:title></cp:coreProperties>";
  return out;
}

}  // namespace

std::optional<std::string> exportDocx(const ExportDocument& document) {
  const std::string contentTypes = std::string(kXmlDeclaration) + std::string(kContentTypes);
  const std::string packageRelationships =
      std::string(kXmlDeclaration) + std::string(kPackageRelationships);
  const std::string documentRelationships =
      std::string(kXmlDeclaration) + std::string(kDocumentRelationships);
  const std::string styles = std::string(kXmlDeclaration) + std::string(kStyles);
  const std::string body = documentXml(document);
  const std::string core = coreProperties(document);
  const ZipEntry entries[] = {
      {"[Content_Types].xml", contentTypes},
      {"_rels/.rels", packageRelationships},
      {"word/document.xml", body},
      {"word/_rels/document.xml.rels", documentRelationships},
      {"word/styles.xml", styles},
      {"docProps/core.xml", core},
  };
  return zipArchiveOf(entries);
}

}  // namespace verbolt
