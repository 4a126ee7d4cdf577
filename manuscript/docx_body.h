// The body of a Word document as both the editor and word/document.xml see
// it: the paragraphs that become the editor's lines, each with the bytes it
// occupies in the XML, its runs and what each piece of it shows. Saving
// edits back rewrites only the paragraphs that changed, from these pieces,
// and copies everything else byte for byte.
//
// A paragraph's text is exactly what the text reader (document_text.h)
// gives for it, so the reader's text is the paragraphs' texts joined by
// "\n". A paragraph's text holds "\n" of its own for a line break (w:br)
// and for the paragraphs of a text box inside it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace verbolt {

struct ByteRange {
  size_t begin = 0;
  size_t end = 0;
  bool empty() const { return begin == end; }
  std::string_view of(std::string_view xml) const { return xml.substr(begin, end - begin); }
};

// Why a piece or a paragraph cannot be rewritten: the text the editor shows
// there belongs to a structure its plain text cannot carry.
enum class DocxGuard {
  kNone,
  kTrackedChange,   // w:ins, w:del, w:moveFrom, w:moveTo, a tracked paragraph mark
  kField,           // between w:fldChar begin and end, or a w:fldSimple
  kContentControl,  // w:sdt
  kTextBox,         // a paragraph holding the paragraphs of a text box
  kHyperlink,       // w:hyperlink
  kOtherMarkup,     // w:smartTag, w:customXml and other wrappers of runs
};

enum class DocxPieceKind {
  kText,      // the characters of one w:t
  kSymbol,    // one w:tab, w:br, w:cr, w:noBreakHyphen or w:softHyphen
  kRunExtra,  // anything else inside a run, shown as nothing
  kAnchor,    // an element between runs shown as nothing: a bookmark, a comment range...
  kSealed,    // an element between runs that wraps runs of its own (w:ins, w:hyperlink...)
};

struct DocxPiece {
  DocxPieceKind kind = DocxPieceKind::kText;
  // What it shows, as a range of its paragraph's text; empty for the
  // pieces shown as nothing.
  size_t textBegin = 0;
  size_t textEnd = 0;
  ByteRange xml;  // the whole element
  int run = -1;   // its run in the paragraph, for kText, kSymbol and kRunExtra
  DocxGuard guard = DocxGuard::kNone;
  int group = -1;  // guarded pieces of one field or one wrapper share it
};

struct DocxRun {
  ByteRange xml;
  ByteRange properties;  // w:rPr, empty when it has none
  // Its pieces, which lie together in the paragraph's.
  size_t firstPiece = 0;
  size_t pieceCount = 0;
};

struct DocxParagraph {
  ByteRange xml;
  ByteRange startTag;
  ByteRange properties;         // w:pPr, empty when it has none
  ByteRange sectionProperties;  // a w:sectPr inside w:pPr: the paragraph ends a section
  std::string text;             // as the reader shows it
  std::vector<DocxRun> runs;
  std::vector<DocxPiece> pieces;           // in document order
  DocxGuard guard = DocxGuard::kNone;      // no edit may touch it at all
  DocxGuard markGuard = DocxGuard::kNone;  // its end may not be removed or moved
  int container = -1;                      // the element holding it, numbered in document order
  bool inTableCell = false;
};

struct DocxBody {
  std::vector<DocxParagraph> paragraphs;
  std::string error;  // why the XML was refused, with its line; empty when it was read
};

// The body of `documentXml`, the whole of word/document.xml. Malformed XML
// and a document type declaration are refused, as the reader refuses them.
DocxBody parseDocxBody(std::string_view documentXml);

// The paragraphs' texts joined by "\n": the reader's text of the document.
std::string docxBodyText(const DocxBody& body);

}  // namespace verbolt
