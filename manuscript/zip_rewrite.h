// One part of a zip archive held in memory replaced, every other entry
// copied as it was: saving edited text into a document rewrites its body
// part and nothing else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace verbolt {

struct ZipRewrite {
  std::optional<std::string> bytes;  // the new archive
  std::string error;                 // why not, in words for a sentence
};

// The archive `archive` with the content of `partName` (which it must
// hold) replaced by `content`, compressed anew. The other entries keep
// their names, their order and their compressed bytes.
ZipRewrite replaceZipPart(std::string_view archive, const std::string& partName,
                          std::string_view content);

}  // namespace verbolt
