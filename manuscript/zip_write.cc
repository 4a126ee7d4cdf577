#include "manuscript/zip_write.h"

#include <zlib.h>

#include <cstdint>
#include <vector>

namespace verbolt {

namespace {

constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kEndOfDirectory = 0x06054b50;
constexpr uint16_t kVersion = 20;  // 2.0: deflate
constexpr uint16_t kDeflated = 8;
// MS-DOS time 00:00:00 and date 1980-01-01, the earliest a zip can hold.
constexpr uint16_t kTime = 0;
constexpr uint16_t kDate = (0 << 9) | (1 << 5) | 1;
constexpr uint64_t kMaxSize = 0xFFFFFFFFu;
constexpr size_t kMaxEntries = 0xFFFF;

void put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

struct Written {
  uint32_t crc;
  uint32_t compressedSize;
  uint32_t size;
  uint32_t localOffset;
};

// The fields a local header and its central record share, from the
// version needed to the name's length.
void putCommonFields(std::string& out, const ZipEntry& entry, const Written& written) {
  put16(out, kVersion);
  put16(out, 0);  // no flags: sizes known up front, no encryption
  put16(out, kDeflated);
  put16(out, kTime);
  put16(out, kDate);
  put32(out, written.crc);
  put32(out, written.compressedSize);
  put32(out, written.size);
  put16(out, static_cast<uint32_t>(entry.name.size()));
  put16(out, 0);  // no extra field
}

void putCentralRecord(std::string& out, const ZipEntry& entry, const Written& written) {
  put32(out, kCentralHeader);
  put16(out, kVersion);  // made by: MS-DOS attributes, version 2.0
  putCommonFields(out, entry, written);
  put16(out, 0);  // no comment
  put16(out, 0);  // disk 0
  put16(out, 0);  // internal attributes
  put32(out, 0);  // external attributes
  put32(out, written.localOffset);
  out += entry.name;
}

}  // namespace

std::optional<std::string> deflateRaw(std::string_view content, int level) {
  if (content.size() > kMaxSize) return std::nullopt;
  z_stream stream{};
  if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return std::nullopt;
  }
  std::string out(deflateBound(&stream, content.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  return out;
}

std::optional<std::string> zipArchiveOf(std::span<const ZipEntry> entries) {
  if (entries.size() > kMaxEntries) return std::nullopt;
  std::string out;
  std::vector<Written> written;
  for (const ZipEntry& entry : entries) {
    const std::optional<std::string> data = deflateRaw(entry.content, Z_DEFAULT_COMPRESSION);
    if (!data || entry.name.size() > 0xFFFF || out.size() > kMaxSize) return std::nullopt;
    const uint32_t crc =
        static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.content.data()),
                                    static_cast<uInt>(entry.content.size())));
    written.push_back({crc, static_cast<uint32_t>(data->size()),
                       static_cast<uint32_t>(entry.content.size()),
                       static_cast<uint32_t>(out.size())});
    put32(out, kLocalHeader);
    putCommonFields(out, entry, written.back());
    out += entry.name;
    out += *data;
  }
  const size_t directory = out.size();
  for (size_t i = 0; i < entries.size(); ++i) putCentralRecord(out, entries[i], written[i]);
  const size_t directorySize = out.size() - directory;
  if (out.size() > kMaxSize) return std::nullopt;
  put32(out, kEndOfDirectory);
  put16(out, 0);  // this disk
  put16(out, 0);  // the directory's disk
  put16(out, static_cast<uint32_t>(entries.size()));
  put16(out, static_cast<uint32_t>(entries.size()));
  put32(out, static_cast<uint32_t>(directorySize));
  put32(out, static_cast<uint32_t>(directory));
  put16(out, 0);  // no comment
  return out;
}

}  // namespace verbolt
