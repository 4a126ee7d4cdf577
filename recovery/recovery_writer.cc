#include "recovery/recovery_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "files/durable_write.h"
#include "manuscript/atomic_write.h"

namespace verbolt {

RecoveryWriter::RecoveryWriter() : m_thread([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  m_thread.join();
}

void RecoveryWriter::Replace(std::string path, std::string bytes) {
  Post({Kind::kReplace, std::move(path), std::move(bytes)});
}

void RecoveryWriter::Append(std::string path, std::string bytes) {
  Post({Kind::kAppend, std::move(path), std::move(bytes)});
}

void RecoveryWriter::Remove(std::string path) { Post({Kind::kRemove, std::move(path), {}}); }

void RecoveryWriter::Post(Task task) {
  {
    std::lock_guard lock(m_mutex);
    m_tasks.push_back(std::move(task));
  }
  m_changed.notify_all();
}

void RecoveryWriter::Wait() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return m_tasks.empty() && !m_busy; });
}

std::string RecoveryWriter::TakeError() {
  std::lock_guard lock(m_mutex);
  return std::exchange(m_error, {});
}

void RecoveryWriter::Run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
    if (m_tasks.empty()) return;
    Task task = std::move(m_tasks.front());
    m_tasks.pop_front();
    m_busy = true;
    lock.unlock();
    Do(task);
    lock.lock();
    m_busy = false;
    m_changed.notify_all();
  }
}

void RecoveryWriter::Do(const Task& task) {
  std::string error;
  switch (task.kind) {
    case Kind::kReplace:
      writeFileAtomically(task.path, task.bytes, error);
      break;
    case Kind::kAppend: {
      const int fd = open(task.path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
      if (fd < 0 || !writeAll(fd, task.bytes) || !syncFile(fd)) {
        error = "cannot write '" + task.path + "': " + std::strerror(errno);
      }
      if (fd >= 0) close(fd);
      break;
    }
    case Kind::kRemove:
      if (unlink(task.path.c_str()) != 0 && errno != ENOENT) {
        error = "cannot remove '" + task.path + "': " + std::strerror(errno);
      }
      break;
  }
  if (error.empty()) {
    m_bytesWritten += task.bytes.size();
    return;
  }
  std::lock_guard lock(m_mutex);
  m_error = std::move(error);
}

}  // namespace verbolt
