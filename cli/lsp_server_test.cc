#include "cli/lsp_server.h"

#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

using nlohmann::json;

// Keeps what the server says: the messages in order, and every publication.
class Recorded : public LspOutput {
 public:
  void send(std::string body) override { sent.push_back(json::parse(body)); }
  void publish(const std::string& uri, std::string body) override {
    const json message = json::parse(body);
    EXPECT_EQ(message.at("params").at("uri"), uri);
    published.push_back(message.at("params"));
  }

  std::vector<json> sent;
  std::vector<json> published;
};

class LspServerTest : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    m_uri = "file://" + (m_dir / "guide.md").string();
  }

  void message(const json& value) { m_server.handle(value.dump()); }
  void request(int id, const std::string& method, const json& params = json::object()) {
    message({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
  }
  void notify(const std::string& method, const json& params) {
    message({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }
  void initialize(const json& options = json::object()) {
    request(1, "initialize",
            {{"capabilities", json::object()},
             {"rootUri", "file://" + m_dir.string()},
             {"initializationOptions", options}});
    notify("initialized", json::object());
  }
  void open(const std::string& text, const std::string& uri = "",
            const std::string& language = "markdown") {
    notify("textDocument/didOpen", {{"textDocument",
                                     {{"uri", uri.empty() ? m_uri : uri},
                                      {"languageId", language},
                                      {"version", 1},
                                      {"text", text}}}});
  }
  void edit(int version, const json& changes) {
    notify("textDocument/didChange",
           {{"textDocument", {{"uri", m_uri}, {"version", version}}}, {"contentChanges", changes}});
  }
  static json range(int line, int character, int endLine, int endCharacter) {
    return {{"start", {{"line", line}, {"character", character}}},
            {"end", {{"line", endLine}, {"character", endCharacter}}}};
  }
  // The diagnostics of the last publication, after the analysis.
  json diagnostics() {
    m_server.analyseChanged();
    if (m_output.published.empty()) return nullptr;
    return m_output.published.back().at("diagnostics");
  }
  static std::vector<std::string> messagesOf(const json& diagnostics) {
    std::vector<std::string> messages;
    for (const json& d : diagnostics) messages.push_back(d.at("message").get<std::string>());
    return messages;
  }
  const json& response() { return m_output.sent.back(); }

  Recorded m_output;
  LspServer m_server{m_output};
  std::string m_uri;
};

TEST_F(LspServerTest, FindingsFollowTheDocumentFromOpenToClose) {
  initialize();
  EXPECT_EQ(response().at("id"), 1);
  EXPECT_EQ(response().at("result").at("capabilities").at("textDocumentSync").at("change"), 2);
  // "é" is one UTF-16 unit, the emoji two: the columns count them so.
  open("Caf\xC3\xA9 \xF0\x9F\x98\x80 house, the house.\n");
  json found = diagnostics();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].at("range"), range(0, 19, 0, 24));
  EXPECT_EQ(found[0].at("code"), "close-repetition");
  EXPECT_EQ(found[0].at("source"), "verbolt");
  EXPECT_EQ(found[0].at("severity"), 3);
  EXPECT_EQ(found[0].at("message"), "\"house\" again 11 letters after 1:8");
  const json& first = found[0].at("relatedInformation").at(0);
  EXPECT_EQ(first.at("location").at("uri"), m_uri);
  EXPECT_EQ(first.at("location").at("range"), range(0, 8, 0, 13));

  // Incremental edits, then a whole text: each analysed at its latest only.
  edit(2, {{{"range", range(0, 8, 0, 13)}, {"text", "home"}}});
  edit(3, {{{"range", range(0, 18, 0, 18)}, {"text", "home "}}});
  const size_t before = m_output.published.size();
  found = diagnostics();
  EXPECT_EQ(m_output.published.size(), before + 1);
  EXPECT_EQ(m_output.published.back().at("version"), 3);
  EXPECT_EQ(messagesOf(found), std::vector<std::string>{"\"home\" again 10 letters after 1:8"});
  edit(4, {{{"text", "Nothing twice."}}});
  EXPECT_TRUE(diagnostics().empty());

  edit(5, {{{"text", "chat chat"}}});
  notify("textDocument/didClose", {{"textDocument", {{"uri", m_uri}}}});
  EXPECT_TRUE(diagnostics().empty());
  edit(6, {{{"text", "chat chat"}}});  // closed: nothing to change
  EXPECT_FALSE(m_server.hasChanged());
}

TEST_F(LspServerTest, MarkdownAndPlainTextByLanguageOrName) {
  initialize();
  const std::string text = "`house house` house <!-- verbolt off --> house";
  open(text);
  EXPECT_TRUE(diagnostics().empty());  // code, then a silenced passage
  open(text, m_uri + ".txt", "");
  EXPECT_EQ(diagnostics().size(), 3u);  // plain text: every house
  const size_t published = m_output.published.size();
  open(text, "file:///src/main.py", "python");
  m_server.analyseChanged();
  EXPECT_EQ(m_output.published.size(), published);
}

TEST_F(LspServerTest, SettingsComeFromTheEditor) {
  test_support::writeFile(m_dir / "config.txt", "not a configuration");
  // A relative path is the workspace's file.
  initialize({{"severity", "hint"}, {"echoes", true}, {"config", "config.txt"}});
  EXPECT_EQ(m_output.sent.size(), 1u);
  open("She walked in. She sat down. She smiled at the house.\n");
  json found = diagnostics();
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found[0].at("severity"), 4);
  EXPECT_EQ(found[0].at("code"), "sentence-opening");
  // The configuration that could not be read is told, once.
  ASSERT_EQ(m_output.sent.size(), 2u);
  EXPECT_EQ(m_output.sent[1].at("method"), "window/logMessage");
  EXPECT_NE(m_output.sent[1].at("params").at("message").get<std::string>().find(
                "is not a complete configuration file"),
            std::string::npos)
      << m_output.sent[1];

  notify("workspace/didChangeConfiguration",
         {{"settings",
           {{"verbolt", {{"echoes", false}, {"severity", "loud"}, {"config", nullptr}}}}}});
  found = diagnostics();
  EXPECT_TRUE(found.empty());
  EXPECT_NE(response().at("params").at("message").get<std::string>().find(
                "severity takes hint or information"),
            std::string::npos);
}

