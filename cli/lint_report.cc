#include "cli/lint_report.h"

#include "text/cp1252.h"
#include "text/utf8.h"

namespace verbolt {

namespace {

class JsonListReport : public LintReport {
 public:
  explicit JsonListReport(OutputBlockSink sink) : m_sink(std::move(sink)) {}

  void begin() override { m_sink("[\n"); }

  void file(const AnalysedFile& file) override {
    if (!m_first) m_sink(",\n");
    m_first = false;
    writeFileAnalysisJson(pathAsUtf8(file.path), file.result, m_sink, file.withEchoes);
  }

  void end(const LintTotals&) override { m_sink(m_first ? "]\n" : "\n]\n"); }

 private:
  OutputBlockSink m_sink;
  bool m_first = true;
};

class SummaryReport : public LintReport {
 public:
  SummaryReport(OutputBlockSink sink, bool eachStartOnce)
      : m_sink(std::move(sink)), m_eachStartOnce(eachStartOnce) {}

  void file(const AnalysedFile& file) override {
    std::string out = m_first ? "" : "\n";
    m_first = false;
    out += "==> " + pathOnALine(file.path) + " <==\n";
    out += analysisSummary(file.statistics, file.result, m_eachStartOnce, file.withEchoes);
    m_sink(out);
  }

 private:
  OutputBlockSink m_sink;
  bool m_eachStartOnce;
  bool m_first = true;
};

class LineReport : public LintReport {
 public:
  explicit LineReport(OutputBlockSink sink) : m_sink(std::move(sink)) {}

  void file(const AnalysedFile& file) override {
    std::string out;
    for (const LintFinding& finding : file.findings) {
      const LineColumn at = file.lines.at(static_cast<size_t>(finding.start));
      out += pathOnALine(file.path);
      out += ':';
      appendDecimal(out, at.line);
      out += ':';
      appendDecimal(out, at.column);
      out += ": ";
      out += lintRuleInfo(finding.rule).id;
      out += ": ";
      out += findingMessage(finding, file.text, file.lines);
      out += '\n';
      if (out.size() > (1u << 16)) {
        m_sink(out);
        out.clear();
      }
    }
    if (!out.empty()) m_sink(out);
  }

 private:
  OutputBlockSink m_sink;
};

// Workflow commands end at a line end and split their properties at ":"
// and ","; these are escaped as the runner unescapes them.
std::string githubEscaped(std::string_view text, bool property) {
  std::string out;
  for (char c : text) {
    if (c == '%') {
      out += "%25";
    } else if (c == '\r') {
      out += "%0D";
    } else if (c == '\n') {
      out += "%0A";
    } else if (property && c == ':') {
      out += "%3A";
    } else if (property && c == ',') {
      out += "%2C";
    } else {
      out += c;
    }
  }
  return out;
}

std::string countsText(const FindingCounts& counts, bool withEchoes) {
  std::string out;
  for (const LintRuleInfo& info : lintRules(withEchoes)) {
    // Only Markdown files have comments: the count says nothing elsewhere.
    if (info.rule == LintRule::kComment && counts.byRule[static_cast<size_t>(info.rule)] == 0) {
      continue;
    }
    if (!out.empty()) out += ", ";
    out +=
        std::to_string(counts.byRule[static_cast<size_t>(info.rule)]) + " " + std::string(info.id);
  }
  return out;
}

// Annotations are capped per step: the notice gives the whole count.
class GithubReport : public LintReport {
 public:
  GithubReport(OutputBlockSink sink, bool withEchoes)
      : m_sink(std::move(sink)), m_withEchoes(withEchoes) {}

  void file(const AnalysedFile& file) override {
    const std::string path = githubEscaped(pathAsUtf8(file.path), true);
    std::string out;
    for (const LintFinding& finding : file.findings) {
      const LineColumn at = file.lines.at(static_cast<size_t>(finding.start));
      const LineColumn end = file.lines.at(static_cast<size_t>(finding.end));
      out += "::warning file=" + path + ",line=" + std::to_string(at.line);
      if (end.line != at.line) out += ",endLine=" + std::to_string(end.line);
      out += ",col=" + std::to_string(at.column) + ",endColumn=" + std::to_string(end.column);
      out += ",title=" + std::string(lintRuleInfo(finding.rule).id) + "::";
      out += githubEscaped(findingMessage(finding, file.text, file.lines), false);
      out += '\n';
    }
    if (!out.empty()) m_sink(out);
  }

  void end(const LintTotals& totals) override {
    std::string out = "::notice title=verbolt-analyze::" + std::to_string(totals.findings.total()) +
                      " findings in " + std::to_string(totals.files) +
                      (totals.files == 1 ? " file" : " files") + " (" +
                      countsText(totals.findings, m_withEchoes) + ")";
    if (totals.unreadable > 0) {
      out += "; " + std::to_string(totals.unreadable) + " could not be read";
    }
    m_sink(out + "\n");
  }

 private:
  OutputBlockSink m_sink;
  bool m_withEchoes;
};

}  // namespace

bool reportsFindings(OutputFormat format) {
  return format == OutputFormat::kLine || format == OutputFormat::kSarif ||
         format == OutputFormat::kGithub;
}

std::unique_ptr<LintReport> makeLintReport(OutputFormat format, OutputBlockSink sink,
                                           bool eachStartOnce, bool withEchoes) {
  switch (format) {
    case OutputFormat::kJson:
      return std::make_unique<JsonListReport>(std::move(sink));
    case OutputFormat::kSummary:
      return std::make_unique<SummaryReport>(std::move(sink), eachStartOnce);
    case OutputFormat::kLine:
      return std::make_unique<LineReport>(std::move(sink));
    case OutputFormat::kSarif:
      return makeSarifReport(std::move(sink), withEchoes);
    case OutputFormat::kGithub:
      return std::make_unique<GithubReport>(std::move(sink), withEchoes);
  }
  return nullptr;
}

namespace {

void appendByteEscape(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

std::string escapedPath(std::string_view path, bool escapeControls) {
  std::string out;
  for (size_t i = 0; i < path.size();) {
    const size_t start = i;
    const char32_t c = nextUtf8Char(path, i);
    const std::string_view bytes = path.substr(start, i - start);
    // A replacement character that the name really holds is three bytes.
    const bool stray = c == kReplacementCharacter && bytes.size() == 1;
    if (stray || (escapeControls && isControl(c))) {
      for (unsigned char byte : bytes) appendByteEscape(out, byte);
    } else {
      out += bytes;
    }
  }
  return out;
}

}  // namespace

std::string pathAsUtf8(std::string_view path) { return escapedPath(path, false); }

std::string pathOnALine(std::string_view path) { return escapedPath(path, true); }

}  // namespace verbolt
