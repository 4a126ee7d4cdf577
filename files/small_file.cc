#include "files/small_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace verbolt {

namespace {

SmallFileRead readOpened(int fd, size_t maxBytes, std::string& bytes, int& error) {
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return SmallFileRead::kNotRegular;
  if (static_cast<size_t>(status.st_size) > maxBytes) return SmallFileRead::kTooLarge;
  bytes.resize(static_cast<size_t>(status.st_size));
  const ssize_t got = pread(fd, bytes.data(), bytes.size(), 0);
  if (got == static_cast<ssize_t>(bytes.size())) return SmallFileRead::kRead;
  error = got < 0 ? errno : EIO;
  return SmallFileRead::kCannotRead;
}

}  // namespace

SmallFileRead readSmallFile(const std::string& path, size_t maxBytes, std::string& bytes,
                            int& error) {
  // O_NONBLOCK: the open of a pipe named like the file returns at once.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return SmallFileRead::kCannotOpen;
  }
  const SmallFileRead outcome = readOpened(fd, maxBytes, bytes, error);
  close(fd);
  return outcome;
}

}  // namespace verbolt
