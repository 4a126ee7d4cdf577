// A new zip archive made in memory from named parts: the packages the
// exports write (a .docx is a zip), and the deflated data the splice of a
// saved document puts in.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace verbolt {

// Raw deflate data (no zlib header or trailer), as a zip entry holds it;
// nothing when zlib fails. `level` is zlib's, from Z_BEST_SPEED to
// Z_BEST_COMPRESSION.
std::optional<std::string> deflateRaw(std::string_view content, int level);

struct ZipEntry {
  std::string name;  // ASCII, "/" between folders
  std::string_view content;
};

// The archive holding `entries` deflated, in that order. Every entry is
// dated 1980-01-01 00:00 and carries no extra field, so that the same
// entries always give the same bytes. Nothing when an entry or the archive
// would need Zip64 (over 4 GB, over 65,535 entries).
std::optional<std::string> zipArchiveOf(std::span<const ZipEntry> entries);

}  // namespace verbolt
