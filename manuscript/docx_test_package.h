// A Word document with every kind of paragraph a manuscript has, as a
// package of several parts, and what the tests of saving into it read back.
#pragma once

#include <zip.h>

#include <string>
#include <utility>
#include <vector>

#include "manuscript/document_test_xml.h"
#include "manuscript/zip_test_support.h"

namespace verbolt {

// Its lines, one paragraph each but the tab-and-break paragraph (lines 7
// and 8, 1-based).
inline const std::string kChapterText =
    "Chapter One\n"
    "The wandering river ran to the sea.\n"
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
    "The end.";

inline const std::string kChapterBody =
    R"(<w:p w14:paraId="1A2B3C4D"><w:pPr><w:pStyle w:val="Heading1"/></w:pPr><w:r><w:t>Chapter One</w:t></w:r></w:p>)"
    R"(<w:p><w:r><w:t xml:space="preserve">The wan</w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>der</w:t></w:r><w:r><w:rPr><w:i/></w:rPr><w:t>ing river ran</w:t></w:r><w:r><w:t xml:space="preserve"> to the sea.</w:t></w:r></w:p>)"
    R"(<w:p><w:pPr><w:pStyle w:val="ListParagraph"/><w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr></w:pPr><w:r><w:t>a key under the stone</w:t></w:r></w:p>)"
    R"(<w:tbl><w:tblPr><w:tblW w:w="0" w:type="auto"/></w:tblPr><w:tblGrid><w:gridCol w:w="4000"/><w:gridCol w:w="4000"/></w:tblGrid><w:tr><w:tc><w:p><w:r><w:t>morning</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>evening</w:t></w:r></w:p></w:tc></w:tr></w:tbl>)"
    R"(<w:p><w:bookmarkStart w:id="0" w:name="here"/><w:r><w:t>She walked home</w:t></w:r><w:bookmarkEnd w:id="0"/><w:r><w:rPr><w:rStyle w:val="FootnoteReference"/></w:rPr><w:footnoteReference w:id="1"/></w:r><w:commentRangeStart w:id="3"/><w:r><w:t xml:space="preserve"> and slept.</w:t></w:r><w:commentRangeEnd w:id="3"/><w:r><w:rPr><w:rStyle w:val="CommentReference"/></w:rPr><w:commentReference w:id="3"/></w:r></w:p>)"
    R"(<w:p><w:r><w:t>Name</w:t><w:tab/><w:t>Value</w:t><w:br/><w:t>second line</w:t></w:r></w:p>)"
    R"(<w:p><w:r><w:t xml:space="preserve">Kept words </w:t></w:r><w:ins w:id="7" w:author="Ed" w:date="2026-01-01T00:00:00Z"><w:r><w:t>added</w:t></w:r></w:ins><w:del w:id="8" w:author="Ed" w:date="2026-01-01T00:00:00Z"><w:r><w:delText xml:space="preserve"> removed</w:delText></w:r></w:del><w:r><w:t xml:space="preserve"> and the rest.</w:t></w:r></w:p>)"
    "<w:p><w:r><w:t xml:space=\"preserve\">\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1 "
    "\u03BA\u03CC\u03C3\u03BC\u03B5 </w:t></w:r><w:r><w:rPr><w:i/></w:rPr><w:t>"
    "\u6771\u4EAC\u306E\u591C</w:t></w:r></w:p>"
    R"(<w:p><w:r><w:t xml:space="preserve">Page </w:t></w:r><w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> PAGE </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>7</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r></w:p>)"
    R"(<w:p><w:r><w:t>The end.</w:t></w:r></w:p>)";

inline std::string chapterDocumentXml() {
  std::string xml = docxDocumentXml(kChapterBody);
  // The paragraph ids of Word's later versions, in a namespace of their own.
  const std::string w14 = R"( xmlns:w14="http://schemas.microsoft.com/office/word/2010/wordml")";
  xml.insert(xml.find("<w:document") + 11, w14);
  return xml;
}

inline const char* kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/footnotes.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml"/>)"
    R"(<Override PartName="/word/comments.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.comments+xml"/>)"
    R"(</Types>)";

inline const char* kPackageRelationships =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

inline const char* kDocumentRelationships =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footnotes" Target="footnotes.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/comments" Target="comments.xml"/>)"
    R"(</Relationships>)";

inline const char* kFootnotes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:footnotes xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:footnote w:type="separator" w:id="-1"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>)"
    R"(<w:footnote w:type="continuationSeparator" w:id="0"><w:p><w:r><w:continuationSeparator/></w:r></w:p></w:footnote>)"
    R"(<w:footnote w:id="1"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t xml:space="preserve"> A footnote.</w:t></w:r></w:p></w:footnote>)"
    R"(</w:footnotes>)";

inline const char* kComments =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:comments xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:comment w:id="3" w:author="Ed" w:date="2026-01-01T00:00:00Z" w:initials="E"><w:p><w:r><w:t>A comment.</w:t></w:r></w:p></w:comment>)"
    R"(</w:comments>)";

// A package as Word lays it out, around `documentXml`.
inline std::string wordPackage(const std::string& documentXml) {
  return zipArchive({{"[Content_Types].xml", kContentTypes},
                     {"_rels/.rels", kPackageRelationships},
                     {"word/document.xml", documentXml},
                     {"word/_rels/document.xml.rels", kDocumentRelationships},
                     {"word/footnotes.xml", kFootnotes},
                     {"word/comments.xml", kComments}});
}

// Every entry of an archive, name and content, in the archive's order.
inline ZipParts zipEntries(const std::string& archive) {
  ZipParts parts;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  zip_error_fini(&error);
  if (!zip) {
    if (source) zip_source_free(source);
    return parts;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
    zip_stat_t status;
    zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &status);
    std::string content(status.size, '\0');
    zip_file_t* file = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
    if (file) {
      zip_fread(file, content.data(), content.size());
      zip_fclose(file);
    }
    parts.emplace_back(status.name, std::move(content));
  }
  zip_discard(zip);
  return parts;
}

inline std::string zipEntry(const std::string& archive, const std::string& name) {
  for (auto& [entry, content] : zipEntries(archive)) {
    if (entry == name) return content;
  }
  return {};
}

}  // namespace verbolt
