// Writes recovery copies on a thread of its own, in the order they were
// asked for, so that the disk never holds up a key.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace verbolt {

class RecoveryWriter {
 public:
  RecoveryWriter();
  // Finishes what was asked, then ends the thread.
  ~RecoveryWriter();
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  // Replaces the file atomically: a kill leaves the old one or the new.
  void Replace(std::string path, std::string bytes);
  // Adds to the end of the file and flushes it to the disk.
  void Append(std::string path, std::string bytes);
  void Remove(std::string path);
  // Returns once everything asked before has been done.
  void Wait();
  // The last failure, one English sentence; empty when there was none
  // since the last call.
  std::string TakeError();
  // The bytes written to the disk so far, for the benchmarks.
  uint64_t BytesWritten() const { return m_bytesWritten; }

 private:
  enum class Kind { kReplace, kAppend, kRemove };
  struct Task {
    Kind kind;
    std::string path;
    std::string bytes;
  };
  void Post(Task task);
  void Run();
  void Do(const Task& task);

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<Task> m_tasks;
  bool m_busy = false;
  bool m_stopping = false;
  std::string m_error;
  std::atomic<uint64_t> m_bytesWritten = 0;
  std::thread m_thread;
};

}  // namespace verbolt
