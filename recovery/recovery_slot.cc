#include "recovery/recovery_slot.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "manuscript/atomic_write.h"

namespace verbolt {

namespace {

bool isAbsolute(const char* path) { return path && path[0] == '/'; }

// Same path, same slot, whatever the characters of its name.
uint64_t pathHash(const std::string& path) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : path) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  return hash;
}

// The file's name, in the characters every file system takes, so that a
// writer who looks in the folder sees whose copies they are.
std::string readableName(const std::string& documentPath) {
  if (documentPath.empty()) return "untitled";
  const std::string name = std::filesystem::path(documentPath).filename().string();
  std::string readable;
  for (char c : name) {
    if (readable.size() == 40) break;
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '-' || c == '_';
    readable += plain ? c : '_';
  }
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(pathHash(documentPath)));
  return readable + "-" + hash;
}

// The whole of a regular file, never through a link; none when absent.
std::optional<std::string> readOwnFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat status;
  std::optional<std::string> bytes;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    bytes.emplace();
    char buffer[1 << 16];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) bytes->append(buffer, got);
    if (got < 0) bytes.reset();
  }
  close(fd);
  return bytes;
}

// The lock of a slot, held; -1 when another window holds it.
int takeLock(const std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      return -1;
    }
    // A window that removed the lock file while this one opened it holds
    // nothing: the file on disk is the one that counts.
    struct stat held, named;
    if (fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev) {
      return fd;
    }
    close(fd);
  }
  return -1;
}

bool makePrivateFolder(const std::string& folder) {
  const mode_t previous = umask(077);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  umask(previous);
  return !error && std::filesystem::is_directory(folder, error);
}

}  // namespace

std::string recoveryFolder(const char* xdgStateHome, const char* home) {
  if (isAbsolute(xdgStateHome)) return std::string(xdgStateHome) + "/verbolt/recovery";
  if (isAbsolute(home)) return std::string(home) + "/.local/state/verbolt/recovery";
  return {};
}

std::unique_ptr<RecoverySlot> RecoverySlot::Claim(const std::string& folder,
                                                  const std::string& documentPath,
                                                  bool preferCopy) {
  if (folder.empty() || !makePrivateFolder(folder)) return nullptr;
  // A full copy cut short by a kill leaves its temporary here.
  removeAbandonedSaves(folder);
  const std::string name = folder + "/" + readableName(documentPath);
  std::unique_ptr<RecoverySlot> firstEmpty;
  for (int number = 1; number <= kSlotsPerDocument; ++number) {
    const std::string stem = name + "-" + std::to_string(number);
    const bool hasCopy = std::filesystem::exists(stem + ".snapshot");
    if (hasCopy && !preferCopy) continue;
    if (!hasCopy && firstEmpty) continue;
    const int lock = takeLock(stem + ".lock");
    if (lock < 0) continue;
    std::unique_ptr<RecoverySlot> slot(new RecoverySlot(stem, lock));
    if (hasCopy) return slot;
    if (!preferCopy) return slot;
    firstEmpty = std::move(slot);
  }
  return firstEmpty;
}

RecoverySlot::RecoverySlot(std::string stem, int lock)
    : m_snapshot(stem + ".snapshot"),
      m_journal(stem + ".journal"),
      m_lock(stem + ".lock"),
      m_lockFd(lock) {}

RecoverySlot::~RecoverySlot() {
  if (access(m_snapshot.c_str(), F_OK) != 0) unlink(m_lock.c_str());
  close(m_lockFd);
}

std::optional<RecoveredText> RecoverySlot::Read() const {
  const std::optional<std::string> snapshot = readOwnFile(m_snapshot);
  if (!snapshot) return std::nullopt;
  return readRecovery(*snapshot, readOwnFile(m_journal).value_or(""));
}

void RecoverySlot::RemoveCopy() const {
  // The snapshot first: a journal without its snapshot is never read.
  unlink(m_snapshot.c_str());
  unlink(m_journal.c_str());
}

}  // namespace verbolt
