#include "manuscript/zip_splice.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "manuscript/zip_write.h"

namespace verbolt {

namespace {

constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kEndOfDirectory = 0x06054b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr uint16_t kEncrypted = 0x0001;
constexpr uint16_t kDataDescriptor = 0x0008;
constexpr uint16_t kDeflated = 8;
// A save runs while the writer waits: the fastest level costs about an
// eighth more bytes than the default and half the time (bench/
// document_save_bench.cc).
constexpr int kLevel = Z_BEST_SPEED;

uint32_t read16(std::string_view bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

uint32_t read32(std::string_view bytes, size_t at) {
  return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

void write16(std::string& bytes, size_t at, uint32_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void write32(std::string& bytes, size_t at, uint32_t value) {
  write16(bytes, at, value & 0xFFFF);
  write16(bytes, at + 2, value >> 16);
}

struct Entry {
  size_t central = 0;  // its central directory record
  size_t centralSize = 0;
  size_t local = 0;  // its local header, data and descriptor
  size_t localEnd = 0;
  std::string_view name;
};

struct Layout {
  std::vector<Entry> entries;  // in central directory order
  size_t directory = 0;
  size_t end = 0;  // the end of central directory record
};

std::optional<size_t> endRecord(std::string_view archive) {
  if (archive.size() < kEndSize) return std::nullopt;
  const size_t lowest = archive.size() > kEndSize + 0xFFFF ? archive.size() - kEndSize - 0xFFFF : 0;
  for (size_t at = archive.size() - kEndSize + 1; at-- > lowest;) {
    if (read32(archive, at) == kEndOfDirectory &&
        at + kEndSize + read16(archive, at + 20) == archive.size()) {
      return at;
    }
  }
  return std::nullopt;
}

// Where everything lies, checked against the archive's size; nothing for
// a layout this does not write.
std::optional<Layout> layoutOf(std::string_view archive) {
  const std::optional<size_t> end = endRecord(archive);
  if (!end) return std::nullopt;
  Layout layout;
  layout.end = *end;
  const uint32_t count = read16(archive, *end + 10);
  const uint32_t size = read32(archive, *end + 12);
  layout.directory = read32(archive, *end + 16);
  if (read16(archive, *end + 4) != 0 || read16(archive, *end + 6) != 0 ||
      read16(archive, *end + 8) != count || count == 0xFFFF || layout.directory + size != *end) {
    return std::nullopt;
  }
  size_t at = layout.directory;
  for (uint32_t i = 0; i < count; ++i) {
    if (at + kCentralSize > *end || read32(archive, at) != kCentralHeader) return std::nullopt;
    Entry entry;
    entry.central = at;
    const size_t nameSize = read16(archive, at + 28);
    entry.centralSize =
        kCentralSize + nameSize + read16(archive, at + 30) + read16(archive, at + 32);
    entry.local = read32(archive, at + 42);
    entry.name = archive.substr(at + kCentralSize, nameSize);
    if (at + entry.centralSize > *end || (read16(archive, at + 8) & kEncrypted) ||
        read32(archive, at + 20) == 0xFFFFFFFF || read32(archive, at + 24) == 0xFFFFFFFF ||
        entry.local + kLocalSize > layout.directory ||
        read32(archive, entry.local) != kLocalHeader) {
      return std::nullopt;
    }
    layout.entries.push_back(entry);
    at += entry.centralSize;
  }
  if (at != *end) return std::nullopt;
  return layout;
}

// Each local record runs to the next one, or to the central directory.
bool measureLocalRecords(Layout& layout) {
  std::vector<size_t> starts;
  for (const Entry& entry : layout.entries) starts.push_back(entry.local);
  std::sort(starts.begin(), starts.end());
  if (std::adjacent_find(starts.begin(), starts.end()) != starts.end()) return false;
  for (Entry& entry : layout.entries) {
    const auto next = std::upper_bound(starts.begin(), starts.end(), entry.local);
    entry.localEnd = next == starts.end() ? layout.directory : *next;
  }
  return true;
}

// The local header and data of the new content, from the old local header.
std::string newLocalRecord(std::string_view archive, const Entry& entry, std::string_view content,
                           const std::string& data, uint32_t crc) {
  std::string record(archive.substr(entry.local, kLocalSize));
  write16(record, 4, std::max<uint32_t>(read16(record, 4), 20));
  write16(record, 6, read16(record, 6) & ~kDataDescriptor);
  write16(record, 8, kDeflated);
  write32(record, 14, crc);
  write32(record, 18, static_cast<uint32_t>(data.size()));
  write32(record, 22, static_cast<uint32_t>(content.size()));
  write16(record, 26, static_cast<uint32_t>(entry.name.size()));
  write16(record, 28, 0);
  record += entry.name;
  return record + data;
}

}  // namespace

std::optional<std::string> spliceZipPart(std::string_view archive, const std::string& partName,
                                         std::string_view content) {
  if (archive.size() > 0xFFFFFFFFu || content.size() > 0xFFFFFFFFu) return std::nullopt;
  std::optional<Layout> layout = layoutOf(archive);
  if (!layout || !measureLocalRecords(*layout)) return std::nullopt;
  const auto part =
      std::find_if(layout->entries.begin(), layout->entries.end(),
                   [&partName](const Entry& entry) { return entry.name == partName; });
  if (part == layout->entries.end()) return std::nullopt;
  const std::optional<std::string> data = deflateRaw(content, kLevel);
  if (!data) return std::nullopt;
  const uint32_t crc = static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));

  // The local records in the order they lie in, then the directory.
  std::vector<const Entry*> byPlace;
  for (const Entry& entry : layout->entries) byPlace.push_back(&entry);
  std::sort(byPlace.begin(), byPlace.end(),
            [](const Entry* a, const Entry* b) { return a->local < b->local; });
  std::string out(archive.substr(0, byPlace.front()->local));
  std::vector<size_t> newLocal(layout->entries.size());
  for (const Entry* entry : byPlace) {
    newLocal[entry - layout->entries.data()] = out.size();
    if (entry == &*part) {
      out += newLocalRecord(archive, *entry, content, *data, crc);
    } else {
      out += archive.substr(entry->local, entry->localEnd - entry->local);
    }
  }
  const size_t directory = out.size();
  for (size_t i = 0; i < layout->entries.size(); ++i) {
    const Entry& entry = layout->entries[i];
    const size_t at = out.size();
    out += archive.substr(entry.central, entry.centralSize);
    write32(out, at + 42, static_cast<uint32_t>(newLocal[i]));
    if (&entry != &*part) continue;
    write16(out, at + 6, std::max<uint32_t>(read16(out, at + 6), 20));
    write16(out, at + 8, read16(out, at + 8) & ~kDataDescriptor);
    write16(out, at + 10, kDeflated);
    write32(out, at + 16, crc);
    write32(out, at + 20, static_cast<uint32_t>(data->size()));
    write32(out, at + 24, static_cast<uint32_t>(content.size()));
  }
  const size_t end = out.size();
  if (end > 0xFFFFFFFFu) return std::nullopt;
  out += archive.substr(layout->end);
  write32(out, end + 12, static_cast<uint32_t>(end - directory));
  write32(out, end + 16, static_cast<uint32_t>(directory));
  return out;
}

}  // namespace verbolt
