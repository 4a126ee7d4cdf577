#include "manuscript/document_save.h"

#include "manuscript/docx_save.h"
#include "manuscript/zip_part.h"
#include "manuscript/zip_rewrite.h"

namespace verbolt {

namespace {

constexpr const char* kWordBody = "word/document.xml";

DocumentSave failure(std::string sentence) { return {std::nullopt, std::move(sentence)}; }

std::string unpackProblem(const ZipOutcome& outcome) {
  switch (outcome.problem) {
    case ZipProblem::kNoLibrary:
      return "The document cannot be saved: " + outcome.detail + ".";
    case ZipProblem::kNotAZip:
      return "The document cannot be saved into: it is not a zip archive.";
    case ZipProblem::kCorrupt:
      return "The document cannot be saved into: it is a damaged zip archive (" + outcome.detail +
             ").";
    case ZipProblem::kNoPart:
      return "The document cannot be saved into: it holds no word/document.xml, so it is not a "
             "Word document.";
    default:
      return "The document cannot be saved into: its word/document.xml would unpack to more than "
             "256 MB, too much to rewrite safely.";
  }
}

DocumentSave saveIntoDocx(std::string_view package, std::string_view edited) {
  std::string xml;
  const ZipOutcome unpacked =
      streamZipPart(package, kWordBody, kMaxUnpackedSize, [&xml](std::string_view chunk) {
        xml += chunk;
        return true;
      });
  if (unpacked.problem != ZipProblem::kNone) return failure(unpackProblem(unpacked));
  DocxXmlSave saved = saveIntoDocxXml(xml, edited);
  if (!saved.xml) return failure(std::move(saved.error));
  if (*saved.xml == xml) return {std::string(package), {}};
  if (saved.xml->size() > kMaxUnpackedSize) {
    return failure(
        "The document cannot be saved into: its word/document.xml would grow past "
        "256 MB, more than it could be opened with again.");
  }
  ZipRewrite rewritten = replaceZipPart(package, kWordBody, *saved.xml);
  if (!rewritten.bytes) {
    return failure("The document cannot be saved into: " + rewritten.error + ".");
  }
  return {std::move(rewritten.bytes), {}};
}

}  // namespace

DocumentSave saveIntoDocument(ManuscriptKind kind, std::string_view originalPackage,
                              std::string_view editedUtf8) {
  if (kind == ManuscriptKind::kDocx) return saveIntoDocx(originalPackage, editedUtf8);
  return failure("Only Word documents can be saved into with their formatting so far.");
}

}  // namespace verbolt
