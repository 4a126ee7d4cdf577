#include "cli/line_columns.h"

#include <algorithm>

namespace verbolt {

LineColumns::LineColumns(std::string_view text) {
  m_lineStarts.push_back(0);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\n' || text[i] == '\r') m_lineStarts.push_back(i + 1);
  }
}

LineColumn LineColumns::at(size_t position) const {
  const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
  const size_t line = static_cast<size_t>(after - m_lineStarts.begin());
  return {static_cast<int>(line), static_cast<int>(position - m_lineStarts[line - 1] + 1)};
}

}  // namespace verbolt
