// An OpenDocument text with every kind of paragraph a manuscript has, as a
// package of the parts LibreOffice writes, and the text the editor shows.
#pragma once

#include <string>

#include "manuscript/docx_test_package.h"

namespace verbolt {

// One paragraph a line, but the tab-and-break paragraph (lines 8 and 9,
// 1-based).
inline const std::string kOdtChapterText =
    "Chapter One\n"
    "The wandering river ran to the sea.\n"
    "It was  late,   she said.\n"
    "a key under the stone\n"
    "morning\n"
    "evening\n"
    "She walked home and slept.\n"
    "Name\tValue\n"
    "second line\n"
    "Kept words added and the rest.\n"
    "\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1 \u03BA\u03CC\u03C3\u03BC\u03B5 "
    "\u6771\u4EAC\u306E\u591C\n"
    "Page 7\n"
    "See the site today.\n"
    "The end.";

inline const std::string kOdtTrackedChanges =
    R"(<text:tracked-changes><text:changed-region xml:id="ct1" text:id="ct1"><text:insertion><office:change-info><dc:creator>Ed</dc:creator><dc:date>2026-01-01T00:00:00</dc:date></office:change-info></text:insertion></text:changed-region>)"
    R"(<text:changed-region xml:id="ct2" text:id="ct2"><text:deletion><office:change-info><dc:creator>Ed</dc:creator><dc:date>2026-01-01T00:00:00</dc:date></office:change-info><text:p> removed</text:p></text:deletion></text:changed-region></text:tracked-changes>)";

inline const std::string kOdtChapterBody =
    kOdtTrackedChanges +
    R"(<text:h text:style-name="Heading_20_1" text:outline-level="1" xml:id="h1">Chapter One</text:h>)"
    R"(<text:p text:style-name="P1">The wan<text:span text:style-name="T2">der</text:span><text:span text:style-name="T1">ing river ran</text:span> to the sea.</text:p>)"
    "<text:p text:style-name=\"P1\">\n  It was<text:s/> late,<text:s text:c=\"2\"/> she "
    "said.</text:p>"
    R"(<text:list text:style-name="L1"><text:list-item><text:p text:style-name="P2">a key under the stone</text:p></text:list-item></text:list>)"
    R"(<table:table table:name="Table1"><table:table-column table:number-columns-repeated="2"/><table:table-row><table:table-cell office:value-type="string"><text:p>morning</text:p></table:table-cell><table:table-cell office:value-type="string"><text:p>evening</text:p></table:table-cell></table:table-row></table:table>)"
    R"(<text:p text:style-name="P1"><text:bookmark-start text:name="here"/>She walked home<text:bookmark-end text:name="here"/><text:note text:id="ftn1" text:note-class="footnote"><text:note-citation>1</text:note-citation><text:note-body><text:p>A footnote.</text:p></text:note-body></text:note><office:annotation office:name="c1"><dc:creator>Ed</dc:creator><text:p>A comment.</text:p></office:annotation> and slept.<office:annotation-end office:name="c1"/></text:p>)"
    R"(<text:p text:style-name="P1">Name<text:tab/>Value<text:line-break/>second line</text:p>)"
    R"(<text:p text:style-name="P1">Kept words <text:change-start text:change-id="ct1"/>added<text:change-end text:change-id="ct1"/><text:change text:change-id="ct2"/> and the rest.</text:p>)"
    "<text:p text:style-name=\"P1\">\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1 "
    "\u03BA\u03CC\u03C3\u03BC\u03B5 <text:span text:style-name=\"T1\">"
    "\u6771\u4EAC\u306E\u591C</text:span></text:p>"
    R"(<text:p text:style-name="P1">Page <text:page-number text:select-page="current">7</text:page-number></text:p>)"
    R"(<text:p text:style-name="P1">See <text:a xlink:type="simple" xlink:href="https://example.org/">the site</text:a> today.</text:p>)"
    R"(<text:p text:style-name="P1">The end.</text:p>)";

inline std::string odtChapterContent(const std::string& body) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>)"
         R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:xlink="http://www.w3.org/1999/xlink" xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3">)"
         R"(<office:automatic-styles>)"
         R"(<style:style style:name="P1" style:family="paragraph" style:parent-style-name="Standard"/>)"
         R"(<style:style style:name="P2" style:family="paragraph" style:parent-style-name="Standard" style:list-style-name="L1"/>)"
         R"(<style:style style:name="T1" style:family="text"><style:text-properties fo:font-style="italic"/></style:style>)"
         R"(<style:style style:name="T2" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>)"
         R"(</office:automatic-styles><office:body><office:text>)" +
         body + "</office:text></office:body></office:document-content>";
}

inline const char* kOdtManifest =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.3">)"
    R"(<manifest:file-entry manifest:full-path="/" manifest:version="1.3" manifest:media-type="application/vnd.oasis.opendocument.text"/>)"
    R"(<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>)"
    R"(<manifest:file-entry manifest:full-path="styles.xml" manifest:media-type="text/xml"/>)"
    R"(<manifest:file-entry manifest:full-path="meta.xml" manifest:media-type="text/xml"/>)"
    R"(</manifest:manifest>)";

inline const char* kOdtStyles =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<office:document-styles xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" office:version="1.3">)"
    R"(<office:styles><style:style style:name="Standard" style:family="paragraph" style:class="text"/>)"
    R"(<style:style style:name="Heading_20_1" style:display-name="Heading 1" style:family="paragraph" style:parent-style-name="Standard" style:default-outline-level="1"><style:text-properties fo:font-size="130%" fo:font-weight="bold"/></style:style>)"
    R"(<text:list-style style:name="L1"><text:list-level-style-bullet text:level="1" text:bullet-char="-"/></text:list-style>)"
    R"(</office:styles></office:document-styles>)";

inline const char* kOdtMeta =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<office:document-meta xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0" office:version="1.3"><office:meta><meta:generator>Tests</meta:generator></office:meta></office:document-meta>)";

// A package as LibreOffice lays it out, around `contentXml`.
inline std::string openDocumentPackage(const std::string& contentXml) {
  return zipArchive({{"mimetype", "application/vnd.oasis.opendocument.text"},
                     {"content.xml", contentXml},
                     {"styles.xml", kOdtStyles},
                     {"meta.xml", kOdtMeta},
                     {"META-INF/manifest.xml", kOdtManifest}});
}

}  // namespace verbolt
