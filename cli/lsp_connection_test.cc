// The language server as editors run it: the real program, over pipes,
// and in headless Neovim.
#include "cli/lsp_connection.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/lsp_framing.h"
#include "gtest/gtest.h"
#include "test_support/test_support.h"

extern char** environ;

namespace verbolt {

namespace {

using nlohmann::json;
using namespace std::literals;
using Clock = std::chrono::steady_clock;

// A child process with pipes to its standard input and output.
class Child {
 public:
  explicit Child(std::vector<std::string> arguments,
                 const std::vector<std::string>& environment = {}) {
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    std::vector<std::string> variables = environment;
    for (char** variable = environ; *variable; ++variable) variables.push_back(*variable);
    m_pid = fork();
    if (m_pid == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      std::vector<char*> argv;
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      std::vector<char*> envp;
      for (std::string& variable : variables) envp.push_back(variable.data());
      envp.push_back(nullptr);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    m_in = in[1];
    m_out = out[0];
  }

  ~Child() {
    closeInput();
    if (m_out >= 0) close(m_out);
    if (m_pid > 0 && !m_status) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
  }

  void write(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(m_in, bytes.data(), bytes.size());
      if (written <= 0) return;
      bytes.remove_prefix(static_cast<size_t>(written));
    }
  }
  void send(const json& message) { write(lspFramed(message.dump())); }
  void closeInput() {
    if (m_in >= 0) close(m_in);
    m_in = -1;
  }

  // The next message, or null when none comes within the time.
  json receive(std::chrono::seconds within = std::chrono::seconds(20)) {
    const Clock::time_point deadline = Clock::now() + within;
    LspFrame frame;
    while (!m_frames.next(frame)) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      pollfd ready = {m_out, POLLIN, 0};
      if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) <= 0) return nullptr;
      char chunk[65536];
      const ssize_t got = read(m_out, chunk, sizeof chunk);
      if (got <= 0) return nullptr;
      m_frames.feed(std::string_view(chunk, static_cast<size_t>(got)));
    }
    return frame.problem.empty() ? json::parse(frame.body) : json(frame.problem);
  }

  // The next message that `wanted` accepts; the others are passed over.
  template <typename Wanted>
  json receiveWhere(Wanted wanted) {
    for (json message = receive(); !message.is_null(); message = receive()) {
      if (wanted(message)) return message;
    }
    return nullptr;
  }

  // The exit status, or -1 when the program has not ended within the time.
  int wait(std::chrono::seconds within = std::chrono::seconds(20)) {
    const Clock::time_point deadline = Clock::now() + within;
    while (Clock::now() < deadline) {
      int status = 0;
      if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return *m_status;
      }
      usleep(10000);
    }
    return -1;
  }

 private:
  pid_t m_pid = -1;
  int m_in = -1;
  int m_out = -1;
  LspFrameReader m_frames;
  std::optional<int> m_status;
};

json request(int id, const std::string& method, const json& params = json::object()) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}};
}

json notification(const std::string& method, const json& params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", params}};
}

// A didChange that puts `text` at the start of the document.
json insertion(const std::string& uri, int version, const std::string& text) {
  const json start = {{"line", 0}, {"character", 0}};
  json change = {{"range", {{"start", start}, {"end", start}}}, {"text", text}};
  return notification("textDocument/didChange",
                      {{"textDocument", {{"uri", uri}, {"version", version}}},
                       {"contentChanges", json::array({change})}});
}

bool hasId(const json& message, int id) { return message.contains("id") && message["id"] == id; }

bool isPublication(const json& message) {
  return message.value("method", "") == "textDocument/publishDiagnostics";
}

using LspConnectionRun = test_support::FolderTest;

TEST_F(LspConnectionRun, HostileBytesGetErrorsAndTheSessionGoesOn) {
  Child server({VERBOLT_ANALYZE_PATH, "--lsp"});
  server.write("Content-Length: 12\r\n\r\n\x00\x01\xFF\xFEgarbage!"sv);
  EXPECT_EQ(server.receive().at("error").at("code"), -32700);
  server.write("Content-Length: banana\r\n\r\n{}");
  EXPECT_NE(server.receive().at("params").at("message").get<std::string>().find(
                "a Content-Length that is not a number"),
            std::string::npos);
  // 200 MB announced: skipped as it comes, never kept.
  server.write("Content-Length: 209715200\r\n\r\n");
  EXPECT_NE(server.receive().at("params").at("message").get<std::string>().find(
                "a message of 209715200 bytes"),
            std::string::npos);
  const std::string megabyte(1 << 20, '\xAB');
  for (int i = 0; i < 200; ++i) server.write(megabyte);
  server.send(request(1, "initialize", {{"capabilities", json::object()}}));
  EXPECT_TRUE(hasId(server.receive(), 1));
  server.send(request(2, "no/such/method"));
  EXPECT_EQ(server.receive().at("error").at("code"), -32601);
  // A Content-Length too large swallows the next header, which is found.
  const std::string shutdown = request(3, "shutdown").dump();
  server.write("Content-Length: 40\r\n\r\n{\"jsonrpc\": \"2.0\", \"method\": \"$/x\"}" +
               lspFramed(shutdown));
  const json afterAll = server.receiveWhere([](const json& m) { return m.contains("id"); });
  EXPECT_EQ(afterAll.at("id"), nullptr);  // the broken one
  EXPECT_TRUE(hasId(server.receive(), 3));
  server.send(notification("exit", nullptr));
  EXPECT_EQ(server.wait(), 0);
}

