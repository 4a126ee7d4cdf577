// Saving the editor's text back into the word-processor document it was
// opened from, keeping the document's formatting: the paragraphs the
// writer changed are rewritten, everything else is kept byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "manuscript/manuscript.h"

namespace verbolt {

struct DocumentSave {
  std::optional<std::string> bytes;  // the new file, to be written atomically
  std::string error;                 // one English sentence when there is none
};

// `originalPackage` (the bytes of the .docx or .odt the text was read from) with
// its body replaced by `editedUtf8`, the editor's text: one paragraph a
// line, "\t" a tab, as readManuscriptBytes gave it. Every part other than
// the body is copied unchanged, in the same order; an unchanged text gives
// the package back as it was. Reading the result gives `editedUtf8`.
//
// Refused, with nothing written: an edit that cannot be placed safely (in
// a tracked change, a field, a content control, a hyperlink or a text box;
// one that would empty a table cell, join two cells or move a section
// break), naming its line; a package that is not of its kind or whose body
// unpacks, or would grow, to more than kMaxUnpackedSize; a text a document
// cannot hold. Only Word documents (kDocx) and OpenDocument texts (kOdt)
// can be saved into.
DocumentSave saveIntoDocument(ManuscriptKind kind, std::string_view originalPackage,
                              std::string_view editedUtf8);

}  // namespace verbolt
