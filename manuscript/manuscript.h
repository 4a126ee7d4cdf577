// Reading a writer's file into the editor's text: plain text and Markdown
// in whatever encoding they came in, and the body text of OpenDocument and
// Word documents.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "manuscript/text_format.h"

namespace verbolt {

enum class ManuscriptKind { kPlainText, kMarkdown, kOdt, kDocx };

// By extension, whatever its case: .md, .odt, .docx; anything else is
// plain text.
ManuscriptKind manuscriptKindOf(std::string_view path);

struct Manuscript {
  // Every line end is one "\n"; every character of the file is kept,
  // those outside Windows-1252 included. Never holds a NUL character: the
  // editor would empty itself on one (see readManuscriptBytes).
  std::string utf8;
  ManuscriptKind kind = ManuscriptKind::kPlainText;
  // How to save it again; UTF-8 and "\n" for the documents.
  TextFormat format;
  // What saving it again in that format would change of a plain text or
  // Markdown file; nothing for the documents, which are never written over.
  RoundTripLoss loss;
};

struct ReadOutcome {
  std::optional<Manuscript> manuscript;
  std::string error;  // one English sentence when there is no manuscript
};

// Larger files are refused unread: the editor's positions are ints.
constexpr uint64_t kMaxManuscriptFileSize = 2147483647;
// An .odt or .docx whose document part unpacks to more is refused as a
// zip bomb, whatever sizes its archive declares.
constexpr uint64_t kMaxUnpackedSize = 256u << 20;

// How much text a reading takes. A document of a few hundred bytes may
// unpack to hundreds of megabytes: the command line takes a document's
// text up to 32 MB (seven times the longest book), and the window's editor,
// which slows to a crawl long before, takes 16 MB, 64 KB a line: GTK lays
// out a paragraph whole, and colouring a line of 1 MB takes many minutes.
struct ReadLimits {
  uint64_t maxText = kMaxUnpackedSize;
  uint64_t maxLine = kMaxUnpackedSize;
  bool forEditor = false;  // what the refusal says
};
constexpr ReadLimits kEditorLimits{16u << 20, 64u << 10, true};
constexpr ReadLimits kCheckedDocumentLimits{32u << 20, 32u << 20, false};

ReadOutcome readManuscript(const std::string& path, const ReadLimits& limits = {});

// The same, for the bytes of a file called `fileName`.
ReadOutcome readManuscriptBytes(std::string_view bytes, ManuscriptKind kind,
                                const std::string& fileName, const ReadLimits& limits = {});

}  // namespace verbolt
