#include "settings/preferences_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "files/durable_write.h"
#include "settings/save_temporary.h"

namespace verbolt {

namespace {

// O_NOFOLLOW: a link is not the program's file, wherever it points.
// O_NONBLOCK: a named pipe put there would wait for a writer.
int openRegularFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

// Gathers lines as their bytes arrive, skipping the long ones.
class LineCollector {
 public:
  explicit LineCollector(LineBounds bounds) : m_bounds(bounds) {}

  bool full() const { return m_lines.size() >= m_bounds.lines; }

  void add(std::string_view bytes) {
    for (char byte : bytes) {
      if (byte == '\n') {
        endLine();
      } else if (m_line.size() == m_bounds.lineBytes) {
        m_tooLong = true;
        m_line.clear();
      } else if (!m_tooLong) {
        m_line.push_back(byte);
      }
    }
  }

  void endLine() {
    if (!m_tooLong && !m_line.empty() && !full()) m_lines.push_back(m_line);
    m_line.clear();
    m_tooLong = false;
  }

  std::vector<std::string> lines() && { return std::move(m_lines); }

 private:
  LineBounds m_bounds;
  std::vector<std::string> m_lines;
  std::string m_line;
  bool m_tooLong = false;
};

// A regular file (not a link) there that this user may not read.
bool isUnreadableFile(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0) {
    close(fd);
    return false;
  }
  return errno == EACCES;
}

// Only a missing name, a regular file or a link is ever replaced: a pipe,
// a device or a directory there is left alone.
bool mayBeReplaced(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode) || S_ISLNK(info.st_mode);
}

}  // namespace

std::vector<std::string> readPreferenceLines(const std::string& path, LineBounds bounds) {
  const int fd = openRegularFile(path);
  if (fd < 0) return {};
  LineCollector collector(bounds);
  size_t left = bounds.lines * (bounds.lineBytes + 1);
  char buffer[4096];
  while (!collector.full() && left > 0) {
    const ssize_t got = read(fd, buffer, std::min(sizeof buffer, left));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    // The last line may lack its end; a line cut by the bound is dropped.
    if (got == 0) {
      collector.endLine();
      break;
    }
    collector.add(std::string_view(buffer, static_cast<size_t>(got)));
    left -= static_cast<size_t>(got);
  }
  close(fd);
  return std::move(collector).lines();
}

PreferenceStore storePreferenceFile(const std::string& path, std::string_view content) {
  PreferenceStore result;
  if (!mayBeReplaced(path)) return result;
  if (isUnreadableFile(path)) {
    result.backup = keepAsBackup(path);
    if (result.backup.outcome == Backup::Outcome::kFailed) return result;
  }
  std::string temporary;
  const int fd = createSaveTemporary(path, temporary);
  if (fd < 0) return result;
  bool ok = fchmod(fd, S_IRUSR | S_IWUSR) == 0 && writeAll(fd, content) && syncFile(fd);
  ok = close(fd) == 0 && ok;
  // rename() replaces a link itself, never its target.
  ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return result;
  }
  syncParentDirectory(path);
  result.stored = true;
  return result;
}

}  // namespace verbolt
