// The language server over any bytes: the framing takes them in uneven
// pieces (the first byte sets their size) and the dispatcher handles
// every message it gives, after an initialize of its own so that the
// documents' methods are reached at once; the documents changed are
// analysed after each piece. Whatever comes in, everything the server
// says is one JSON-RPC object, the findings of a document are published
// under its URI, and no frame holds more than the bound.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "cli/lsp_framing.h"
#include "cli/lsp_server.h"
#include "fuzz/fuzz_check.h"

namespace verbolt {

namespace {

using nlohmann::json;

void checkMessage(const std::string& body) {
  const json message = json::parse(body, nullptr, false);
  FUZZ_CHECK(!message.is_discarded());
  FUZZ_CHECK(message.is_object());
  FUZZ_CHECK(message.value("jsonrpc", "") == "2.0");
}

class Checked : public LspOutput {
 public:
  void send(std::string body) override { checkMessage(body); }
  void publish(const std::string& uri, std::string body) override {
    checkMessage(body);
    FUZZ_CHECK(json::parse(body).at("params").at("uri") == uri);
  }
};

// The one method that writes files (a word into a book's ignore file)
// would write them anywhere the input names: it is left out here, and
// tested on a folder of its own.
bool writesFiles(const std::string& body) {
  const json message = json::parse(body, nullptr, false);
  return message.is_object() && message.contains("method") &&
         message.at("method") == "workspace/executeCommand";
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = 1 + data[0] % 64;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  Checked output;
  LspServer server(output);
  server.handle(R"({"jsonrpc": "2.0", "id": 0, "method": "initialize", "params": {}})");
  LspFrameReader frames;
  LspFrame frame;
  for (size_t at = 0; at < bytes.size() && !server.exitStatus(); at += piece) {
    frames.feed(bytes.substr(at, piece));
    while (frames.next(frame) && !server.exitStatus()) {
      FUZZ_CHECK(frame.body.size() <= kMaxLspMessage);
      if (!frame.problem.empty()) {
        FUZZ_CHECK(frame.body.empty());
        server.frameProblem(frame.problem);
      } else if (!writesFiles(frame.body)) {
        server.handle(frame.body);
      }
    }
    server.analyseChanged();
  }
  return 0;
}
