// One part of a zip archive held in memory (an .odt or .docx is a zip),
// inflated chunk by chunk so that its text can be parsed as it arrives and
// a zip bomb is stopped before it fills the memory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace verbolt {

enum class ZipProblem { kNone, kNoLibrary, kNotAZip, kCorrupt, kNoPart, kTooLarge, kRefusedBySink };

struct ZipOutcome {
  ZipProblem problem = ZipProblem::kNone;
  std::string detail;  // what libzip said, for kCorrupt; why it is missing, for kNoLibrary
};

// Takes each inflated chunk; returns false to stop reading.
using ZipChunkSink = std::function<bool(std::string_view chunk)>;

// Passes the content of `partName` to `sink`. A part whose declared size
// is over `maxSize`, or that inflates to more than `maxSize` bytes
// whatever it declares, is kTooLarge.
ZipOutcome streamZipPart(std::string_view archive, const std::string& partName, uint64_t maxSize,
                         const ZipChunkSink& sink);

}  // namespace verbolt
