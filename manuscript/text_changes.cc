#include "manuscript/text_changes.h"

#include "manuscript/line_diff.h"

namespace verbolt {

namespace {

bool isWordByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

std::vector<std::string_view> wordsOf(std::string_view text) {
  std::vector<std::string_view> words;
  for (size_t i = 0; i < text.size();) {
    size_t end = i + 1;
    if (isWordByte(text[i])) {
      while (end < text.size() && isWordByte(text[end])) ++end;
    }
    words.push_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

size_t offsetOf(std::string_view text, const std::vector<std::string_view>& words, size_t word) {
  return word < words.size() ? static_cast<size_t>(words[word].data() - text.data()) : text.size();
}

}  // namespace

std::vector<TextChange> textChanges(std::string_view before, std::string_view after) {
  const std::vector<std::string_view> oldWords = wordsOf(before), newWords = wordsOf(after);
  std::vector<TextChange> changes;
  // A paragraph rewritten throughout is one change.
  for (const LineHunk& hunk : diffLines(oldWords, newWords, 512)) {
    const size_t from = offsetOf(before, oldWords, hunk.oldBegin);
    const size_t to = offsetOf(before, oldWords, hunk.oldEnd);
    const size_t newFrom = offsetOf(after, newWords, hunk.newBegin);
    const size_t newTo = offsetOf(after, newWords, hunk.newEnd);
    changes.push_back({from, to, after.substr(newFrom, newTo - newFrom)});
  }
  return changes;
}

}  // namespace verbolt
