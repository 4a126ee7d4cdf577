// Which paragraphs of a changed stretch of a document became which of its
// new lines: a line edited, split in two, joined to the next, deleted or
// new. Saving rewrites each paragraph from the lines it became, so that an
// edit beside a split does not carry one paragraph's formatting into the
// other.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace verbolt {

// Paragraphs [paragraphBegin, paragraphEnd) became lines [lineBegin,
// lineEnd): either side may be empty (deleted paragraphs, new lines).
struct AlignedStep {
  size_t paragraphBegin = 0;
  size_t paragraphEnd = 0;
  size_t lineBegin = 0;
  size_t lineEnd = 0;
};

struct AlignedParagraph {
  std::string_view text;  // its lines joined by "\n"
  size_t lines = 1;
  bool joinsNext = true;  // whether it may be joined to the next one
};

// The cheapest steps, counting the bytes each rewrites, in order. `lines`
// are views into one text, in order, so that consecutive lines read as
// one. A paragraph deleted next to an edited one that it may join is
// edited with it, so that its bookmarks and notes stay. The search takes
// paragraphs × lines steps: larger stretches come as one step.
std::vector<AlignedStep> alignParagraphs(const std::vector<AlignedParagraph>& paragraphs,
                                         const std::vector<std::string_view>& lines,
                                         size_t maxCells = 1 << 14);

// The bytes an edit from `before` to `after` rewrites, once their common
// beginning and end are kept.
size_t changedBytes(std::string_view before, std::string_view after);

}  // namespace verbolt
