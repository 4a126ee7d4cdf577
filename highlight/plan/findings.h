// Walking through the findings: the coloured words and phrases of the
// editor, read from its backgrounds, one after another.
#pragma once

#include <cstddef>
#include <vector>

#include "highlight/plan/paint_plan.h"

namespace verbolt {

// The classes' kinds in the order of HighlightClass, then the marked words.
enum class FindingKind { kPhrase, kSearched, kDistant, kClose, kEcho, kOpening, kMarked };

struct Finding {
  int start;
  int end;  // exclusive
  FindingKind kind;
  friend bool operator==(const Finding&, const Finding&) = default;
};

// The findings among ascending background runs: every run of a class
// colour, or with `markedOnly` every run of a marked colour. Greyed words
// are not findings: the writer has set them aside.
std::vector<Finding> findingsIn(const std::vector<ColourRun>& runs, bool markedOnly);

constexpr size_t kNoFinding = static_cast<size_t>(-1);

// The finding to select from the selection [from, to) (from == to: the
// caret). Forward, the first one starting after the selection's start, or
// at it when nothing is selected; backward, the last one starting before
// it. The walk wraps around at the ends.
size_t findingFrom(const std::vector<Finding>& findings, long from, long to, bool forward);

// Where finding `index` stands among the findings of its kind, from 1.
struct FindingRank {
  int number;
  int count;
};
FindingRank rankOf(const std::vector<Finding>& findings, size_t index);

}  // namespace verbolt
