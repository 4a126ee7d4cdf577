#include "cli/lsp_server.h"

#include <filesystem>
#include <new>
#include <nlohmann/json.hpp>

#include "cli/analyze_families.h"
#include "cli/analyze_output.h"
#include "cli/analyze_settings.h"
#include "cli/lsp_code_actions.h"
#include "settings/book_ignore.h"
#include "text/cp1252.h"

namespace verbolt {

using nlohmann::json;

namespace {

// JSON-RPC's and the protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestFailed = -32803;

// window/logMessage's types.
constexpr int kError = 1;
constexpr int kWarning = 2;
constexpr int kInfo = 3;

std::string jsonText(std::string_view utf8) {
  std::string out;
  appendJsonUtf8String(out, utf8);
  return out;
}

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Markdown and plain text are ours, by language id, or by the name's
// extension when the editor gives no known id.
std::optional<bool> isMarkdownDocument(std::string_view uri, std::string_view languageId) {
  if (languageId == "markdown") return true;
  if (languageId == "plaintext" || languageId == "text") return false;
  const std::string name = lowered(uri);
  if (name.ends_with(".md") || name.ends_with(".markdown")) return true;
  if (name.ends_with(".txt")) return false;
  return std::nullopt;
}

std::string megabytes(size_t bytes) { return std::to_string((bytes + (1u << 20) - 1) >> 20); }

LspPosition positionOf(const json& position) {
  return {position.at("line").get<int>(), position.at("character").get<int>()};
}

LspRange rangeOf(const json& range) {
  return {positionOf(range.at("start")), positionOf(range.at("end"))};
}

constexpr std::string_view kCapabilities =
    "{\"capabilities\": {\"positionEncoding\": \"utf-16\", "
    "\"textDocumentSync\": {\"openClose\": true, \"change\": 2}, "
    "\"codeActionProvider\": {\"codeActionKinds\": [\"quickfix\"]}, "
    "\"executeCommandProvider\": {\"commands\": [\"verbolt.ignoreWord\"]}}, "
    "\"serverInfo\": {\"name\": \"verbolt-analyze\", \"version\": \"" VERBOLT_VERSION "\"}}";

}  // namespace

// A message as it came: a request has an id and a method, a notification
// a method only; a response to a request of ours has neither method.
class LspServer::Message {
 public:
  explicit Message(json value) : m_json(std::move(value)) {}

  bool isObject() const { return m_json.is_object(); }
  bool hasId() const { return isObject() && m_json.contains("id"); }
  bool hasMethod() const {
    return isObject() && m_json.contains("method") && m_json.at("method").is_string();
  }
  std::string method() const { return hasMethod() ? m_json.at("method").get<std::string>() : ""; }
  // The id as the answer must carry it: a number or a string, or null.
  std::string id() const {
    if (!hasId()) return "null";
    const json& id = m_json.at("id");
    return id.is_number_integer() || id.is_string() ? id.dump() : "null";
  }
  bool validId() const {
    return !hasId() || m_json.at("id").is_number_integer() || m_json.at("id").is_string();
  }
  const json& params() const {
    static const json kNone = json::object();
    return isObject() && m_json.contains("params") ? m_json.at("params") : kNone;
  }

