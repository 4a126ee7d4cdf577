#include "manuscript/zip_rewrite.h"

#include "manuscript/zip_library.h"
#include "manuscript/zip_splice.h"

namespace verbolt {

namespace {

ZipRewrite failure(std::string why) { return {std::nullopt, std::move(why)}; }

// The bytes a buffer source holds once an archive was written into it.
ZipRewrite bytesOf(const ZipLibrary& z, zip_source_t* source) {
  zip_stat_t status;
  z.statInit(&status);
  if (z.sourceStat(source, &status) != 0 || !(status.valid & ZIP_STAT_SIZE) ||
      z.sourceOpen(source) != 0) {
    return failure("the new archive cannot be read back");
  }
  std::string bytes(status.size, '\0');
  const zip_int64_t got = z.sourceRead(source, bytes.data(), status.size);
  z.sourceClose(source);
  if (got < 0 || static_cast<zip_uint64_t>(got) != status.size) {
    return failure("the new archive cannot be read back");
  }
  return {std::move(bytes), {}};
}

ZipRewrite rewrite(const ZipLibrary& z, zip_source_t* source, const std::string& partName,
                   std::string_view content) {
  zip_error_t error;
  z.errorInit(&error);
  zip_t* archive = z.openFromSource(source, ZIP_CHECKCONS, &error);
  if (!archive) {
    std::string why = std::string("the archive is damaged (") + z.errorString(&error) + ")";
    z.errorFini(&error);
    return failure(why);
  }
  z.errorFini(&error);
  // The archive frees the source when it is closed; it is kept to be read.
  z.sourceKeep(source);
  const zip_int64_t index = z.nameLocate(archive, partName.c_str(), 0);
  zip_source_t* part =
      index < 0 ? nullptr : z.sourceBuffer(archive, content.data(), content.size(), 0);
  if (index < 0 || !part ||
      z.fileReplace(archive, static_cast<zip_uint64_t>(index), part, 0) != 0) {
    std::string why =
        index < 0 ? "the archive holds no " + partName
                  : std::string("the part cannot be replaced (") + z.strerror(archive) + ")";
    if (part && index >= 0) z.sourceFree(part);
    z.discard(archive);
    return failure(why);
  }
  if (z.close(archive) != 0) {
    std::string why = std::string("the archive cannot be written (") + z.strerror(archive) + ")";
    z.discard(archive);
    return failure(why);
  }
  return bytesOf(z, source);
}

}  // namespace

ZipRewrite replaceZipPart(std::string_view archive, const std::string& partName,
                          std::string_view content) {
  if (std::optional<std::string> spliced = spliceZipPart(archive, partName, content)) {
    return {std::move(spliced), {}};
  }
  std::string problem;
  const ZipLibrary* z = zipLibrary(&problem);
  if (!z) return failure(problem);
  zip_error_t error;
  z->errorInit(&error);
  // The source writes the new archive into buffers of its own; the
  // original bytes are only read.
  zip_source_t* source = z->sourceBufferCreate(archive.data(), archive.size(), 0, &error);
  z->errorFini(&error);
  if (!source) return failure("the archive cannot be opened");
  ZipRewrite outcome = rewrite(*z, source, partName, content);
  z->sourceFree(source);
  return outcome;
}

}  // namespace verbolt
