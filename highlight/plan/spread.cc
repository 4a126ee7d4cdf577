#include "highlight/plan/spread.h"

#include <algorithm>
#include <unordered_set>

#include "highlight/plan/findings.h"
#include "text/words.h"

namespace verbolt {

std::vector<int> spreadCounts(const std::vector<long>& starts, long length, int stretches) {
  std::vector<int> counts(static_cast<size_t>(std::max(stretches, 0)), 0);
  if (length <= 0 || stretches <= 0) return counts;
  for (long start : starts) {
    if (start < 0 || start >= length) continue;
    ++counts[static_cast<size_t>(static_cast<long long>(start) * stretches / length)];
  }
  return counts;
}

std::vector<long> markedStarts(const std::vector<ColourRun>& runs) {
  std::vector<long> starts;
  for (const Finding& finding : findingsIn(runs, true)) starts.push_back(finding.start);
  return starts;
}

std::vector<std::vector<std::string>> reportFamilies(std::string_view report, size_t families) {
  std::vector<std::vector<std::string>> found;
  size_t at = 0;
  while (at < report.size()) {
    size_t end = report.find('\n', at);
    if (end == std::string_view::npos) end = report.size();
    const std::string_view line = report.substr(at, end - at);
    at = end + 1;
    const size_t colon = line.find(" : ");
    const size_t first = line.find_first_not_of(' ');
    if (colon != std::string_view::npos && first < colon) {
      if (found.size() == families) break;
      found.push_back({std::string(line.substr(colon + 3))});
    } else if (first != std::string_view::npos && !found.empty()) {
      found.back().emplace_back(line.substr(first));
    }
  }
  return found;
}

std::vector<long> wordStarts(std::string_view loweredText, const std::vector<std::string>& words) {
  const std::unordered_set<std::string_view> wanted(words.begin(), words.end());
  std::vector<long> starts;
  forEachWord(loweredText, [&](size_t start, size_t end) {
    if (wanted.count(loweredText.substr(start, end - start))) {
      starts.push_back(static_cast<long>(start));
    }
  });
  return starts;
}

}  // namespace verbolt
