// What tells one state of a file from another without reading it: which
// file it is on its disk, its size and when it was last written. A save
// compares the stamp it finds with the one it saw when the file was
// opened, to notice another program's change.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace verbolt {

struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modifiedNs = 0;  // nanoseconds since 1970
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file `path` names, following links; none when there is
// no such file or it cannot be looked at.
std::optional<FileStamp> fileStampOf(const std::string& path);

}  // namespace verbolt
