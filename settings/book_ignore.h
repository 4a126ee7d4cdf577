// A book's own words to skip: the `.verbolt-ignore` files in the
// manuscript's folder and in every folder above it, up to the file
// system's root or a folder holding `.git`, as ignore files of other
// tools are found. Shared by the window (for a manuscript opened from a
// file) and verbolt-analyze (for every file under such a folder).
//
// The file is UTF-8 text, one word or phrase a line; "#" starts a comment,
// blank lines are ignored. A phrase skips each of its words.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "settings/analysis_settings.h"

namespace verbolt {

inline constexpr char kBookIgnoreName[] = ".verbolt-ignore";
// A larger file is refused unread: a list of words is never that long.
inline constexpr size_t kMaxBookIgnoreBytes = 1u << 20;

struct BookIgnore {
  struct File {
    std::string path;
    size_t words = 0;
  };
  // Windows-1252, lowered, each once, as the skip list holds them.
  WordList words;
  std::vector<File> files;  // the nearest first
  // One English line for each file that could not be used (unreadable,
  // binary, too large), which is skipped.
  std::vector<std::string> problems;
};

// The words of the ignore files that apply to a manuscript in `folder`.
BookIgnore readBookIgnore(const std::string& folder);

// The words of one ignore file's text; false when it is not UTF-8 text.
bool parseBookIgnore(std::string_view text, WordList& words);

// Adds the book's words to the skip list, each once.
void addBookIgnore(AnalysisSettings& settings, const BookIgnore& book);

// Adds `word` (Windows-1252) as a line of the ignore file in `folder`,
// making the file when there is none, unless it lists the word already.
// The file is replaced atomically and keeps its permissions; anything but
// a regular file under its name is left alone. False, with one English
// sentence in `problem`, when the word could not be added.
bool addToBookIgnore(const std::string& folder, const std::string& word, std::string& problem);

}  // namespace verbolt
