#include "settings/configuration.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string_view>

#include "files/durable_write.h"
#include "settings/save_temporary.h"
#include "text/debug_trace.h"

namespace verbolt {

namespace {

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

// Calls `visit` with each line until it returns false. LF, CRLF and a lone
// CR end a line; a final line end opens no further line. Lines are views
// into `content`, so a file of millions of short lines costs no memory
// beyond its own bytes.
template <typename Visit>
void forEachLine(std::string_view content, Visit visit) {
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      visit(content.substr(start));
      return;
    }
    if (!visit(content.substr(start, end - start))) return;
    start = end + 1;
    if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
  }
}

constexpr size_t kFieldCount = std::size(kFields);

// Index in kFields of the field stored under `key`, or kFieldCount.
size_t fieldIndex(std::string_view key) {
  for (size_t i = 0; i < kFieldCount; ++i) {
    if (kFields[i].key == key) return i;
  }
  return kFieldCount;
}

// The value of every stored field, from the first line that carries its
// key; missing keys stay empty. Reading stops once every key is found.
std::array<std::optional<std::string_view>, kFieldCount> firstValues(std::string_view content) {
  std::array<std::optional<std::string_view>, kFieldCount> values;
  size_t found = 0;
  forEachLine(content, [&](std::string_view line) {
    size_t separator = line.find(kKeySeparator);
    if (separator == std::string_view::npos) return true;
    size_t index = fieldIndex(line.substr(0, separator));
    if (index < kFieldCount && !values[index]) {
      values[index] = line.substr(separator + kKeySeparator.size());
      ++found;
    }
    return found < kFieldCount;
  });
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

// Reads a regular file whole. Anything else named `path` (a directory, a
// pipe, a device) is not a configuration file; opening without blocking
// and checking the opened file keeps a pipe from stalling start-up.
bool readRegularFile(const std::string& path, std::string& content) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok) content.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  while (ok) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    content.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return ok;
}

// The new file keeps the old one's permissions; a first file gets the
// usual ones for the user's umask. Either way its owner may read and write
// it: a file the next start cannot read would lose every setting again.
mode_t permissionsFor(const std::string& path) {
  constexpr mode_t kOwnerReadWrite = S_IRUSR | S_IWUSR;
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return (info.st_mode & 07777) | kOwnerReadWrite;
  mode_t mask = umask(0);
  umask(mask);
  return (0666 & ~mask) | kOwnerReadWrite;
}

// Writes beside the target, flushes to disk, then renames over it, so the
// old file stays whole until the new one is complete: a full disk, a crash
// or a power cut leaves either the old file or the new one, never a mix.
bool replaceFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temporary;
  int fd = createSaveTemporary(path, temporary);
  if (fd < 0) return false;
  bool ok = fchmod(fd, permissionsFor(path)) == 0 && writeAll(fd, bytes) && syncFile(fd);
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  syncParentDirectory(path);
  return true;
}

std::string notARegularFile(mode_t mode) {
  if (S_ISDIR(mode)) return "is a directory";
  if (S_ISFIFO(mode)) return "is a named pipe (FIFO)";
  if (S_ISSOCK(mode)) return "is a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device";
  return "is not a regular file";
}

}  // namespace

ConfigurationFileCheck checkConfigurationFile(const std::string& path) {
  // Without O_NONBLOCK, opening a pipe would wait for a writer.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    int error = errno;
    return {false, error, std::string("cannot be opened: ") + std::strerror(error)};
  }
  struct stat info;
  ConfigurationFileCheck check{true, 0, {}};
  if (fstat(fd, &info) != 0) {
    check = {false, errno, std::string("cannot be read: ") + std::strerror(errno)};
  } else if (!S_ISREG(info.st_mode)) {
    check = {false, 0, notARegularFile(info.st_mode)};
  } else {
    // A regular file that opens may still refuse to be read (EISDIR never,
    // EIO on a failing disk): one byte tells.
    char byte;
    ssize_t got;
    do {
      got = read(fd, &byte, 1);
    } while (got < 0 && errno == EINTR);
    if (got < 0) check = {false, errno, std::string("cannot be read: ") + std::strerror(errno)};
  }
  close(fd);
  return check;
}

bool LoadConfiguration(AnalysisSettings& settings, const std::string& path) {
  debugTrace("- Load configuration file...");
  std::string content;
  // An empty file has no lines at all: nothing is read, nothing clamped.
  if (!readRegularFile(path, content) || content.empty()) return false;

  auto values = firstValues(content);
  bool allFound = true;
  for (size_t i = 0; i < kFieldCount; ++i) {
    if (values[i]) {
      readField(settings, kFields[i], *values[i]);
    } else {
      allFound = false;
    }
  }
  settings.ClampToRanges();
  return allFound;
}

std::string configurationText(const AnalysisSettings& settings) {
  std::string text;
  text.append(kConfigurationHeader).append("\n");
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

}  // namespace verbolt
