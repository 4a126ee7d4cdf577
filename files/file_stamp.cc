#include "files/file_stamp.h"

#include <sys/stat.h>

namespace verbolt {

std::optional<FileStamp> fileStampOf(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  constexpr int64_t kNsPerSecond = 1'000'000'000;
  return FileStamp{
      static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
      static_cast<int64_t>(status.st_size),
      static_cast<int64_t>(status.st_mtim.tv_sec) * kNsPerSecond + status.st_mtim.tv_nsec};
}

}  // namespace verbolt
