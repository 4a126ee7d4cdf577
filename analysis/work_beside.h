#pragma once

#include <exception>
#include <thread>
#include <utility>

namespace verbolt {

// A piece of work run on a thread of its own while the caller goes on with
// another. `join` waits for it and throws again what it threw. When the
// caller fails first, it is still waited for as the caller's failure goes
// up, and its own failure is dropped: the caller's is the one told.
class WorkBeside {
 public:
  template <typename Work>
  explicit WorkBeside(Work work)
      : m_thread([this, work = std::move(work)]() mutable {
          try {
            work();
          } catch (...) {
            m_failure = std::current_exception();
          }
        }) {}

  WorkBeside(const WorkBeside&) = delete;
  WorkBeside& operator=(const WorkBeside&) = delete;

  ~WorkBeside() {
    if (m_thread.joinable()) m_thread.join();
  }

  void join() {
    m_thread.join();
    if (m_failure) std::rethrow_exception(m_failure);
  }

 private:
  std::exception_ptr m_failure;
  std::thread m_thread;  // declared last: it starts once the rest is there
};

}  // namespace verbolt
