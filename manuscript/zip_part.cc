#include "manuscript/zip_part.h"

#include <memory>

#include "manuscript/zip_library.h"

namespace verbolt {

namespace {

// A zip starts with a local file header, or is an empty archive.
bool startsLikeZip(std::string_view bytes) {
  return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
         bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

ZipOutcome corrupt(std::string detail) { return {ZipProblem::kCorrupt, std::move(detail)}; }

// One archive opened from memory, and the part being read from it.
class OpenArchive {
 public:
  OpenArchive(const ZipLibrary& z, std::string_view bytes, ZipOutcome& outcome) : m_z(z) {
    zip_error_t error;
    z.errorInit(&error);
    zip_source_t* source = z.sourceBufferCreate(bytes.data(), bytes.size(), 0, &error);
    if (source) {
      m_archive = z.openFromSource(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
      if (!m_archive) z.sourceFree(source);
    }
    if (!m_archive) outcome = corrupt(z.errorString(&error));
    z.errorFini(&error);
  }
  ~OpenArchive() {
    if (m_file) m_z.fclose(m_file);
    if (m_archive) m_z.discard(m_archive);
  }
  OpenArchive(const OpenArchive&) = delete;
  OpenArchive& operator=(const OpenArchive&) = delete;

  bool isOpen() const { return m_archive != nullptr; }

  ZipOutcome stream(const std::string& partName, uint64_t maxSize, const ZipChunkSink& sink) {
    const zip_int64_t index = m_z.nameLocate(m_archive, partName.c_str(), 0);
    if (index < 0) return {ZipProblem::kNoPart, {}};
    zip_stat_t status;
    m_z.statInit(&status);
    if (m_z.statIndex(m_archive, static_cast<zip_uint64_t>(index), 0, &status) != 0) {
      return corrupt(m_z.strerror(m_archive));
    }
    if ((status.valid & ZIP_STAT_SIZE) && status.size > maxSize) {
      return {ZipProblem::kTooLarge, {}};
    }
    m_file = m_z.fopenIndex(m_archive, static_cast<zip_uint64_t>(index), 0);
    if (!m_file) return corrupt(m_z.strerror(m_archive));
    return inflate(maxSize, sink);
  }

 private:
  ZipOutcome inflate(uint64_t maxSize, const ZipChunkSink& sink) {
    constexpr size_t kChunk = 64 * 1024;
    std::string chunk(kChunk, '\0');
    uint64_t total = 0;
    while (true) {
      const zip_int64_t got = m_z.fread(m_file, chunk.data(), kChunk);
      if (got < 0) return corrupt(m_z.errorString(m_z.fileError(m_file)));
      if (got == 0) return {};
      total += static_cast<uint64_t>(got);
      if (total > maxSize) return {ZipProblem::kTooLarge, {}};
      if (!sink(std::string_view(chunk.data(), static_cast<size_t>(got)))) {
        return {ZipProblem::kRefusedBySink, {}};
      }
    }
  }

  const ZipLibrary& m_z;
  zip_t* m_archive = nullptr;
  zip_file_t* m_file = nullptr;
};

}  // namespace

ZipOutcome streamZipPart(std::string_view archiveBytes, const std::string& partName,
                         uint64_t maxSize, const ZipChunkSink& sink) {
  if (!startsLikeZip(archiveBytes)) return {ZipProblem::kNotAZip, {}};
  std::string problem;
  const ZipLibrary* z = zipLibrary(&problem);
  if (!z) return {ZipProblem::kNoLibrary, problem};
  ZipOutcome outcome;
  OpenArchive archive(*z, archiveBytes, outcome);
  if (!archive.isOpen()) return outcome;
  return archive.stream(partName, maxSize, sink);
}

}  // namespace verbolt
