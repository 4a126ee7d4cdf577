#include "settings/configuration.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/debug_trace.h"

namespace {

constexpr std::string_view kHeader = "// Verbolt 2 configuration file";
constexpr std::string_view kKeySeparator = " = ";
// Phrases are stored on one line, separated by a backslash and an "n".
constexpr std::string_view kStoredPhraseSeparator = "\\n";

enum class FieldKind { kNumber, kWordList, kPhraseList };

struct Field {
  std::string_view key;
  FieldKind kind;
  int AnalysisSettings::*number;
  WordList AnalysisSettings::*list;
  bool blankLineAfter;
};

constexpr Field number(std::string_view key, int AnalysisSettings::*member, bool blank = false) {
  return {key, FieldKind::kNumber, member, nullptr, blank};
}
constexpr Field list(std::string_view key, WordList AnalysisSettings::*member, FieldKind kind,
                     bool blank = false) {
  return {key, kind, nullptr, member, blank};
}

// The stored fields in file order; a blank line closes each section.
const Field kFields[] = {
    number("m_skipActive", &AnalysisSettings::m_skipActive),
    number("m_skipNbLettersMin", &AnalysisSettings::m_skipNbLettersMin),
    number("m_skipNbLettersMax", &AnalysisSettings::m_skipNbLettersMax),
    list("m_skipWords", &AnalysisSettings::m_skipWords, FieldKind::kWordList, true),
    number("m_sameActive", &AnalysisSettings::m_sameActive),
    number("m_sameNbLetters", &AnalysisSettings::m_sameNbLetters),
    number("m_samePercent", &AnalysisSettings::m_samePercent, true),
    number("m_closeActive", &AnalysisSettings::m_closeActive),
    number("m_closeDistance", &AnalysisSettings::m_closeDistance, true),
    number("m_distantActive", &AnalysisSettings::m_distantActive),
    number("m_distantNb", &AnalysisSettings::m_distantNb),
    number("m_distantDistance", &AnalysisSettings::m_distantDistance, true),
    number("m_wordsActive", &AnalysisSettings::m_wordsActive),
    number("m_wordsLetterMin", &AnalysisSettings::m_wordsLetterMin),
    number("m_wordsLetterMax", &AnalysisSettings::m_wordsLetterMax),
    list("m_wordsList", &AnalysisSettings::m_wordsList, FieldKind::kWordList),
    list("m_wordsPartsList", &AnalysisSettings::m_wordsPartsList, FieldKind::kWordList, true),
    number("m_phrasesActive", &AnalysisSettings::m_phrasesActive),
    list("m_phrasesList", &AnalysisSettings::m_phrasesList, FieldKind::kPhraseList),
};

std::string fieldValue(const AnalysisSettings& settings, const Field& field) {
  switch (field.kind) {
    case FieldKind::kNumber:
      return std::to_string(settings.*field.number);
    case FieldKind::kWordList:
      return AnalysisSettings::JoinList(settings.*field.list, " ");
    case FieldKind::kPhraseList:
      return AnalysisSettings::JoinList(settings.*field.list, kStoredPhraseSeparator);
  }
  return {};
}

// Splits at LF, CRLF and lone CR; a final line end opens no further line.
std::vector<std::string_view> splitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(content.substr(start));
      break;
    }
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
    if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
  }
  return lines;
}

// Value of every key, from the first line that carries it.
std::unordered_map<std::string_view, std::string_view> firstValues(
    const std::vector<std::string_view>& lines) {
  std::unordered_map<std::string_view, std::string_view> values;
  for (std::string_view line : lines) {
    size_t separator = line.find(kKeySeparator);
    if (separator == std::string_view::npos) continue;
    values.emplace(line.substr(0, separator), line.substr(separator + kKeySeparator.size()));
  }
  return values;
}

void appendSplit(WordList& list, std::string_view text, char separator, bool dropSingleBlank) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view piece = text.substr(start, end - start);
    if (!piece.empty() && !(dropSingleBlank && piece == " ")) list.emplace_back(piece);
    start = end + 1;
  }
}

std::string expandStoredLineFeeds(std::string_view value) {
  std::string expanded;
  expanded.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (value.substr(i, 2) == kStoredPhraseSeparator) {
      expanded.push_back('\n');
      ++i;
    } else {
      expanded.push_back(value[i]);
    }
  }
  return expanded;
}

void readField(AnalysisSettings& settings, const Field& field, std::string_view value) {
  switch (field.kind) {
    case FieldKind::kNumber:
      settings.*field.number = parseCount(value);
      break;
    case FieldKind::kWordList:
      appendSplit(settings.*field.list, value, ' ', false);
      break;
    case FieldKind::kPhraseList:
      appendSplit(settings.*field.list, expandStoredLineFeeds(value), '\n', true);
      break;
  }
}

bool isRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool readWholeFile(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The new file keeps the old one's permissions; a first file gets the
// usual ones for the user's umask.
mode_t permissionsFor(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Writes beside the target, flushes to disk, then renames over it, so the
// old file stays whole until the new one is complete.
bool replaceFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temporary = path + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  bool ok = fchmod(fd, permissionsFor(path)) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
  return ok;
}

}  // namespace

bool LoadConfiguration(AnalysisSettings& settings, const std::string& path) {
  debugTrace("- Load configuration file...");
  std::string content;
  if (!isRegularFile(path) || !readWholeFile(path, content)) return false;
  std::vector<std::string_view> lines = splitLines(content);
  if (lines.empty()) return false;

  auto values = firstValues(lines);
  bool allFound = true;
  for (const Field& field : kFields) {
    auto found = values.find(field.key);
    if (found == values.end()) {
      allFound = false;
      continue;
    }
    readField(settings, field, found->second);
  }
  settings.ClampToRanges();
  return allFound;
}

std::string configurationText(const AnalysisSettings& settings) {
  std::string text;
  text.append(kHeader).append("\n");
  for (const Field& field : kFields) {
    text.append(field.key).append(kKeySeparator).append(fieldValue(settings, field)).append("\n");
    if (field.blankLineAfter) text.append("\n");
  }
  // The closing pair that ends the file on every platform.
  text.append("\r\n");
  return text;
}

void SaveConfiguration(const AnalysisSettings& settings, const std::string& path) {
  debugTrace("- Save configuration to file...");
  if (!replaceFileAtomically(path, configurationText(settings))) {
    debugTrace("- Configuration file could not be written: " + path);
  }
}
