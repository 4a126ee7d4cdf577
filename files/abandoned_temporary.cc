#include "files/abandoned_temporary.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <system_error>

namespace verbolt {

namespace {

constexpr size_t kRandomLength = 6;  // the XXXXXX of mkostemp

}  // namespace

pid_t saverInName(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return 0;
  name.remove_prefix(prefix.size());
  pid_t pid = 0;
  auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (error != std::errc() || pid <= 0) return 0;
  const std::string_view rest(end, static_cast<size_t>(name.data() + name.size() - end));
  if (rest.size() != 1 + kRandomLength || rest[0] != '-') return 0;
  for (char c : rest.substr(1)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return 0;
  }
  return pid;
}

bool processRuns(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

bool removeIfAbandoned(const std::string& path, const std::function<bool(int fd)>& looksLikeOurs) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool abandoned = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                         info.st_uid == geteuid() && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                         looksLikeOurs(fd);
  const bool removed = abandoned && unlink(path.c_str()) == 0;
  close(fd);
  return removed;
}

}  // namespace verbolt
