#include "cli/analyze_output.h"

#include <charconv>
#include <vector>

#include "text/cp1252.h"

namespace verbolt {

namespace {

constexpr size_t kBlockSize = 1 << 20;

// Gathers output and passes it on whenever a block is full.
class BlockWriter {
 public:
  explicit BlockWriter(const OutputBlockSink& sink) : m_sink(sink) {
    m_text.reserve(2 * kBlockSize);
  }

  std::string& text() { return m_text; }

  void passOnIfFull() {
    if (m_text.size() >= kBlockSize) passOn();
  }

  void passOn() {
    if (!m_text.empty()) m_sink(m_text);
    m_text.clear();
  }

 private:
  const OutputBlockSink& m_sink;
  std::string m_text;
};

void writeIntList(BlockWriter& writer, const std::vector<int>& values) {
  std::string& out = writer.text();
  out += '[';
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += ',';
    appendDecimal(out, values[i]);
    writer.passOnIfFull();
  }
  out += ']';
}

// `flatPairs` holds start, length, start, length...; a dangling last value
// has no length and is left out.
void writePairList(BlockWriter& writer, const std::vector<int>& flatPairs) {
  std::string& out = writer.text();
  out += '[';
  for (size_t i = 0; i + 1 < flatPairs.size(); i += 2) {
    if (i > 0) out += ',';
    out += '[';
    appendDecimal(out, flatPairs[i]);
    out += ',';
    appendDecimal(out, flatPairs[i + 1]);
    out += ']';
    writer.passOnIfFull();
  }
  out += ']';
}

// JSON demands escapes below 0x20 and for the quote and the backslash; DEL
// and the C1 controls are escaped too so they never reach a terminal raw.
bool needsEscape(char32_t c) {
  return c < 0x20 || c == '"' || c == '\\' || (c >= 0x7F && c <= 0x9F);
}

void appendEscape(std::string& out, char32_t c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
  }
  static constexpr char kHexDigits[] = "0123456789abcdef";
  out += "\\u00";
  out += kHexDigits[(c >> 4) & 0xF];
  out += kHexDigits[c & 0xF];
}

void writeEchoList(BlockWriter& writer, const std::vector<EchoRange>& ranges) {
  writer.text() += '[';
  for (size_t i = 0; i < ranges.size(); ++i) {
    std::string& out = writer.text();
    out += i == 0 ? "[" : ",[";
    appendDecimal(out, static_cast<long long>(ranges[i].begin));
    out += ',';
    appendDecimal(out, static_cast<long long>(ranges[i].end - ranges[i].begin));
    out += ',';
    appendDecimal(out,
                  ranges[i].earlier == kNoEarlier ? -1 : static_cast<long long>(ranges[i].earlier));
    out += ']';
    writer.passOnIfFull();
  }
  writer.text() += ']';
}

void writeJsonKeys(BlockWriter& writer, const AnalysisResult& result, const Echoes* echoes) {
  writer.text() += "  \"phraseRanges\": ";
  writePairList(writer, result.phraseRanges);
  writer.text() += ",\n  \"searchedStarts\": ";
  writeIntList(writer, result.searchedStarts);
  writer.text() += ",\n  \"distantStarts\": ";
  writeIntList(writer, result.distantStarts);
  writer.text() += ",\n  \"closeStarts\": ";
  writeIntList(writer, result.closeStarts);
  if (echoes) {
    writer.text() += ",\n  \"phraseEchoes\": ";
    writeEchoList(writer, echoes->phrases);
    writer.text() += ",\n  \"sentenceOpenings\": ";
    writeEchoList(writer, echoes->openings);
  }
  writer.text() += ",\n  \"report\": ";
  appendJsonString(writer.text(), result.report);
}

void appendCountLine(std::string& out, long long count, std::string_view label) {
  appendDecimal(out, count);
  out += ' ';
  out += label;
  out += '\n';
}

}  // namespace

void appendDecimal(std::string& out, long long value) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  size_t runStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = decodeCp1252(static_cast<unsigned char>(text[i]));
    if (!needsEscape(c)) continue;
    out += cp1252ToUtf8(text.substr(runStart, i - runStart));
    appendEscape(out, c);
    runStart = i + 1;
  }
  out += cp1252ToUtf8(text.substr(runStart));
  out += '"';
}

void writeAnalysisJson(const AnalysisResult& result, const OutputBlockSink& sink,
                       const Echoes* echoes) {
  BlockWriter writer(sink);
  writer.text() += "{\n";
  writeJsonKeys(writer, result, echoes);
  writer.text() += "\n}\n";
  writer.passOn();
}

void writeFileAnalysisJson(std::string_view pathUtf8, const AnalysisResult& result,
                           const OutputBlockSink& sink, const Echoes* echoes) {
  BlockWriter writer(sink);
  writer.text() += "{\n  \"path\": ";
  appendJsonUtf8String(writer.text(), pathUtf8);
  writer.text() += ",\n";
  writeJsonKeys(writer, result, echoes);
  writer.text() += "\n}";
  writer.passOn();
}

void appendJsonUtf8String(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x80 && needsEscape(byte)) {
      appendEscape(out, byte);
    } else {
      out += c;
    }
  }
  out += '"';
}

std::string analysisJson(const AnalysisResult& result) {
  std::string json;
  writeAnalysisJson(result, [&json](std::string_view block) { json += block; });
  return json;
}

std::string analysisSummary(const TextStatistics& statistics, const AnalysisResult& result,
                            bool eachStartOnce, const Echoes* echoes) {
  std::string out;
  appendCountLine(out, statistics.words, "words");
  appendCountLine(out, statistics.lettersWithoutSpaces, "letters (excluding spaces)");
  appendCountLine(out, statistics.lettersWithSpaces, "letters (including spaces)");
  out += '\n';
  appendCountLine(out, static_cast<long long>(result.phraseRanges.size() / 2), "phrase ranges");
  appendCountLine(out, static_cast<long long>(result.searchedStarts.size()), "searched words");
  size_t distant = eachStartOnce ? result.distantStarts.size() : result.distantStartCount;
  size_t close = eachStartOnce ? result.closeStarts.size() : result.closeStartCount;
  appendCountLine(out, static_cast<long long>(distant), "distant repetition starts");
  appendCountLine(out, static_cast<long long>(close), "close repetition starts");
  if (echoes) {
    appendCountLine(out, static_cast<long long>(echoes->phrases.size()), "phrase echo ranges");
    appendCountLine(out, static_cast<long long>(echoes->openings.size()),
                    "repeated sentence openings");
  }
  out += "\nTop-100:\n";
  out += cp1252ToUtf8(result.report);
  return out;
}

}  // namespace verbolt
