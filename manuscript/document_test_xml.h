// A LibreOffice-style content.xml and a Word-style document.xml with every
// element the text reader keeps or leaves out, and the text each gives.
#pragma once

#include <string>

namespace verbolt {

inline std::string odtContentXml(const std::string& body) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3"><office:automatic-styles><text:p>not body</text:p></office:automatic-styles><office:body><office:text>)" +
         body + "</office:text></office:body></office:document-content>";
}

inline const std::string kOdtBody =
    R"(<text:sequence-decls><text:sequence-decl text:display-outline-level="0" text:name="Figure"/></text:sequence-decls>)"
    R"(<text:h text:style-name="H1" text:outline-level="1">Chapter <text:span text:style-name="T1">One</text:span></text:h>)"
    R"(<text:p>It was<text:s/> late,<text:s text:c="3"/>she said.<text:note text:id="n1" text:note-class="footnote"><text:note-citation>1</text:note-citation><text:note-body><text:p>A footnote.</text:p></text:note-body></text:note></text:p>)"
    R"(<text:p>Tab<text:tab/>and<text:line-break/>break<office:annotation><dc:creator>Ed</dc:creator><text:p>A comment.</text:p></office:annotation> &amp; more</text:p>)"
    R"(<text:p/>)"
    R"(<text:list><text:list-item><text:p>first item</text:p></text:list-item><text:list-item><text:p>second   item</text:p></text:list-item></text:list>)"
    R"(<table:table><table:table-row><table:table-cell><text:p>cell A</text:p></table:table-cell><table:table-cell><text:p>cell B</text:p></table:table-cell></table:table-row></table:table>)"
    R"(<text:tracked-changes><text:changed-region text:id="c1"><text:deletion><text:p>deleted words</text:p></text:deletion></text:changed-region></text:tracked-changes>)"
    R"(<text:p>End<text:change text:change-id="c1"/> )"
    "\u00E9t\u00E9 \U0001F600</text:p>";

inline const std::string kOdtText =
    "Chapter One\nIt was  late,   she said.\nTab\tand\nbreak & more\n\nfirst item\nsecond "
    "item\ncell A\ncell B\nEnd \u00E9t\u00E9 \U0001F600";

inline std::string docxDocumentXml(const std::string& body) {
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><w:body>)" +
         body + R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:body></w:document>)";
}

inline const std::string kDocumentBody =
    R"(<w:p><w:pPr><w:pStyle w:val="Heading1"/><w:tabs><w:tab w:val="left" w:pos="720"/></w:tabs></w:pPr><w:r><w:t>Chapter One</w:t></w:r></w:p>)"
    R"(<w:p><w:r><w:t xml:space="preserve">It was </w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>late</w:t></w:r><w:r><w:rPr><w:rStyle w:val="FootnoteReference"/></w:rPr><w:footnoteReference w:id="1"/></w:r><w:r><w:t>, she said.</w:t></w:r></w:p>)"
    R"(<w:p><w:r><w:t>Tab</w:t><w:tab/><w:t>and</w:t><w:br/><w:t>break</w:t></w:r><w:commentRangeStart w:id="0"/><w:r><w:t xml:space="preserve"> &amp; more</w:t></w:r><w:commentRangeEnd w:id="0"/><w:r><w:commentReference w:id="0"/></w:r></w:p>)"
    R"(<w:p/>)"
    R"(<w:p><w:r><w:br w:type="page"/></w:r><w:r><w:t>New page</w:t></w:r><w:del w:id="5" w:author="Ed"><w:r><w:delText>deleted words</w:delText></w:r></w:del><w:ins w:id="6" w:author="Ed"><w:r><w:t xml:space="preserve"> inserted</w:t></w:r></w:ins></w:p>)"
    R"(<w:tbl><w:tr><w:tc><w:p><w:r><w:t>cell A</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>cell B</w:t></w:r></w:p></w:tc></w:tr></w:tbl>)"
    R"(<w:p><w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText>PAGE</w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>7</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r></w:p>)"
    R"(<w:p><w:r><mc:AlternateContent><mc:Choice Requires="wps"><w:t>box</w:t></mc:Choice><mc:Fallback><w:t>box again</w:t></mc:Fallback></mc:AlternateContent></w:r><w:r><w:t>End )"
    "\u00E9t\u00E9 \U0001F600</w:t></w:r></w:p>";

inline const std::string kDocxText =
    "Chapter One\nIt was late, she said.\nTab\tand\nbreak & more\n\nNew page inserted\ncell "
    "A\ncell B\n7\nboxEnd \u00E9t\u00E9 \U0001F600";

}  // namespace verbolt
