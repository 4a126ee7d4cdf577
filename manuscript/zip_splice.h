// One entry of a zip archive given new content by copying the archive's
// bytes around it: the other entries keep their local headers and
// compressed data byte for byte and only the new content is compressed.
// Faster than having the zip library write the archive anew, which
// recompresses nothing else but still took over a second for a body of
// 8 MB.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace verbolt {

// The archive with the content of `partName` replaced by `content`
// (deflated), or nothing when the archive is one this does not write:
// Zip64, split, encrypted, or not laid out as its central directory says.
// The zip library writes those instead.
std::optional<std::string> spliceZipPart(std::string_view archive, const std::string& partName,
                                         std::string_view content);

}  // namespace verbolt
