// The language server's dispatcher: it takes the editor's messages one by
// one (initialize, the documents opened, changed and closed, the settings,
// code actions, shutdown), keeps the open documents and publishes their
// findings. It does no input or output of its own, so that a test or a
// fuzzer drives it as the connection does.
#pragma once

#include <map>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "cli/lsp_diagnostics.h"
#include "cli/lsp_document.h"
#include "settings/analysis_settings.h"

namespace verbolt {

// A document's text is analysed up to this size, the command line's bound
// on a document's text; a larger one is told once and not checked.
inline constexpr size_t kMaxLspText = 32u << 20;

class LspOutput {
 public:
  virtual ~LspOutput() = default;
  // A response, a request or a notification, in order.
  virtual void send(std::string body) = 0;
  // The diagnostics of `uri`: newer ones may replace those not written yet.
  virtual void publish(const std::string& uri, std::string body) = 0;
};

// What the editor may set, in initializationOptions or in the "verbolt"
// object of workspace/didChangeConfiguration (a relative config path is
// taken in the workspace's folder, its rootUri):
//   {"config": "docs/verbolt.txt", "families": "lemma-fr", "echoes": true,
//    "severity": "hint"}
struct LspSettings {
  std::optional<std::string> configPath;
  std::string families = "beginning";
  bool echoes = false;
  LspSeverity severity = LspSeverity::kInformation;
};

class LspServer {
 public:
  explicit LspServer(LspOutput& output);

  // One message; one that is not JSON-RPC is answered with an error.
  void handle(std::string_view body);

  // A frame the connection could not read, told to the editor's log.
  void frameProblem(const std::string& problem);

  // Analyses the documents changed since the last call, each once, at its
  // latest version, and publishes their findings.
  void analyseChanged();
  bool hasChanged() const { return !m_changed.empty(); }

  bool isShutDown() const { return m_shutdown; }
  // Set by "exit": 0 after a shutdown, 1 without one.
  std::optional<int> exitStatus() const { return m_exitStatus; }

 private:
  class Message;

  void dispatch(const Message& message);
  void initialize(const Message& message);
  void didOpen(const Message& message);
  void didChange(const Message& message);
  void didClose(const Message& message);
  void didChangeConfiguration(const Message& message);
  void codeAction(const Message& message);
  void executeCommand(const Message& message);

  void respond(const Message& message, std::string_view result);
  void respondError(const Message& message, int code, const std::string& text);
  void log(int type, const std::string& text);
  void tell(const std::string& text);  // a message the writer sees at once
  void publishEmpty(const std::string& uri);
  void keepIfSmall(const std::string& uri);

  void applySettings(const nlohmann::json& json);
  const AnalysisSettings& baseSettings();
  AnalysisSettings settingsFor(const LspDocument& document);

  LspOutput& m_output;
  bool m_initialized = false;
  bool m_shutdown = false;
  std::optional<int> m_exitStatus;
  std::map<std::string, LspDocument> m_documents;
  std::set<std::string> m_changed;
  std::string m_root;  // the workspace's folder, when the editor names one
  LspSettings m_settings;
  std::optional<AnalysisSettings> m_base;
  std::set<std::string> m_told;
};

}  // namespace verbolt
