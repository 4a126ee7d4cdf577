// The starts that one of the two repetition rules appends during a pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/analysis_pass.h"

// The starts one of the two repetition rules appends. Kept in full, with,
// when the work is shared, where the starts of each occurrence end, so
// that the two shares can be put back in text order; collapsed, one bit
// per position of the text; or only counted.
class RepeatedStartList {
 public:
  RepeatedStartList(RepeatedStarts repeats, bool tagged, size_t textLength)
      : collapsed_(repeats == RepeatedStarts::kCollapsed),
        counted_(repeats == RepeatedStarts::kCounted),
        tagged_(tagged) {
    if (collapsed_) seen_.assign((textLength + 63) / 64, 0);
  }

  std::vector<int>& appended() { return starts_; }

  // The starts appended since the last call were those of the occurrence
  // at `occurrence`.
  void occurrenceDone(int occurrence) {
    if (counted_) {
      dropped_ += starts_.size();
      starts_.clear();
    } else if (collapsed_) {
      dropped_ += starts_.size();
      for (int start : starts_) {
        seen_[static_cast<size_t>(start) / 64] |= std::uint64_t{1} << (start % 64);
      }
      starts_.clear();
    } else if (tagged_ && starts_.size() > taggedEnd_) {
      ends_.push_back({occurrence, starts_.size()});
      taggedEnd_ = starts_.size();
    }
  }

  // The starts of both lists in the order the rules appended them: by
  // occurrence, since every occurrence belongs to one share; or, collapsed,
  // each start once in ascending order.
  static std::vector<int> merged(const RepeatedStartList& a, const RepeatedStartList& b);

  // The starts of a list that had the work to itself.
  std::vector<int> alone() &&;

  // How many starts the rule appended.
  size_t count() const { return dropped_ + starts_.size(); }

 private:
  struct OccurrenceEnd {
    int occurrence;
    size_t end;
  };

  bool collapsed_;
  bool counted_;
  bool tagged_;
  size_t dropped_ = 0;  // appended, then collapsed or counted away
  std::vector<int> starts_;
  std::vector<OccurrenceEnd> ends_;
  size_t taggedEnd_ = 0;
  std::vector<std::uint64_t> seen_;

  // The positions whose bit is set in `a` or `b`, in ascending order.
  static std::vector<int> ascendingStarts(const std::vector<std::uint64_t>& a,
                                          const std::vector<std::uint64_t>& b);
};
