#include "manuscript/line_diff.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace verbolt {

namespace {

using Ids = std::vector<int>;

// Lines as numbers, equal lines the same number: the search compares them
// many times.
void numberLines(const std::vector<std::string_view>& oldLines,
                 const std::vector<std::string_view>& newLines, size_t begin, size_t oldEnd,
                 size_t newEnd, Ids& oldIds, Ids& newIds) {
  std::unordered_map<std::string_view, int> ids;
  auto idOf = [&ids](std::string_view line) {
    return ids.emplace(line, static_cast<int>(ids.size())).first->second;
  };
  for (size_t i = begin; i < oldEnd; ++i) oldIds.push_back(idOf(oldLines[i]));
  for (size_t i = begin; i < newEnd; ++i) newIds.push_back(idOf(newLines[i]));
}

// The pairs of equal lines of a shortest edit (Myers' greedy search), last
// first; false when it needs more than `maxEdits` edits.
bool matchLines(const Ids& a, const Ids& b, size_t maxEdits,
                std::vector<std::pair<size_t, size_t>>& matches) {
  const long n = static_cast<long>(a.size());
  const long m = static_cast<long>(b.size());
  const long most = std::min<long>(n + m, static_cast<long>(maxEdits));
  std::vector<int> v(2 * most + 3, 0);
  const long offset = most + 1;
  std::vector<std::vector<int>> trace;
  long found = -1;
  for (long d = 0; d <= most && found < 0; ++d) {
    for (long k = -d; k <= d; k += 2) {
      int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]))
                  ? v[offset + k + 1]
                  : v[offset + k - 1] + 1;
      long y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      v[offset + k] = x;
      if (x >= n && y >= m) found = d;
    }
    trace.emplace_back(v.begin() + offset - d, v.begin() + offset + d + 1);
  }
  if (found < 0) return false;
  long x = n, y = m;
  for (long d = found; d > 0; --d) {
    const std::vector<int>& before = trace[d - 1];
    auto at = [&before, d](long k) { return before[k + d - 1]; };
    const long k = x - y;
    const long previousK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
    const long previousX = at(previousK);
    const long previousY = previousX - previousK;
    while (x > previousX && y > previousY) matches.push_back({--x, --y});
    x = previousX;
    y = previousY;
  }
  while (x > 0 && y > 0) matches.push_back({--x, --y});
  return true;
}

void addHunk(std::vector<LineHunk>& hunks, size_t oldBegin, size_t oldEnd, size_t newBegin,
             size_t newEnd) {
  if (oldBegin < oldEnd || newBegin < newEnd) hunks.push_back({oldBegin, oldEnd, newBegin, newEnd});
}

}  // namespace

std::vector<LineHunk> diffLines(const std::vector<std::string_view>& oldLines,
                                const std::vector<std::string_view>& newLines, size_t maxEdits) {
  size_t prefix = 0;
  while (prefix < oldLines.size() && prefix < newLines.size() &&
         oldLines[prefix] == newLines[prefix]) {
    ++prefix;
  }
  size_t oldEnd = oldLines.size(), newEnd = newLines.size();
  while (oldEnd > prefix && newEnd > prefix && oldLines[oldEnd - 1] == newLines[newEnd - 1]) {
    --oldEnd, --newEnd;
  }
  std::vector<LineHunk> hunks;
  Ids a, b;
  numberLines(oldLines, newLines, prefix, oldEnd, newEnd, a, b);
  std::vector<std::pair<size_t, size_t>> matches;
  if (!matchLines(a, b, maxEdits, matches)) {
    // Lines rewritten in place, as a search-and-replace through the text
    // does, still pair one to one.
    if (oldEnd - prefix == newEnd - prefix) {
      for (size_t i = prefix; i < oldEnd; ++i) {
        if (oldLines[i] != newLines[i]) addHunk(hunks, i, i + 1, i, i + 1);
      }
    } else {
      addHunk(hunks, prefix, oldEnd, prefix, newEnd);
    }
    return hunks;
  }
  size_t oldAt = 0, newAt = 0;
  for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
    addHunk(hunks, prefix + oldAt, prefix + it->first, prefix + newAt, prefix + it->second);
    oldAt = it->first + 1;
    newAt = it->second + 1;
  }
  addHunk(hunks, prefix + oldAt, oldEnd, prefix + newAt, newEnd);
  return hunks;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace verbolt
