// The body of a word-processor document as both the editor and its XML
// see it: the paragraphs that become the editor's lines, each with the
// bytes it occupies in the XML, its runs and what each piece of it shows.
// Saving edits back rewrites only the paragraphs that changed, from these
// pieces, and copies everything else byte for byte.
//
// A paragraph's text is exactly what the text reader (document_text.h)
// gives for it, so the reader's text is the paragraphs' texts joined by
// "\n". A paragraph's text holds "\n" of its own for a line break and for
// the paragraphs of a text box inside it.
//
// Word's runs are w:r elements, their properties the w:rPr. OpenDocument's
// runs are text:span elements, their properties the span's start tag, and
// the stretches of text straight inside a paragraph, with no properties.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "manuscript/document_text.h"

namespace verbolt {

struct ByteRange {
  size_t begin = 0;
  size_t end = 0;
  bool empty() const { return begin == end; }
  std::string_view of(std::string_view xml) const { return xml.substr(begin, end - begin); }
};

// Why a piece or a paragraph cannot be rewritten: the text the editor shows
// there belongs to a structure its plain text cannot carry.
enum class EditGuard {
  kNone,
  kTrackedChange,   // w:ins, w:del, w:moveFrom, w:moveTo, text:change-start...end
  kField,           // between w:fldChar begin and end, w:fldSimple, text:date...
  kContentControl,  // w:sdt
  kTextBox,         // a paragraph holding the paragraphs of a text box
  kHyperlink,       // w:hyperlink, text:a
  kOtherMarkup,     // w:smartTag, w:customXml and other wrappers of runs
};

enum class PieceKind {
  kText,      // the characters of one w:t, or character data and text:s
  kSymbol,    // one w:tab, w:br, w:cr, w:noBreakHyphen, w:softHyphen, text:tab...
  kRunExtra,  // anything else inside a run, shown as nothing
  kAnchor,    // an element between runs shown as nothing: a bookmark, a comment range...
  kSealed,    // an element between runs that wraps runs of its own (w:ins, w:hyperlink...)
};

struct BodyPiece {
  PieceKind kind = PieceKind::kText;
  // What it shows, as a range of its paragraph's text; empty for the
  // pieces shown as nothing.
  size_t textBegin = 0;
  size_t textEnd = 0;
  ByteRange xml;  // the whole element
  int run = -1;   // its run in the paragraph, for kText, kSymbol and kRunExtra
  EditGuard guard = EditGuard::kNone;
  int group = -1;  // guarded pieces of one field or one wrapper share it
};

struct BodyRun {
  ByteRange xml;
  ByteRange properties;  // w:rPr or the span's start tag, empty when it has none
  // Its pieces, which lie together in the paragraph's.
  size_t firstPiece = 0;
  size_t pieceCount = 0;
};

struct BodyParagraph {
  ByteRange xml;
  ByteRange removal;  // what goes when it is deleted whole: itself, or the list item it fills
  ByteRange startTag;
  ByteRange properties;         // w:pPr, empty when it has none (always in OpenDocument)
  ByteRange sectionProperties;  // a w:sectPr inside w:pPr: the paragraph ends a section
  std::string text;             // as the reader shows it
  std::vector<BodyRun> runs;
  std::vector<BodyPiece> pieces;           // in document order
  EditGuard guard = EditGuard::kNone;      // no edit may touch it at all
  EditGuard markGuard = EditGuard::kNone;  // its end may not be removed or moved
  int container = -1;                      // the element holding it, numbered in document order
  bool inTableCell = false;
};

struct DocumentBody {
  DocumentDialect dialect = DocumentDialect::kWord;
  std::vector<BodyParagraph> paragraphs;
  std::string error;  // why the XML was refused, with its line; empty when it was read
};

// The paragraphs' texts joined by "\n": the reader's text of the document.
std::string bodyText(const DocumentBody& body);

}  // namespace verbolt
