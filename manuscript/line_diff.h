// Which lines of a text an edit changed: the lines two texts share, in
// order, and the hunks between them. Saving a document rewrites only the
// paragraphs of the hunks.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace verbolt {

// Old lines [oldBegin, oldEnd) became new lines [newBegin, newEnd); one
// side may be empty. Between two hunks the lines are the same.
struct LineHunk {
  size_t oldBegin = 0;
  size_t oldEnd = 0;
  size_t newBegin = 0;
  size_t newEnd = 0;
};

// The hunks of a shortest edit from `oldLines` to `newLines`, in order.
// Past `maxEdits` lines inserted or deleted the search stops (its memory
// grows with the square of the edits: 64 MB at the default): lines left
// as many as they were pair one to one, otherwise what is left between
// the common beginning and end comes as one hunk.
std::vector<LineHunk> diffLines(const std::vector<std::string_view>& oldLines,
                                const std::vector<std::string_view>& newLines,
                                size_t maxEdits = 4096);

// The lines of `text`, split at "\n": one more than it has "\n".
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace verbolt