TEST_F(LspServerTest, QuickFixesIgnoreTheWordOrSilenceThePassage) {
  initialize();
  open("Intro.\n\nThe house, the house.\nAnd the garden.\n");
  const json found = diagnostics();
  ASSERT_EQ(found.size(), 1u);
  request(7, "textDocument/codeAction",
          {{"textDocument", {{"uri", m_uri}}},
           {"range", found[0].at("range")},
           {"context", {{"diagnostics", found}}}});
  const json actions = response().at("result");
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[0].at("title"), "Add house to this book's ignore list");
  EXPECT_EQ(actions[1].at("title"), "Silence this passage");
  // The passage is the paragraph: a comment on a line before and after.
  const json& edits = actions[1].at("edit").at("changes").at(m_uri);
  ASSERT_EQ(edits.size(), 2u);
  EXPECT_EQ(edits[0].at("range"), range(2, 0, 2, 0));
  EXPECT_EQ(edits[0].at("newText"), "<!-- verbolt off -->\n");
  EXPECT_EQ(edits[1].at("range"), range(4, 0, 4, 0));
  EXPECT_EQ(edits[1].at("newText"), "<!-- verbolt on -->\n");
  // Applied as the editor does, last first: nothing is found any more.
  edit(2, {{{"range", edits[1].at("range")}, {"text", edits[1].at("newText")}},
           {{"range", edits[0].at("range")}, {"text", edits[0].at("newText")}}});
  EXPECT_TRUE(diagnostics().empty());
  edit(3, {{{"text", "The house, the house."}}});
  EXPECT_EQ(diagnostics().size(), 1u);

  const json& command = actions[0].at("command");
  request(8, "workspace/executeCommand",
          {{"command", command.at("command")}, {"arguments", command.at("arguments")}});
  EXPECT_EQ(response().at("id"), 8);
  EXPECT_TRUE(response().at("result").is_null());
  EXPECT_EQ(test_support::readFile(m_dir / ".verbolt-ignore"), "house\n");
  EXPECT_TRUE(diagnostics().empty());
}

TEST_F(LspServerTest, BadMessagesGetAnErrorOrALineInTheLogNeverMore) {
  request(1, "textDocument/codeAction");
  EXPECT_EQ(response().at("error").at("code"), -32002);
  initialize();
  m_server.handle("{\"jsonrpc\": \"2.0\", \"id\": 2, \"meth");
  EXPECT_EQ(response().at("error").at("code"), -32700);
  EXPECT_TRUE(response().at("id").is_null());
  for (const char* invalid : {"[1, 2]", "{\"jsonrpc\": \"2.0\", \"id\": {}, \"method\": \"x\"}",
                              "{\"jsonrpc\": \"2.0\"}"}) {
    m_server.handle(invalid);
    EXPECT_EQ(response().at("error").at("code"), -32600) << invalid;
  }
  request(3, "textDocument/hover");
  EXPECT_EQ(response().at("error").at("code"), -32601);
  request(4, "textDocument/codeAction", {{"textDocument", 12}});
  EXPECT_EQ(response().at("error").at("code"), -32602);
  EXPECT_EQ(response().at("id"), 4);
  // A notification has no answer: its problem goes to the log, once.
  const size_t sent = m_output.sent.size();
  notify("textDocument/didOpen", {{"textDocument", {{"uri", 3}}}});
  notify("workspace/didChangeWatchedFiles", json::object());
  notify("workspace/didChangeWatchedFiles", json::object());
  ASSERT_EQ(m_output.sent.size(), sent + 2);
  EXPECT_EQ(m_output.sent[sent].at("params").at("type"), 1);
  // Past the bound a document is told about and left unchecked.
  open(std::string(kMaxLspText + 1, 'a'));
  EXPECT_NE(response().at("params").at("message").get<std::string>().find("33 MB of text"),
            std::string::npos);
  EXPECT_TRUE(diagnostics().empty());

  request(9, "shutdown");
  EXPECT_TRUE(response().at("result").is_null());
  notify("exit", nullptr);
  EXPECT_EQ(m_server.exitStatus(), 0);
}

}  // namespace

}  // namespace verbolt
