#include "export/top100_csv.h"

#include <charconv>

namespace verbolt {

namespace {

constexpr std::string_view kSimilarIndent = "       ";
constexpr std::string_view kCountSeparator = " : ";

std::string_view nextLine(std::string_view& text) {
  const size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

// "%3d : word": the count, right-aligned, then the word.
bool parseMainLine(std::string_view line, Top100Row& row) {
  const size_t digits = line.find_first_not_of(' ');
  if (digits == std::string_view::npos) return false;
  const char* first = line.data() + digits;
  const auto [end, problem] = std::from_chars(first, line.data() + line.size(), row.count);
  if (problem != std::errc() || end == first) return false;
  std::string_view rest(end, static_cast<size_t>(line.data() + line.size() - end));
  if (!rest.starts_with(kCountSeparator)) return false;
  row.word = rest.substr(kCountSeparator.size());
  return true;
}

void appendField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

}  // namespace

std::vector<Top100Row> parseTop100Report(std::string_view reportUtf8) {
  std::vector<Top100Row> rows;
  while (!reportUtf8.empty()) {
    const std::string_view line = nextLine(reportUtf8);
    Top100Row row;
    if (parseMainLine(line, row)) {
      rows.push_back(std::move(row));
    } else if (line.starts_with(kSimilarIndent) && !rows.empty() &&
               line.size() > kSimilarIndent.size()) {
      rows.back().similarWords.emplace_back(line.substr(kSimilarIndent.size()));
    }
  }
  return rows;
}

std::string exportTop100Csv(std::string_view reportUtf8) {
  std::string out = "count,word,similar words\r\n";
  for (const Top100Row& row : parseTop100Report(reportUtf8)) {
    out += std::to_string(row.count);
    out += ',';
    appendField(out, row.word);
    out += ',';
    appendField(out, joined(row.similarWords));
    out += "\r\n";
  }
  return out;
}

}  // namespace verbolt
