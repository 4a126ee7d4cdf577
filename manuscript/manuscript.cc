#include "manuscript/manuscript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "manuscript/document_text.h"
#include "manuscript/zip_part.h"

namespace verbolt {

namespace {

std::string lowercaseAscii(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; });
  return lowered;
}

std::string quoted(const std::string& fileName) { return "\u201C" + fileName + "\u201D"; }

ReadOutcome failure(std::string sentence) { return {std::nullopt, std::move(sentence)}; }

struct DocumentFormat {
  std::string_view what;  // "an OpenDocument text"
  std::string part;
  DocumentDialect dialect;
};

DocumentFormat documentFormatOf(ManuscriptKind kind) {
  if (kind == ManuscriptKind::kOdt) {
    return {"an OpenDocument text", "content.xml", DocumentDialect::kOpenDocument};
  }
  return {"a Word document", "word/document.xml", DocumentDialect::kWord};
}

// An .odt of another kind (a spreadsheet, a drawing) names itself in its
// "mimetype" part; an archive without one is given the benefit of the doubt.
bool isOtherOpenDocument(std::string_view bytes) {
  std::string mimetype;
  streamZipPart(bytes, "mimetype", 256, [&mimetype](std::string_view chunk) {
    mimetype += chunk;
    return true;
  });
  return !mimetype.empty() && !mimetype.starts_with("application/vnd.oasis.opendocument.text");
}

