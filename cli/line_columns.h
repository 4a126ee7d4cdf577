// Lines and columns of positions in an analysed text, as an editor shows
// them to a writer: both count from 1, a column is one character, and
// "\n", "\r\n" and a lone "\r" are each one line end.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace verbolt {

struct LineColumn {
  int line = 1;
  int column = 1;
  friend bool operator==(const LineColumn&, const LineColumn&) = default;
};

class LineColumns {
 public:
  // `text` has one position per character: the engine's text.
  explicit LineColumns(std::string_view text);

  // A position at or past the end is on the last line.
  LineColumn at(size_t position) const;

 private:
  std::vector<size_t> m_lineStarts;
};

}  // namespace verbolt
