// The editor's text written back into a document's body (word/document.xml
// or content.xml): the paragraphs whose lines changed are rewritten from
// their runs, keeping their formatting; every other byte of the part stays
// as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "manuscript/document_text.h"

namespace verbolt {

struct BodyXmlSave {
  std::optional<std::string> xml;  // the new body part
  std::string error;               // one English sentence when there is none
};

// `documentXml` rewritten so that the text reader gives `editedUtf8`.
// Changed lines are found by a line diff, then within each changed
// paragraph by its common beginning and end:
//   - text typed inside a run takes that run's formatting, typed between
//     runs the formatting of the run before it;
//   - deleted text leaves no empty run, and bookmarks, comment ranges and
//     note references in it stay where they were;
//   - a new line splits a paragraph, the new one with the same paragraph
//     properties; joined lines join paragraphs, keeping the first one's;
//   - a new line between paragraphs takes the properties of the one
//     before it.
// An edit that touches a tracked change, a field, a content control, a
// hyperlink, a text box, would empty a table cell, join two cells or move
// a section break is refused, naming its line; so is a text a document
// cannot hold (invalid UTF-8, control characters).
BodyXmlSave saveIntoBodyXml(DocumentDialect dialect, std::string_view bodyXml,
                            std::string_view editedUtf8);

}  // namespace verbolt
