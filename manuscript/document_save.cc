#include "manuscript/document_save.h"

#include "manuscript/body_save.h"
#include "manuscript/zip_part.h"
#include "manuscript/zip_rewrite.h"

namespace verbolt {

namespace {

// Where a kind of document keeps its body, and what it is called.
struct BodyPart {
  const char* name;
  const char* documentKind;
  DocumentDialect dialect;
};

constexpr BodyPart kWordBody{"word/document.xml", "a Word document", DocumentDialect::kWord};
constexpr BodyPart kOpenDocumentBody{"content.xml", "an OpenDocument text",
                                     DocumentDialect::kOpenDocument};

DocumentSave failure(std::string sentence) { return {std::nullopt, std::move(sentence)}; }

std::string unpackProblem(const ZipOutcome& outcome, const BodyPart& part) {
  switch (outcome.problem) {
    case ZipProblem::kNoLibrary:
      return "The document cannot be saved: " + outcome.detail + ".";
    case ZipProblem::kNotAZip:
      return "The document cannot be saved into: it is not a zip archive.";
    case ZipProblem::kCorrupt:
      return "The document cannot be saved into: it is a damaged zip archive (" + outcome.detail +
             ").";
    case ZipProblem::kNoPart:
      return std::string("The document cannot be saved into: it holds no ") + part.name +
             ", so it is not " + part.documentKind + ".";
    default:
      return std::string("The document cannot be saved into: its ") + part.name +
             " would unpack to more than 256 MB, too much to rewrite safely.";
  }
}

DocumentSave saveIntoPackage(const BodyPart& part, std::string_view package,
                             std::string_view edited) {
  std::string xml;
  const ZipOutcome unpacked =
      streamZipPart(package, part.name, kMaxUnpackedSize, [&xml](std::string_view chunk) {
        xml += chunk;
        return true;
      });
  if (unpacked.problem != ZipProblem::kNone) return failure(unpackProblem(unpacked, part));
  BodyXmlSave saved = saveIntoBodyXml(part.dialect, xml, edited);
  if (!saved.xml) return failure(std::move(saved.error));
  if (*saved.xml == xml) return {std::string(package), {}};
  if (saved.xml->size() > kMaxUnpackedSize) {
    return failure(std::string("The document cannot be saved into: its ") + part.name +
                   " would grow past 256 MB, more than it could be opened with again.");
  }
  ZipRewrite rewritten = replaceZipPart(package, part.name, *saved.xml);
  if (!rewritten.bytes) {
    return failure("The document cannot be saved into: " + rewritten.error + ".");
  }
  return {std::move(rewritten.bytes), {}};
}

}  // namespace

DocumentSave saveIntoDocument(ManuscriptKind kind, std::string_view originalPackage,
                              std::string_view editedUtf8) {
  if (kind == ManuscriptKind::kDocx) return saveIntoPackage(kWordBody, originalPackage, editedUtf8);
  if (kind == ManuscriptKind::kOdt) {
    return saveIntoPackage(kOpenDocumentBody, originalPackage, editedUtf8);
  }
  return failure("Only Word documents and OpenDocument texts can be saved into.");
}

}  // namespace verbolt