TEST_F(LspConnectionRun, ASlowReaderGetsTheLatestFindingsNotEveryOne) {
  Child server({VERBOLT_ANALYZE_PATH, "--lsp"});
  server.send(request(1, "initialize", {{"capabilities", json::object()}}));
  const std::string uri = "file://" + (m_dir / "long.md").string();
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "The house, the house. ";
  server.send(
      notification("textDocument/didOpen",
                   {{"textDocument",
                     {{"uri", uri}, {"languageId", "markdown"}, {"version", 0}, {"text", text}}}}));
  // Nothing is read while the edits come: the pipe fills up.
  constexpr int kEdits = 200;
  for (int version = 1; version <= kEdits; ++version) {
    server.send(insertion(uri, version, "a "));
  }
  server.send(request(2, "shutdown"));
  int publications = 0;
  bool shutDown = false;
  json last;
  // The findings of the last version come, before or after the answer.
  for (json message = server.receive(); !message.is_null(); message = server.receive()) {
    shutDown = shutDown || hasId(message, 2);
    if (isPublication(message)) {
      ++publications;
      last = message;
    }
    if (shutDown && !last.is_null() && last.at("params").at("version") == kEdits) break;
  }
  EXPECT_TRUE(shutDown);
  ASSERT_FALSE(last.is_null());
  EXPECT_EQ(last.at("params").at("version"), kEdits);
  EXPECT_LT(publications, kEdits / 2);
  server.send(notification("exit", nullptr));
  EXPECT_EQ(server.wait(), 0);
}

// An editor that never reads still lets the program end when told to.
TEST_F(LspConnectionRun, ExitEndsTheProgramThoughNothingIsRead) {
  Child server({VERBOLT_ANALYZE_PATH, "--lsp"});
  server.send(request(1, "initialize", {{"capabilities", json::object()}}));
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "The house, the house. ";
  server.send(notification("textDocument/didOpen", {{"textDocument",
                                                     {{"uri", "file:///long.md"},
                                                      {"languageId", "markdown"},
                                                      {"version", 0},
                                                      {"text", text}}}}));
  server.send(request(2, "shutdown"));
  server.send(notification("exit", nullptr));
  EXPECT_EQ(server.wait(std::chrono::seconds(30)), 0);
}

// The diagnostics a headless Neovim receives, written by the Lua script
// below: "before" and "after" an edit, one line each, "LINE:COL CODE".
constexpr std::string_view kNeovimScript = R"lua(
local out = assert(io.open(os.getenv('VERBOLT_LSP_OUT'), 'w'))
local function dump(label)
  local lines = {}
  for _, d in ipairs(vim.diagnostic.get(0)) do
    local code = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code) or '?'
    table.insert(lines, string.format('%d:%d %s', d.lnum, d.col, code))
  end
  table.sort(lines)
  out:write(label .. ' ' .. table.concat(lines, ' ') .. '\n')
end
vim.cmd('edit ' .. vim.fn.fnameescape(os.getenv('VERBOLT_LSP_FILE')))
-- Without a configuration no file type is detected: the editor says it.
vim.bo.filetype = 'markdown'
local client = vim.lsp.start_client({
  name = 'verbolt',
  cmd = { os.getenv('VERBOLT_ANALYZE'), '--lsp' },
  root_dir = os.getenv('VERBOLT_LSP_ROOT'),
})
vim.lsp.buf_attach_client(0, client)
if not vim.wait(20000, function() return #vim.diagnostic.get(0) > 0 end, 20) then
  out:write('no diagnostics\n')
end
dump('before')
vim.api.nvim_buf_set_lines(0, -1, -1, false, { '', 'The garden, the garden.' })
if not vim.wait(20000, function() return #vim.diagnostic.get(0) > 1 end, 20) then
  out:write('no new diagnostics\n')
end
dump('after')
out:close()
vim.lsp.stop_client(client)
vim.cmd('qall!')
)lua";

std::string neovim() {
  for (const char* folder : {"/usr/bin", "/usr/local/bin"}) {
    const std::string path = std::string(folder) + "/nvim";
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

TEST_F(LspConnectionRun, HeadlessNeovimShowsTheFindingsAndFollowsAnEdit) {
  const std::string nvim = neovim();
  if (nvim.empty()) GTEST_SKIP() << "nvim is not installed (tools/install-deps.sh installs neovim)";
  const std::filesystem::path file = m_dir / "guide.md";
  test_support::writeFile(file, "# Caf\xC3\xA9\n\n\xC3\x89t\xC3\xA9: the house, the house.\n");
  test_support::writeFile(m_dir / "test.lua", kNeovimScript);
  const std::filesystem::path out = m_dir / "diagnostics.txt";
  Child editor(
      {nvim, "--headless", "-u", "NONE", "-i", "NONE", "-n", "-c",
       "luafile " + (m_dir / "test.lua").string()},
      {"VERBOLT_LSP_OUT=" + out.string(), "VERBOLT_LSP_FILE=" + file.string(),
       "VERBOLT_LSP_ROOT=" + m_dir.string(), std::string("VERBOLT_ANALYZE=") + VERBOLT_ANALYZE_PATH,
       "XDG_STATE_HOME=" + m_dir.string(), "XDG_DATA_HOME=" + m_dir.string(),
       "XDG_CONFIG_HOME=" + m_dir.string(), "XDG_CACHE_HOME=" + m_dir.string()});
  editor.closeInput();
  ASSERT_EQ(editor.wait(std::chrono::seconds(60)), 0);
  // Columns are Neovim's own, in bytes: "\u00C9t\u00E9: the house, the " is 22.
  EXPECT_EQ(test_support::readFile(out),
            "before 2:22 close-repetition\n"
            "after 2:22 close-repetition 4:16 close-repetition\n");
}

}  // namespace

}  // namespace verbolt
