#include "highlight/plan/findings.h"

#include <algorithm>
#include <optional>

#include "highlight/plan/palette.h"

namespace verbolt {

namespace {

std::optional<FindingKind> kindOf(Rgb colour, bool markedOnly) {
  const Palette& palette = activePalette();
  if (palette.isMarked(colour)) return FindingKind::kMarked;
  if (markedOnly) return std::nullopt;
  for (int c = 0; c < kHighlightClassCount; ++c) {
    if (colour == palette.classes[c]) return static_cast<FindingKind>(c);
  }
  return std::nullopt;
}

}  // namespace

std::vector<Finding> findingsIn(const std::vector<ColourRun>& runs, bool markedOnly) {
  std::vector<Finding> findings;
  const ColourRun* previous = nullptr;
  for (const ColourRun& run : runs) {
    const std::optional<FindingKind> kind = kindOf(run.colour, markedOnly);
    if (!kind) continue;
    // Runs of one colour that touch show as one.
    if (previous && previous->end == run.start && previous->colour == run.colour) {
      findings.back().end = run.end;
    } else {
      findings.push_back({run.start, run.end, *kind});
    }
    previous = &run;
  }
  return findings;
}

size_t findingFrom(const std::vector<Finding>& findings, long from, long to, bool forward) {
  if (findings.empty()) return kNoFinding;
  auto startsBefore = [](const Finding& finding, long position) {
    return finding.start < position;
  };
  if (forward) {
    const long first = from == to ? from : from + 1;
    auto next = std::lower_bound(findings.begin(), findings.end(), first, startsBefore);
    return next == findings.end() ? 0 : static_cast<size_t>(next - findings.begin());
  }
  auto after = std::lower_bound(findings.begin(), findings.end(), from, startsBefore);
  return after == findings.begin() ? findings.size() - 1
                                   : static_cast<size_t>(after - findings.begin()) - 1;
}

FindingRank rankOf(const std::vector<Finding>& findings, size_t index) {
  const FindingKind kind = findings[index].kind;
  FindingRank rank{0, 0};
  for (size_t i = 0; i < findings.size(); ++i) {
    if (findings[i].kind != kind) continue;
    ++rank.count;
    if (i <= index) ++rank.number;
  }
  return rank;
}

}  // namespace verbolt
