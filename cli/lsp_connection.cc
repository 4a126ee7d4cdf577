#include "cli/lsp_connection.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "cli/lsp_framing.h"
#include "cli/lsp_server.h"

namespace verbolt {

namespace {

// Pieces that fit into a pipe that has room, so that no write blocks: the
// writer may be told to give up between two.
constexpr size_t kPiece = 4096;
constexpr int kPollMilliseconds = 100;

// The writing thread. Responses and notifications go out in order; the
// findings of a document wait in one slot per document, which newer ones
// replace, so that what a slow client reads is always the latest.
class Writer : public LspOutput {
 public:
  explicit Writer(int fd) : m_fd(fd), m_thread([this] { run(); }) {}

  ~Writer() override { finish(); }

  void send(std::string body) override {
    std::lock_guard lock(m_mutex);
    if (m_broken) return;
    m_messages.push_back(std::move(body));
    m_wake.notify_one();
  }

  void publish(const std::string& uri, std::string body) override {
    std::lock_guard lock(m_mutex);
    if (m_broken) return;
    auto [slot, added] = m_diagnostics.try_emplace(uri, std::move(body));
    if (!added) {
      slot->second = std::move(body);
    } else {
      m_order.push_back(uri);
    }
    m_wake.notify_one();
  }

  // Writes what is queued, then ends the thread. An editor that has
  // stopped reading gets `grace` to read it: the program never waits on it
  // for good.
  void finish(std::chrono::milliseconds grace = std::chrono::seconds(5)) {
    {
      std::lock_guard lock(m_mutex);
      m_ending = true;
      m_giveUpAt = std::chrono::steady_clock::now() + grace;
      m_wake.notify_one();
    }
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  bool nextBody(std::string& body) {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return m_ending || !m_messages.empty() || !m_order.empty(); });
    if (!m_messages.empty()) {
      body = std::move(m_messages.front());
      m_messages.pop_front();
      return true;
    }
    if (!m_order.empty()) {
      const auto slot = m_diagnostics.find(m_order.front());
      body = std::move(slot->second);
      m_diagnostics.erase(slot);
      m_order.pop_front();
      return true;
    }
    return false;
  }

  bool givenUp() {
    std::lock_guard lock(m_mutex);
    return m_ending && std::chrono::steady_clock::now() >= m_giveUpAt;
  }

  bool writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
      pollfd ready = {m_fd, POLLOUT, 0};
      const int polled = poll(&ready, 1, kPollMilliseconds);
      if (polled < 0 && errno != EINTR) return false;
      if (polled <= 0) {
        if (givenUp()) return false;
        continue;
      }
      if (ready.revents & (POLLERR | POLLHUP | POLLNVAL)) return false;
      const ssize_t written = ::write(m_fd, bytes.data(), std::min(bytes.size(), kPiece));
      if (written < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (written <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
  }

  void run() {
    std::string body;
    while (nextBody(body)) {
      if (!writeAll(lspFramed(body))) {
        // The editor has gone: nothing more can reach it.
        std::lock_guard lock(m_mutex);
        m_broken = true;
        m_messages.clear();
        m_diagnostics.clear();
        m_order.clear();
      }
    }
  }

  int m_fd;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::deque<std::string> m_messages;
  std::map<std::string, std::string> m_diagnostics;
  std::deque<std::string> m_order;
  bool m_ending = false;
  std::chrono::steady_clock::time_point m_giveUpAt;
  bool m_broken = false;
  std::thread m_thread;
};

// What the reading thread hands over: a message, a frame it skipped, or
// the end of the input.
struct Incoming {
  LspFrame frame;
  bool end = false;
};

// What the reading thread has read and the dispatcher not yet taken. It
// holds a bounded amount: past it, the reader waits, and the editor's
// writes wait in their turn.
class Inbox {
 public:
  // Waits for at least one; then takes every one that has come.
  std::deque<Incoming> takeAll() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_queue.empty(); });
    std::deque<Incoming> taken;
    taken.swap(m_queue);
    m_queuedBytes = 0;
    m_roomMade.notify_all();
    return taken;
  }

  void push(Incoming incoming) {
    std::unique_lock lock(m_mutex);
    m_roomMade.wait(lock, [this] { return m_queuedBytes < kMaxQueuedBytes; });
    m_queuedBytes += incoming.frame.body.size();
    m_queue.push_back(std::move(incoming));
    m_wake.notify_one();
  }

 private:
  static constexpr size_t kMaxQueuedBytes = 2 * kMaxLspMessage;

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_roomMade;
  std::deque<Incoming> m_queue;
  size_t m_queuedBytes = 0;
};

void readFrames(int fd, const std::shared_ptr<Inbox>& inbox) {
  LspFrameReader frames;
  std::string chunk(64 * 1024, '\0');
  while (true) {
    const ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    frames.feed(std::string_view(chunk.data(), static_cast<size_t>(got)));
    Incoming incoming;
    while (frames.next(incoming.frame)) inbox->push(std::move(incoming));
  }
  Incoming end;
  end.end = true;
  inbox->push(std::move(end));
}

// The reading thread. On "exit" it may still wait in read(): it is left to
// end with the process, and shares the inbox so that nothing it touches
// goes before it.
class Reader {
 public:
  explicit Reader(int fd)
      : m_inbox(std::make_shared<Inbox>()),
        m_thread([fd, inbox = m_inbox] { readFrames(fd, inbox); }) {}

  ~Reader() { m_thread.detach(); }

  std::deque<Incoming> takeAll() { return m_inbox->takeAll(); }

 private:
  std::shared_ptr<Inbox> m_inbox;
  std::thread m_thread;
};

}  // namespace

int runLanguageServer(int inputFd, int outputFd) {
  Writer writer(outputFd);
  LspServer server(writer);
  Reader reader(inputFd);
  bool shutdown = false;
  while (true) {
    for (Incoming& incoming : reader.takeAll()) {
      if (incoming.end) {
        writer.finish();
        return shutdown ? 0 : 1;
      }
      if (!incoming.frame.problem.empty()) {
        server.frameProblem(incoming.frame.problem);
        continue;
      }
      server.handle(incoming.frame.body);
      if (server.exitStatus()) {
        writer.finish();
        return *server.exitStatus();
      }
      shutdown = shutdown || server.isShutDown();
    }
    server.analyseChanged();
  }
}

}  // namespace verbolt
