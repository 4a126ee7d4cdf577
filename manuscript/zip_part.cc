#include "manuscript/zip_part.h"

#include <zip.h>

#include <memory>

namespace {

// A zip starts with a local file header, or is an empty archive.
bool startsLikeZip(std::string_view bytes) {
  return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
         bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using PartFile = std::unique_ptr<zip_file_t, FileCloser>;

ZipOutcome corrupt(std::string detail) { return {ZipProblem::kCorrupt, std::move(detail)}; }

Archive openArchive(std::string_view bytes, ZipOutcome& outcome) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = nullptr;
  if (source) {
    archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) zip_source_free(source);
  }
  if (!archive) outcome = corrupt(zip_error_strerror(&error));
  zip_error_fini(&error);
  return Archive(archive);
}

ZipOutcome inflate(zip_file_t* file, uint64_t maxSize, const ZipChunkSink& sink) {
  constexpr size_t kChunk = 64 * 1024;
  std::string chunk(kChunk, '\0');
  uint64_t total = 0;
  while (true) {
    const zip_int64_t got = zip_fread(file, chunk.data(), kChunk);
    if (got < 0) return corrupt(zip_error_strerror(zip_file_get_error(file)));
    if (got == 0) return {};
    total += static_cast<uint64_t>(got);
    if (total > maxSize) return {ZipProblem::kTooLarge, {}};
    if (!sink(std::string_view(chunk.data(), static_cast<size_t>(got)))) {
      return {ZipProblem::kRefusedBySink, {}};
    }
  }
}

}  // namespace

ZipOutcome streamZipPart(std::string_view archiveBytes, const std::string& partName,
                         uint64_t maxSize, const ZipChunkSink& sink) {
  if (!startsLikeZip(archiveBytes)) return {ZipProblem::kNotAZip, {}};
  ZipOutcome outcome;
  Archive archive = openArchive(archiveBytes, outcome);
  if (!archive) return outcome;

  const zip_int64_t index = zip_name_locate(archive.get(), partName.c_str(), 0);
  if (index < 0) return {ZipProblem::kNoPart, {}};
  zip_stat_t status;
  zip_stat_init(&status);
  if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &status) != 0) {
    return corrupt(zip_strerror(archive.get()));
  }
  if ((status.valid & ZIP_STAT_SIZE) && status.size > maxSize) return {ZipProblem::kTooLarge, {}};

  PartFile file(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
  if (!file) return corrupt(zip_strerror(archive.get()));
  return inflate(file.get(), maxSize, sink);
}
