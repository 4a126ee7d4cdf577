#include "analysis/character_names.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "analysis/sentence_marks.h"
#include "text/words.h"

namespace verbolt {

namespace {

bool isCapital(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return true;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return true;
  // Š Œ Ž Ÿ, which Windows-1252 places among its punctuation.
  return c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F;
}

// Ends a sentence, or opens one: a capital after it proves nothing.
bool opensASentence(unsigned char c) { return endsASentence(c) || opensDialogue(c); }

// Whether the word at `start` is the first of its sentence.
bool startsASentence(std::string_view text, size_t start) {
  for (size_t i = start; i > 0; --i) {
    const unsigned char c = text[i - 1];
    if (isWordChar(c)) return false;
    if (opensASentence(c)) return true;
  }
  return true;
}

struct Seen {
  size_t order;
  bool alwaysCapital = true;
  bool inside = false;
};

}  // namespace

WordList characterNames(std::string_view text) {
  std::unordered_map<std::string, Seen> words;
  forEachWord(text, [&](size_t start, size_t end) {
    std::string word = lowercaseText(text.substr(start, end - start));
    Seen& seen = words.try_emplace(std::move(word), Seen{words.size()}).first->second;
    if (!isCapital(static_cast<unsigned char>(text[start]))) {
      seen.alwaysCapital = false;
    } else if (!startsASentence(text, start)) {
      seen.inside = true;
    }
  });
  WordList names;
  std::vector<std::pair<size_t, const std::string*>> found;
  for (const auto& [word, seen] : words) {
    if (seen.alwaysCapital && seen.inside) found.emplace_back(seen.order, &word);
  }
  std::sort(found.begin(), found.end());
  for (const auto& [order, word] : found) names.push_back(*word);
  return names;
}

}  // namespace verbolt
