#include "manuscript/paragraph_alignment.h"

#include <algorithm>
#include <limits>
#include <string>

namespace verbolt {

namespace {

constexpr size_t kInfinite = std::numeric_limits<size_t>::max() / 4;

std::string_view joined(const std::vector<std::string_view>& lines, size_t begin, size_t end) {
  if (begin == end) return {};
  const char* start = lines[begin].data();
  const char* stop = lines[end - 1].data() + lines[end - 1].size();
  return std::string_view(start, static_cast<size_t>(stop - start));
}

struct Cell {
  size_t cost = kInfinite;
  AlignedStep step;  // the step that reached it
};

class Alignment {
 public:
  Alignment(const std::vector<AlignedParagraph>& paragraphs,
            const std::vector<std::string_view>& lines)
      : m_paragraphs(paragraphs),
        m_lines(lines),
        m_width(lines.size() + 1),
        m_cells((paragraphs.size() + 1) * m_width) {}

  std::vector<AlignedStep> run() {
    cell(0, 0).cost = 0;
    for (size_t i = 0; i <= m_paragraphs.size(); ++i) {
      for (size_t j = 0; j <= m_lines.size(); ++j) {
        if (cell(i, j).cost < kInfinite) stepFrom(i, j);
      }
    }
    std::vector<AlignedStep> steps;
    for (size_t i = m_paragraphs.size(), j = m_lines.size(); i > 0 || j > 0;) {
      const AlignedStep step = cell(i, j).step;
      steps.push_back(step);
      i = step.paragraphBegin;
      j = step.lineBegin;
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
  }

 private:
  Cell& cell(size_t i, size_t j) { return m_cells[i * m_width + j]; }

  void offer(size_t i, size_t j, size_t cost, AlignedStep step) {
    Cell& target = cell(step.paragraphEnd, step.lineEnd);
    const size_t total = cell(i, j).cost + cost;
    if (total < target.cost) target = {total, step};
  }

  void stepFrom(size_t i, size_t j) {
    const size_t paragraphs = m_paragraphs.size(), lines = m_lines.size();
    if (i < paragraphs) offer(i, j, m_paragraphs[i].text.size() + 1, {i, i + 1, j, j});
    if (j < lines) offer(i, j, m_lines[j].size() + 1, {i, i, j, j + 1});
    if (i >= paragraphs) return;
    const size_t most = std::min(lines - j, m_paragraphs[i].lines + 2);
    for (size_t k = 1; k <= most; ++k) {
      // A split costs a little more than the same text as a new line, so
      // that a paragraph left alone is not rewritten.
      const size_t split = k == m_paragraphs[i].lines ? 0 : 1;
      offer(i, j, changedBytes(m_paragraphs[i].text, joined(m_lines, j, j + k)) + split,
            {i, i + 1, j, j + k});
    }
    if (i + 1 < paragraphs && m_paragraphs[i].joinsNext) {
      const std::string both =
          std::string(m_paragraphs[i].text) + "\n" + std::string(m_paragraphs[i + 1].text);
      const size_t mostJoined =
          std::min(lines - j, m_paragraphs[i].lines + m_paragraphs[i + 1].lines);
      for (size_t k = 1; k <= mostJoined; ++k) {
        offer(i, j, changedBytes(both, joined(m_lines, j, j + k)) + 1, {i, i + 2, j, j + k});
      }
    }
  }

  const std::vector<AlignedParagraph>& m_paragraphs;
  const std::vector<std::string_view>& m_lines;
  size_t m_width;
  std::vector<Cell> m_cells;
};

bool isDeletion(const AlignedStep& step) {
  return step.lineBegin == step.lineEnd && step.paragraphEnd > step.paragraphBegin;
}

bool isEdit(const AlignedStep& step) {
  return step.lineEnd > step.lineBegin && step.paragraphEnd > step.paragraphBegin;
}

bool mayJoin(const std::vector<AlignedParagraph>& paragraphs, size_t begin, size_t end) {
  for (size_t p = begin; p + 1 < end; ++p) {
    if (!paragraphs[p].joinsNext) return false;
  }
  return true;
}

// Deleted paragraphs go with an edited neighbour they may join: the one
// before them, else the one after them.
std::vector<AlignedStep> mergeDeletions(const std::vector<AlignedParagraph>& paragraphs,
                                        const std::vector<AlignedStep>& steps) {
  std::vector<AlignedStep> merged;
  std::vector<AlignedStep> waiting;  // deletions with no edit before them to join
  for (const AlignedStep& step : steps) {
    if (isDeletion(step) && waiting.empty() && !merged.empty() && isEdit(merged.back()) &&
        mayJoin(paragraphs, merged.back().paragraphBegin, step.paragraphEnd)) {
      merged.back().paragraphEnd = step.paragraphEnd;
    } else if (isDeletion(step)) {
      waiting.push_back(step);
    } else if (isEdit(step) && !waiting.empty() &&
               mayJoin(paragraphs, waiting.front().paragraphBegin, step.paragraphEnd)) {
      AlignedStep edit = step;
      edit.paragraphBegin = waiting.front().paragraphBegin;
      waiting.clear();
      merged.push_back(edit);
    } else {
      merged.insert(merged.end(), waiting.begin(), waiting.end());
      waiting.clear();
      merged.push_back(step);
    }
  }
  merged.insert(merged.end(), waiting.begin(), waiting.end());
  return merged;
}

}  // namespace

size_t changedBytes(std::string_view before, std::string_view after) {
  const size_t shorter = std::min(before.size(), after.size());
  size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  return before.size() + after.size() - 2 * (prefix + suffix);
}

std::vector<AlignedStep> alignParagraphs(const std::vector<AlignedParagraph>& paragraphs,
                                         const std::vector<std::string_view>& lines,
                                         size_t maxCells) {
  if ((paragraphs.size() + 1) * (lines.size() + 1) > maxCells) {
    return {{0, paragraphs.size(), 0, lines.size()}};
  }
  return mergeDeletions(paragraphs, Alignment(paragraphs, lines).run());
}

}  // namespace verbolt
