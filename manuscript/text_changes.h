// Where two versions of a paragraph differ, stretch by stretch: two words
// changed far apart are two changes, so that the formatting of the text
// between them is not rewritten.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace verbolt {

// Bytes [from, to) of the old text became `inserted`.
struct TextChange {
  size_t from = 0;
  size_t to = 0;
  std::string_view inserted;  // a view into the new text
};

// The changes from `before` to `after`, in order, found word by word
// (a word is a run of letters and digits, or of bytes of other alphabets;
// anything else is a word of one byte). Cut at character boundaries.
std::vector<TextChange> textChanges(std::string_view before, std::string_view after);

}  // namespace verbolt
