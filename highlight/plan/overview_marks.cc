#include "highlight/plan/overview_marks.h"

#include <algorithm>

namespace verbolt {

namespace {

// Higher shows over lower; 0 leaves no mark.
constexpr int kNoMark = 0;
constexpr int kMarkedRank = 7;

int rankOf(Rgb colour, const Palette& palette) {
  if (palette.isMarked(colour)) return kMarkedRank;
  for (int c = 0; c < kHighlightClassCount; ++c) {
    if (colour != palette.classes[c]) continue;
    switch (static_cast<HighlightClass>(c)) {
      case HighlightClass::kClose:
        return 6;
      case HighlightClass::kDistant:
        return 5;
      case HighlightClass::kSearched:
        return 4;
      case HighlightClass::kPhrase:
        return 3;
      case HighlightClass::kEcho:
        return 2;
      case HighlightClass::kOpening:
        return 1;
    }
  }
  return kNoMark;
}

}  // namespace

int rowOf(long position, long length, int rows) {
  if (length <= 0 || rows <= 0) return 0;
  const long long row =
      static_cast<long long>(std::clamp(position, 0L, length - 1)) * rows / length;
  return static_cast<int>(row);
}

long positionAtRow(int row, long length, int rows) {
  if (length <= 0 || rows <= 0) return 0;
  row = std::clamp(row, 0, rows - 1);
  // The first character whose row is `row`.
  return static_cast<long>((static_cast<long long>(row) * length + rows - 1) / rows);
}

std::vector<StripMark> overviewMarks(const std::vector<ColourRun>& runs, long length, int rows,
                                     const Palette& palette) {
  std::vector<StripMark> marks;
  if (length <= 0 || rows <= 0) return marks;
  struct Shown {
    int rank = kNoMark;
    Rgb colour = kWhite;
  };
  std::vector<Shown> shown(static_cast<size_t>(rows));
  // Runs of one colour come in long stretches: its rank is asked once.
  Rgb lastColour = kWhite;
  int lastRank = kNoMark;
  for (const ColourRun& run : runs) {
    if (run.start >= length || run.start >= run.end) continue;
    if (run.colour != lastColour) {
      lastColour = run.colour;
      lastRank = rankOf(run.colour, palette);
    }
    if (lastRank == kNoMark) continue;
    const int last = rowOf(std::min<long>(run.end, length) - 1, length, rows);
    for (int row = rowOf(run.start, length, rows); row <= last; ++row) {
      Shown& cell = shown[static_cast<size_t>(row)];
      if (lastRank > cell.rank) cell = {lastRank, run.colour};
    }
  }
  for (int row = 0; row < rows; ++row) {
    const Shown& cell = shown[static_cast<size_t>(row)];
    if (cell.rank == kNoMark) continue;
    if (!marks.empty() && marks.back().last == row - 1 && marks.back().colour == cell.colour) {
      marks.back().last = row;
    } else {
      marks.push_back({row, row, cell.colour});
    }
  }
  return marks;
}

}  // namespace verbolt
