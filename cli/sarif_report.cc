// --format sarif: one SARIF 2.1.0 log, the form code-scanning services and
// editors read. The results are written file by file as they come; the
// log's head and tail frame them.

#include <cctype>

#include "cli/lint_report.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr std::string_view kSchema =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";

std::string jsonText(std::string_view utf8) {
  std::string out;
  appendJsonUtf8String(out, utf8);
  return out;
}

// Rule names in the upper camel case the format suggests.
std::string ruleName(std::string_view id) {
  std::string name;
  bool upper = true;
  for (char c : id) {
    if (c == '-') {
      upper = true;
      continue;
    }
    name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    upper = false;
  }
  return name;
}

std::string logHead(bool withEchoes) {
  std::string out = "{\n  \"$schema\": " + jsonText(kSchema) +
                    ",\n  \"version\": \"2.1.0\",\n  \"runs\": [\n    {\n"
                    "      \"tool\": {\n        \"driver\": {\n"
                    "          \"name\": \"verbolt-analyze\",\n"
                    "          \"version\": \"" VERBOLT_VERSION
                    "\",\n"
                    "          \"informationUri\": \"https://verbolt.example.org\",\n"
                    "          \"rules\": [";
  bool first = true;
  for (const LintRuleInfo& info : lintRules(withEchoes)) {
    out += first ? "\n" : ",\n";
    first = false;
    out += "            {\"id\": " + jsonText(info.id) +
           ", \"name\": " + jsonText(ruleName(info.id)) +
           ", \"shortDescription\": {\"text\": " + jsonText(info.summary) +
           "}, \"defaultConfiguration\": {\"level\": \"warning\"}}";
  }
  out += "\n          ]\n        }\n      },\n";
  out += "      \"columnKind\": \"unicodeCodePoints\",\n      \"results\": [";
  return out;
}

bool isUriSafe(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

// A relative path stays relative (to the directory the tool ran in); an
// absolute one becomes a file URI.
std::string pathUri(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = path.starts_with('/') ? "file://" : "";
  for (unsigned char c : path) {
    if (isUriSafe(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 0xF];
    }
  }
  return uri;
}

std::string region(const LineColumns& lines, int startPosition, int endPosition) {
  const LineColumn start = lines.at(static_cast<size_t>(startPosition));
  const LineColumn end = lines.at(static_cast<size_t>(endPosition));
  return "{\"startLine\": " + std::to_string(start.line) +
         ", \"startColumn\": " + std::to_string(start.column) +
         ", \"endLine\": " + std::to_string(end.line) +
         ", \"endColumn\": " + std::to_string(end.column) + "}";
}

// A repetition points back to the occurrence it repeats: the first of the
// pair, the first of the window, or the phrase or opening it echoes.
std::string relatedLocation(const AnalysedFile& file, const LintFinding& finding,
                            const std::string& location) {
  if (finding.earlier < 0) return {};
  const int end = earlierEnd(finding, file.text);
  const std::string_view what = earlierName(finding.rule);
  return ", \"relatedLocations\": [{\"id\": 1, \"message\": {\"text\": \"" + std::string(what) +
         "\"}, \"physicalLocation\": {" + location +
         ", \"region\": " + region(file.lines, finding.earlier, end) + "}}]";
}

class SarifReport : public LintReport {
 public:
  SarifReport(OutputBlockSink sink, bool withEchoes)
      : m_sink(std::move(sink)), m_withEchoes(withEchoes) {}

  void begin() override { m_sink(logHead(m_withEchoes)); }

  void file(const AnalysedFile& file) override {
    const std::string location =
        "\"artifactLocation\": {\"uri\": " + jsonText(pathUri(file.path)) + "}";
    std::string out;
    for (const LintFinding& finding : file.findings) {
      const LintRuleInfo& info = lintRuleInfo(finding.rule);
      out += m_first ? "\n" : ",\n";
      m_first = false;
      out += "        {\"ruleId\": " + jsonText(info.id) +
             ", \"ruleIndex\": " + std::to_string(lintRuleIndex(info.rule, m_withEchoes)) +
             ", \"level\": \"warning\", \"message\": {\"text\": " +
             jsonText(findingMessage(finding, file.text, file.lines)) +
             "}, \"locations\": [{\"physicalLocation\": {" + location +
             ", \"region\": " + region(file.lines, finding.start, finding.end) + "}}]" +
             relatedLocation(file, finding, location) + "}";
      if (out.size() > (1u << 16)) {
        m_sink(out);
        out.clear();
      }
    }
    if (!out.empty()) m_sink(out);
  }

  void end(const LintTotals&) override {
    m_sink(std::string(m_first ? "]" : "\n      ]") + "\n    }\n  ]\n}\n");
  }

 private:
  OutputBlockSink m_sink;
  bool m_withEchoes;
  bool m_first = true;
};

}  // namespace

std::unique_ptr<LintReport> makeSarifReport(OutputBlockSink sink, bool withEchoes) {
  return std::make_unique<SarifReport>(std::move(sink), withEchoes);
}

}  // namespace verbolt
