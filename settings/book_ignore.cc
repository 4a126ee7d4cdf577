#include "settings/book_ignore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "files/durable_write.h"
#include "files/small_file.h"
#include "settings/save_temporary.h"
#include "text/cp1252.h"
#include "text/utf8.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& path) { return "'" + path + "'"; }

// The file's bytes, within the bound; false with `problem` set otherwise.
bool readListFile(const std::string& path, std::string& bytes, std::string& problem) {
  int error = 0;
  switch (readSmallFile(path, kMaxBookIgnoreBytes, bytes, error)) {
    case SmallFileRead::kRead:
      return true;
    case SmallFileRead::kNotRegular:
      problem = quoted(path) + " is not a regular file";
      return false;
    case SmallFileRead::kTooLarge:
      problem = quoted(path) + " is too large for a list of words (over 1 MB)";
      return false;
    case SmallFileRead::kCannotOpen:
    case SmallFileRead::kCannotRead:
      break;
  }
  problem = quoted(path) + " cannot be read: " + std::strerror(error);
  return false;
}

bool holdsGit(const fs::path& folder) {
  std::error_code error;
  return fs::exists(folder / ".git", error);
}

}  // namespace

bool parseBookIgnore(std::string_view text, WordList& words) {
  if (text.find('\0') != std::string_view::npos || !isValidUtf8(text)) return false;
  std::string joined;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    line = line.substr(0, line.find('#'));
    joined.append(line).push_back(' ');
    start = end + 1;
  }
  std::string cp1252;
  size_t errorOffset = 0;
  if (!utf8ToCp1252(joined, cp1252, errorOffset)) return false;
  // Tabs and carriage returns part words as spaces do.
  std::replace_if(
      cp1252.begin(), cp1252.end(), [](char c) { return c == '\t' || c == '\r'; }, ' ');
  WordList lineWords;
  AnalysisSettings::SetListFromText(lineWords, cp1252, " ");
  for (std::string& word : lineWords) {
    if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) {
      words.push_back(word);
    }
  }
  return true;
}

BookIgnore readBookIgnore(const std::string& folder) {
  BookIgnore book;
  if (folder.empty()) return book;
  std::error_code error;
  fs::path here = fs::absolute(folder, error).lexically_normal();
  if (error) return book;
  for (;;) {
    const fs::path candidate = here / kBookIgnoreName;
    struct stat status;
    if (lstat(candidate.c_str(), &status) == 0) {
      std::string bytes, problem;
      WordList words;
      if (!readListFile(candidate.string(), bytes, problem)) {
        book.problems.push_back(problem);
      } else if (!parseBookIgnore(bytes, words)) {
        book.problems.push_back(quoted(candidate.string()) + " is not UTF-8 text: skipped");
      } else {
        book.files.push_back({candidate.string(), words.size()});
        for (std::string& word : words) {
          if (std::find(book.words.begin(), book.words.end(), word) == book.words.end()) {
            book.words.push_back(std::move(word));
          }
        }
      }
    }
    if (holdsGit(here) || !here.has_relative_path()) break;
    here = here.parent_path();
  }
  return book;
}

void addBookIgnore(AnalysisSettings& settings, const BookIgnore& book) {
  for (const std::string& word : book.words) {
    if (std::find(settings.m_skipWords.begin(), settings.m_skipWords.end(), word) ==
        settings.m_skipWords.end()) {
      settings.m_skipWords.push_back(word);
    }
  }
}

bool addToBookIgnore(const std::string& folder, const std::string& word, std::string& problem) {
  const std::string path = (fs::path(folder) / kBookIgnoreName).string();
  std::string bytes;
  mode_t mode = S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
  struct stat status;
  if (lstat(path.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) {
      problem = quoted(path) + " is not a regular file: the word was not added";
      return false;
    }
    if (!readListFile(path, bytes, problem)) return false;
    WordList listed;
    if (!parseBookIgnore(bytes, listed)) {
      problem = quoted(path) + " is not UTF-8 text: the word was not added";
      return false;
    }
    WordList adding;
    parseBookIgnore(cp1252ToUtf8(word), adding);
    if (std::all_of(adding.begin(), adding.end(), [&listed](const std::string& w) {
          return std::find(listed.begin(), listed.end(), w) != listed.end();
        })) {
      return true;
    }
    mode = status.st_mode & 07777;
  } else if (errno != ENOENT) {
    problem = quoted(path) + " cannot be read: " + std::strerror(errno);
    return false;
  }
  if (!bytes.empty() && bytes.back() != '\n') bytes += '\n';
  bytes += cp1252ToUtf8(word) + "\n";
  std::string temporary;
  const int fd = createSaveTemporary(path, temporary);
  bool ok = fd >= 0 && fchmod(fd, mode) == 0 && writeAll(fd, bytes) && syncFile(fd);
  const int savedErrno = errno;
  if (fd >= 0) ok = close(fd) == 0 && ok;
  ok = ok && rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    problem = quoted(path) + " cannot be written: " + std::strerror(fd < 0 ? savedErrno : errno);
    if (fd >= 0) unlink(temporary.c_str());
    return false;
  }
  syncParentDirectory(path);
  return true;
}

}  // namespace verbolt
