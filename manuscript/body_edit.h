// One edit of a document's body, from the editor's text onto the paragraphs it
// touches: which pieces stay, where the typed text goes and with which
// formatting, and the XML of the paragraphs that come out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "manuscript/document_body.h"

namespace verbolt {

// The text from offset `from` of paragraph `firstParagraph` to offset `to`
// of paragraph `lastParagraph` (the "\n" between paragraphs included)
// replaced by `inserted`, whose "\n" start new paragraphs.
struct BodyEdit {
  size_t firstParagraph = 0;
  size_t from = 0;
  size_t lastParagraph = 0;
  size_t to = 0;
  std::string_view inserted;
  // The paragraphs that come out keep the last paragraph's start and
  // properties rather than the first's: for paragraphs deleted whole in
  // front of the one that stays.
  bool keepLastFrame = false;
};

struct BodyEditOutcome {
  // The XML that takes the place of the first paragraph (of the last with
  // keepLastFrame); the other paragraphs of the edit are removed.
  std::string xml;
  std::string refusal;  // why the edit cannot be written, for a sentence; empty when it can
};

BodyEditOutcome applyBodyEdit(std::string_view documentXml, const DocumentBody& body,
                              const BodyEdit& edit);

// A new paragraph showing `text` (no "\n"), with the paragraph properties
// of `like` (without its section break) and the formatting of its last run
// (its first with `firstRun`).
std::string newBodyParagraph(std::string_view documentXml, DocumentDialect dialect,
                             const BodyParagraph& like, bool firstRun, std::string_view text);

// What a guard means to the writer, for a sentence: "it touches a field".
std::string guardReason(EditGuard guard);

}  // namespace verbolt