std::string sizeText(uint64_t bytes) {
  if (bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MB";
  if (bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KB";
  return std::to_string(bytes) + " bytes";
}

std::string textTooLarge(const std::string& name, const ReadLimits& limits) {
  const std::string beyond = limits.forEditor                    ? "more than the editor can show"
                             : limits.maxText < kMaxUnpackedSize ? "too much to check safely"
                                                                 : "too much to open safely";
  return quoted(name) + " holds a text of more than " + sizeText(limits.maxText) + ", " + beyond +
         ".";
}

std::string lineTooLong(const std::string& name, const ReadLimits& limits) {
  return quoted(name) + " holds a line of more than " + sizeText(limits.maxLine) + ", " +
         (limits.forEditor ? "more than the editor can show." : "too much to check safely.");
}

std::string zipProblemSentence(const ZipOutcome& outcome, const DocumentFormat& format,
                               const std::string& name, const DocumentTextParser& parser,
                               const ReadLimits& limits) {
  switch (outcome.problem) {
    case ZipProblem::kNoLibrary:
      return quoted(name) + " cannot be read: " + outcome.detail + ".";
    case ZipProblem::kNotAZip:
      return quoted(name) + " is not " + std::string(format.what) + ": it is not a zip archive.";
    case ZipProblem::kCorrupt:
      return quoted(name) + " is a damaged zip archive (" + outcome.detail + ").";
    case ZipProblem::kNoPart:
      return quoted(name) + " holds no " + format.part + ", so it is not " +
             std::string(format.what) + ".";
    case ZipProblem::kTooLarge:
      return quoted(name) + " would unpack to more than 256 MB, too much to open safely.";
    default:
      if (parser.lineTooLong()) return lineTooLong(name, limits);
      if (parser.tooLarge()) return textTooLarge(name, limits);
      return quoted(name) + " has a damaged " + format.part + " (" + parser.error() + ").";
  }
}

ReadOutcome readDocument(std::string_view bytes, ManuscriptKind kind, const std::string& name,
                         const ReadLimits& limits) {
  const DocumentFormat format = documentFormatOf(kind);
  DocumentTextParser parser(format.dialect, limits.maxText, limits.maxLine);
  ZipOutcome outcome =
      streamZipPart(bytes, format.part, kMaxUnpackedSize,
                    [&parser](std::string_view chunk) { return parser.feed(chunk); });
  if (outcome.problem == ZipProblem::kNone && !parser.finish()) {
    outcome.problem = ZipProblem::kRefusedBySink;
  }
  if (outcome.problem != ZipProblem::kNone) {
    return failure(zipProblemSentence(outcome, format, name, parser, limits));
  }
  if (kind == ManuscriptKind::kOdt && isOtherOpenDocument(bytes)) {
    return failure(quoted(name) + " is an OpenDocument file but not a text document.");
  }
  Manuscript manuscript;
  manuscript.utf8 = parser.takeText();
  manuscript.kind = kind;
  return {std::move(manuscript), {}};
}

size_t longestLine(std::string_view text) {
  size_t longest = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    longest = std::max(longest, end - start);
    start = end + 1;
  }
  return longest;
}

ReadOutcome readPlainText(std::string_view bytes, ManuscriptKind kind, const std::string& name,
                          const ReadLimits& limits) {
  // Decoding never halves a text (UTF-16 is the most it shrinks by), so a
  // file twice the bound is refused before it is decoded.
  if (bytes.size() / 2 > limits.maxText) return failure(textTooLarge(name, limits));
  DecodedText decoded = decodeText(bytes);
  if (decoded.utf8.size() > limits.maxText) return failure(textTooLarge(name, limits));
  if (longestLine(decoded.utf8) > limits.maxLine) return failure(lineTooLong(name, limits));
  if (looksBinary(decoded.utf8)) {
    return failure(quoted(name) + " is not a text file: it holds binary data.");
  }
  const RoundTripLoss loss = roundTripLoss(bytes, decoded);
  return {Manuscript{std::move(decoded.utf8), kind, decoded.format, loss}, {}};
}

// The editor takes U+0000 as the end of its text and drops the rest. A
// plain text with one is refused as binary and XML cannot carry one, so
// this is the last guard: each NUL that got through shows as U+FFFD.
void replaceNuls(std::string& utf8) {
  if (utf8.find('\0') == std::string::npos) return;
  std::string out;
  out.reserve(utf8.size() + 16);
  for (char c : utf8) {
    if (c == '\0') {
      out += "\uFFFD";
    } else {
      out += c;
    }
  }
  utf8 = std::move(out);
}

std::string errnoText() { return std::strerror(errno); }

// The whole file, or the sentence that says why not.
bool readWholeFile(const std::string& path, const std::string& name, std::string& bytes,
                   std::string& error) {
  // O_NONBLOCK: a pipe named like a manuscript never holds the open; it
  // is then refused as no regular file.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    error = "Cannot open " + quoted(name) + ": " + errnoText() + ".";
    return false;
  }
  struct stat info;
  bool ok = fstat(fd, &info) == 0;
  if (!ok) {
    error = "Cannot read " + quoted(name) + ": " + errnoText() + ".";
  } else if (S_ISDIR(info.st_mode)) {
    error = quoted(name) + " is a folder, not a file.";
  } else if (!S_ISREG(info.st_mode)) {
    error = quoted(name) + " is not a regular file.";
  } else if (static_cast<uint64_t>(info.st_size) > kMaxManuscriptFileSize) {
    error = quoted(name) + " is larger than 2 GB, too large to open.";
  }
  ok = ok && error.empty();
  if (ok) {
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (ok && done < bytes.size()) {
      const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) error = "Cannot read " + quoted(name) + ": " + errnoText() + ".";
      ok = got > 0;
      if (ok) done += static_cast<size_t>(got);
    }
    // A file that shrank while it was read is taken as far as it went.
    bytes.resize(done);
    ok = error.empty();
  }
  close(fd);
  return ok;
}

}  // namespace

ManuscriptKind manuscriptKindOf(std::string_view path) {
  const std::string extension = lowercaseAscii(std::filesystem::path(path).extension().string());
  if (extension == ".md") return ManuscriptKind::kMarkdown;
  if (extension == ".odt") return ManuscriptKind::kOdt;
  if (extension == ".docx") return ManuscriptKind::kDocx;
  return ManuscriptKind::kPlainText;
}

ReadOutcome readManuscriptBytes(std::string_view bytes, ManuscriptKind kind,
                                const std::string& fileName, const ReadLimits& limits) {
  const bool document = kind == ManuscriptKind::kOdt || kind == ManuscriptKind::kDocx;
  ReadOutcome outcome = document ? readDocument(bytes, kind, fileName, limits)
                                 : readPlainText(bytes, kind, fileName, limits);
  if (outcome.manuscript) replaceNuls(outcome.manuscript->utf8);
  return outcome;
}

ReadOutcome readManuscript(const std::string& path, const ReadLimits& limits) {
  // "notes/" names its folder by its whole path.
  std::string name = std::filesystem::path(path).filename().string();
  if (name.empty()) name = path;
  std::string bytes;
  std::string error;
  if (!readWholeFile(path, name, bytes, error)) return failure(error);
  return readManuscriptBytes(bytes, manuscriptKindOf(path), name, limits);
}

}  // namespace verbolt
