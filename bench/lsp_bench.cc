// lsp-bench [FILE] [VERBOLT-ANALYZE]
//
// How long an editor waits for the findings of a 1 MB Markdown document
// after an edit: a word typed in the middle of it, sent as an incremental
// didChange, until the publishDiagnostics of that version is whole. Timed
// in the process (the dispatcher, the analysis and the message) and over
// the pipes of a real `verbolt-analyze --lsp`, best of ten edits. The
// document is 1 MB of generated prose under headings, or FILE (UTF-8).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "bench/best_time.h"
#include "bench/text_generator.h"
#include "cli/lsp_framing.h"
#include "cli/lsp_server.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

using nlohmann::json;

constexpr int kRepetitions = 10;
constexpr std::string_view kUri = "file:///bench/book.md";

std::string markdownBook() {
  const std::string prose = cp1252ToUtf8(generateProse(1 << 20, 1));
  std::string book;
  int paragraph = 0;
  for (size_t start = 0; start < prose.size();) {
    size_t end = prose.find('\n', start);
    end = end == std::string::npos ? prose.size() : end + 1;
    if (paragraph++ % 20 == 0) book += "## Part " + std::to_string(paragraph / 20 + 1) + "\n\n";
    book.append(prose, start, end - start);
    book += '\n';
    start = end;
  }
  return book;
}

std::string didOpen(const std::string& text) {
  return json{{"jsonrpc", "2.0"},
              {"method", "textDocument/didOpen"},
              {"params",
               {{"textDocument",
                 {{"uri", kUri}, {"languageId", "markdown"}, {"version", 0}, {"text", text}}}}}}
      .dump();
}

// A word typed at the start of the middle line.
std::string didChange(int version, int line) {
  const json at = {{"line", line}, {"character", 0}};
  return json{{"jsonrpc", "2.0"},
              {"method", "textDocument/didChange"},
              {"params",
               {{"textDocument", {{"uri", kUri}, {"version", version}}},
                {"contentChanges",
                 json::array({{{"range", {{"start", at}, {"end", at}}}, {"text", "word "}}})}}}}
      .dump();
}

constexpr std::string_view kInitialize =
    R"({"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {}})";

class Kept : public LspOutput {
 public:
  void send(std::string) override {}
  void publish(const std::string&, std::string body) override { last = std::move(body); }
  std::string last;
};

double inProcess(const std::string& text, int middle, size_t& findings) {
  Kept output;
  LspServer server(output);
  server.handle(kInitialize);
  server.handle(didOpen(text));
  server.analyseChanged();
  int version = 0;
  const double best = bestMilliseconds(kRepetitions, [&] {
    server.handle(didChange(++version, middle));
    server.analyseChanged();
  });
  findings = json::parse(output.last).at("params").at("diagnostics").size();
  return best;
}

// The real program, over pipes.
class Server {
 public:
  explicit Server(const std::string& program) {
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      execl(program.c_str(), program.c_str(), "--lsp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    m_in = in[1];
    m_out = out[0];
  }
  ~Server() {
    close(m_in);
    close(m_out);
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
  void send(std::string_view body) {
    const std::string bytes = lspFramed(body);
    for (size_t at = 0; at < bytes.size();) {
      const ssize_t written = write(m_in, bytes.data() + at, bytes.size() - at);
      if (written <= 0) return;
      at += static_cast<size_t>(written);
    }
  }
  // Reads until the findings of `version` have come whole.
  bool awaitVersion(int version) {
    const std::string wanted = "\"version\": " + std::to_string(version) + ",";
    LspFrame frame;
    while (true) {
      while (m_frames.next(frame)) {
        if (frame.body.find("publishDiagnostics") != std::string::npos &&
            frame.body.find(wanted) != std::string::npos) {
          return true;
        }
      }
      char chunk[1 << 16];
      const ssize_t got = read(m_out, chunk, sizeof chunk);
      if (got <= 0) return false;
      m_frames.feed(std::string_view(chunk, static_cast<size_t>(got)));
    }
  }

 private:
  pid_t m_pid = -1;
  int m_in = -1;
  int m_out = -1;
  LspFrameReader m_frames;
};

double overPipes(const std::string& program, const std::string& text, int middle) {
  Server server(program);
  server.send(kInitialize);
  server.send(didOpen(text));
  if (!server.awaitVersion(0)) return -1;
  int version = 0;
  bool ok = true;
  const double best = bestMilliseconds(kRepetitions, [&] {
    server.send(didChange(++version, middle));
    ok = ok && server.awaitVersion(version);
  });
  return ok ? best : -1;
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  std::string text;
  if (argc > 1 && std::string_view(argv[1]) != "-") {
    std::ifstream file(argv[1], std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  } else {
    text = markdownBook();
  }
  const std::string program = argc > 2 ? argv[2] : "cli/verbolt-analyze";
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  size_t findings = 0;
  const double process = inProcess(text, lines / 2, findings);
  std::printf("document: %.2f MB of Markdown, %d lines, %zu findings\n",
              static_cast<double>(text.size()) / (1 << 20), lines, findings);
  std::printf("didChange to diagnostics, in the process: %.1f ms\n", process);
  const double pipes = overPipes(program, text, lines / 2);
  if (pipes < 0) {
    std::printf("over the pipes: %s did not answer\n", program.c_str());
    return 1;
  }
  std::printf("didChange to diagnostics, over the pipes of %s --lsp: %.1f ms\n", program.c_str(),
              pipes);
  return 0;
}