 private:
  json m_json;
};

LspServer::LspServer(LspOutput& output) : m_output(output) {}

void LspServer::respond(const Message& message, std::string_view result) {
  if (!message.hasId()) return;
  m_output.send("{\"jsonrpc\": \"2.0\", \"id\": " + message.id() +
                ", \"result\": " + std::string(result) + "}");
}

void LspServer::respondError(const Message& message, int code, const std::string& text) {
  if (!message.hasId() && message.hasMethod()) {
    log(kError, text);
    return;
  }
  m_output.send("{\"jsonrpc\": \"2.0\", \"id\": " + message.id() + ", \"error\": {\"code\": " +
                std::to_string(code) + ", \"message\": " + jsonText(text) + "}}");
}

void LspServer::log(int type, const std::string& text) {
  m_output.send(
      "{\"jsonrpc\": \"2.0\", \"method\": \"window/logMessage\", \"params\": {\"type\": " +
      std::to_string(type) + ", \"message\": " + jsonText("verbolt: " + text) + "}}");
}

void LspServer::tell(const std::string& text) {
  m_output.send(
      "{\"jsonrpc\": \"2.0\", \"method\": \"window/showMessage\", \"params\": {\"type\": 1, "
      "\"message\": " +
      jsonText("verbolt: " + text) + "}}");
}

void LspServer::frameProblem(const std::string& problem) { log(kError, "skipped " + problem); }

void LspServer::handle(std::string_view body) {
  json value = json::parse(body, nullptr, false);
  if (value.is_discarded()) {
    return respondError(Message(json()), kParseError, "the message is not JSON");
  }
  const Message message(std::move(value));
  if (!message.isObject() || !message.validId() || (!message.hasMethod() && !message.hasId())) {
    return respondError(Message(json()), kInvalidRequest, "the message is no JSON-RPC request");
  }
  // A response to a request of ours: none is waited for.
  if (!message.hasMethod()) return;
  try {
    dispatch(message);
  } catch (const json::exception& error) {
    respondError(
        message, kInvalidParams,
        message.method() + ": the parameters are not what it takes (" + error.what() + ")");
  }
}

void LspServer::dispatch(const Message& message) {
  const std::string method = message.method();
  if (method == "exit") {
    m_exitStatus = m_shutdown ? 0 : 1;
    return;
  }
  if (method == "initialize") return initialize(message);
  if (!m_initialized) {
    if (message.hasId()) respondError(message, kServerNotInitialized, "not initialized yet");
    return;
  }
  if (method == "initialized" || method == "textDocument/didSave" || method.starts_with("$/")) {
    return;
  }
  if (method == "shutdown") {
    m_shutdown = true;
    return respond(message, "null");
  }
  if (method == "textDocument/didOpen") return didOpen(message);
  if (method == "textDocument/didChange") return didChange(message);
  if (method == "textDocument/didClose") return didClose(message);
  if (method == "workspace/didChangeConfiguration") return didChangeConfiguration(message);
  if (method == "textDocument/codeAction") return codeAction(message);
  if (method == "workspace/executeCommand") return executeCommand(message);
  if (message.hasId()) {
    respondError(message, kMethodNotFound, "unknown method " + method);
  } else if (m_told.insert("method " + method).second) {
    log(kInfo, "ignored the notification " + method);
  }
}

void LspServer::initialize(const Message& message) {
  if (m_initialized) {
    return respondError(message, kInvalidRequest, "initialize came twice");
  }
  m_initialized = true;
  const json& params = message.params();
  if (params.contains("rootUri") && params.at("rootUri").is_string()) {
    m_root = lspUriPath(params.at("rootUri").get<std::string>()).value_or("");
  }
  if (params.contains("initializationOptions")) applySettings(params.at("initializationOptions"));
  respond(message, kCapabilities);
}

void LspServer::applySettings(const json& given) {
  const json& settings =
      given.is_object() && given.contains("verbolt") ? given.at("verbolt") : given;
  if (!settings.is_object()) return;
  LspSettings next = m_settings;
  const auto problem = [this](const std::string& text) { log(kWarning, text); };
  if (settings.contains("config")) {
    const json& config = settings.at("config");
    if (config.is_string() && !config.get<std::string>().empty()) {
      next.configPath = config.get<std::string>();
    } else if (config.is_null() || config.is_string()) {
      next.configPath.reset();
    } else {
      problem("the setting config takes the path of a config.txt");
    }
  }
  if (settings.contains("families")) {
    const json& families = settings.at("families");
    if (families.is_string()) {
      next.families = families.get<std::string>();
    } else {
      problem("the setting families takes beginning, lemma-fr or lemma-en");
    }
  }
  if (settings.contains("echoes")) {
    if (settings.at("echoes").is_boolean()) {
      next.echoes = settings.at("echoes").get<bool>();
    } else {
      problem("the setting echoes takes true or false");
    }
  }
  if (settings.contains("severity")) {
    const json& severity = settings.at("severity");
    if (severity == "hint") {
      next.severity = LspSeverity::kHint;
    } else if (severity == "information") {
      next.severity = LspSeverity::kInformation;
    } else {
      problem("the setting severity takes hint or information");
    }
  }
  m_settings = next;
  m_base.reset();
  for (const auto& [uri, document] : m_documents) m_changed.insert(uri);
}

const AnalysisSettings& LspServer::baseSettings() {
  if (m_base) return *m_base;
  std::string warning;
  // A relative path names a file of the workspace, wherever the editor
  // started the server.
  std::optional<std::string> config = m_settings.configPath;
  if (config && !m_root.empty() && std::filesystem::path(*config).is_relative()) {
    config = (std::filesystem::path(m_root) / *config).string();
  }
  const ConfigurationFileCheck check =
      config ? checkConfigurationFile(*config) : ConfigurationFileCheck{true, 0, {}};
  AnalysisSettings settings = settingsOfConfig(config, check, warning);
  if (!warning.empty()) log(kWarning, warning);
  settings.m_echoes.phrasesActive = m_settings.echoes;
  settings.m_echoes.openingsActive = m_settings.echoes;
  std::string problem;
  if (!applyFamilies(m_settings.families, settings, &problem)) {
    log(kWarning, problem + "; similar words share a beginning");
  }
  m_base = std::move(settings);
  return *m_base;
}

// The run's settings with the words of the book's ignore files, read anew
// each time, so that an edit of one counts at the next change.
AnalysisSettings LspServer::settingsFor(const LspDocument& document) {
  AnalysisSettings settings = baseSettings();
  const std::optional<std::string> path = lspUriPath(document.uri);
  if (!path) return settings;
  const BookIgnore book = readBookIgnore(std::filesystem::path(*path).parent_path().string());
  for (const std::string& problem : book.problems) {
    if (m_told.insert(problem).second) log(kWarning, problem);
  }
  addBookIgnore(settings, book);
  return settings;
}

void LspServer::publishEmpty(const std::string& uri) {
  m_output.publish(uri,
                   "{\"jsonrpc\": \"2.0\", \"method\": \"textDocument/publishDiagnostics\", "
                   "\"params\": {\"uri\": " +
                       jsonText(uri) + ", \"diagnostics\": []}}");
}

// A document past the bound is dropped, with its findings, and told.
void LspServer::keepIfSmall(const std::string& uri) {
  const auto found = m_documents.find(uri);
  if (found == m_documents.end() || found->second.text.size() <= kMaxLspText) return;
  log(kWarning, uri + " holds " + megabytes(found->second.text.size()) +
                    " MB of text, more than the " + megabytes(kMaxLspText) +
                    " MB that are checked; it is left unchecked");
  m_documents.erase(found);
  m_changed.erase(uri);
  publishEmpty(uri);
}

void LspServer::didOpen(const Message& message) {
  const json& item = message.params().at("textDocument");
  const std::string uri = item.at("uri").get<std::string>();
  const std::optional<bool> markdown =
      isMarkdownDocument(uri, item.value("languageId", std::string()));
  if (!markdown) return;
  LspDocument& document = m_documents[uri];
  document.uri = uri;
  document.markdown = *markdown;
  document.version = item.value("version", 0);
  document.text = item.at("text").get<std::string>();
  m_changed.insert(uri);
  keepIfSmall(uri);
}

void LspServer::didChange(const Message& message) {
  const json& params = message.params();
  const std::string uri = params.at("textDocument").at("uri").get<std::string>();
  const auto found = m_documents.find(uri);
  if (found == m_documents.end()) return;
  LspDocument& document = found->second;
  // Marked first: an edit that fails half-way has still changed the text.
  m_changed.insert(uri);
  for (const json& change : params.at("contentChanges")) {
    std::optional<LspRange> range;
    if (change.contains("range")) range = rangeOf(change.at("range"));
    document.change(range, change.at("text").get<std::string>());
    // Past the bound, the next edits cannot be applied.
    if (document.text.size() > kMaxLspText) return keepIfSmall(uri);
  }
  document.version = params.at("textDocument").value("version", document.version);
}

void LspServer::didClose(const Message& message) {
  const std::string uri = message.params().at("textDocument").at("uri").get<std::string>();
  if (m_documents.erase(uri) == 0) return;
  m_changed.erase(uri);
  publishEmpty(uri);
}

void LspServer::didChangeConfiguration(const Message& message) {
  const json& params = message.params();
  if (params.contains("settings")) applySettings(params.at("settings"));
}

void LspServer::codeAction(const Message& message) {
  const json& params = message.params();
  const std::string uri = params.at("textDocument").at("uri").get<std::string>();
  const auto found = m_documents.find(uri);
  if (found == m_documents.end()) return respond(message, "[]");
  std::vector<LspDiagnosticSeen> seen;
  if (params.contains("context") && params.at("context").contains("diagnostics")) {
    for (const json& diagnostic : params.at("context").at("diagnostics")) {
      if (diagnostic.value("source", std::string()) != "verbolt" || !diagnostic.contains("code") ||
          !diagnostic.at("code").is_string()) {
        continue;
      }
      seen.push_back({rangeOf(diagnostic.at("range")), diagnostic.at("code").get<std::string>(),
                      diagnostic.dump(-1, ' ', false, json::error_handler_t::replace)});
    }
  }
  respond(message, lspCodeActions(found->second, seen));
}

void LspServer::executeCommand(const Message& message) {
  const json& params = message.params();
  if (params.at("command") != kIgnoreWordCommand) {
    return respondError(message, kInvalidParams, "unknown command");
  }
  const json& arguments = params.at("arguments");
  const std::string uri = arguments.at(0).get<std::string>();
  const std::string word = arguments.at(1).get<std::string>();
  const std::optional<std::string> path = lspUriPath(uri);
  std::string cp1252;
  size_t errorOffset = 0;
  std::string problem = "the document is not a file";
  if (path && utf8ToCp1252(word, cp1252, errorOffset) &&
      addToBookIgnore(std::filesystem::path(*path).parent_path().string(), cp1252, problem)) {
    for (const auto& [open, document] : m_documents) m_changed.insert(open);
    return respond(message, "null");
  }
  tell(problem);
  respondError(message, kRequestFailed, problem);
}

void LspServer::analyseChanged() {
  const std::set<std::string> changed = std::move(m_changed);
  m_changed.clear();
  for (const std::string& uri : changed) {
    const auto found = m_documents.find(uri);
    if (found == m_documents.end()) continue;
    const LspDocument& document = found->second;
    try {
      const LspDiagnostics diagnostics =
          lspDiagnostics(document, settingsFor(document), m_settings.severity);
      m_output.publish(uri,
                       "{\"jsonrpc\": \"2.0\", \"method\": \"textDocument/publishDiagnostics\", "
                       "\"params\": {\"uri\": " +
                           jsonText(uri) + ", \"version\": " + std::to_string(document.version) +
                           ", \"diagnostics\": " + diagnostics.json + "}}");
    } catch (const std::bad_alloc&) {
      log(kError, "out of memory while checking " + uri);
      publishEmpty(uri);
    }
  }
}

}  // namespace verbolt
