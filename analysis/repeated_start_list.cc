#include "analysis/repeated_start_list.h"

#include <bit>

std::vector<int> RepeatedStartList::merged(const RepeatedStartList& a, const RepeatedStartList& b) {
  if (a.counted_) return {};
  if (a.collapsed_) return ascendingStarts(a.seen_, b.seen_);
  std::vector<int> starts;
  starts.reserve(a.starts_.size() + b.starts_.size());
  size_t i = 0;
  size_t j = 0;
  size_t fromA = 0;
  size_t fromB = 0;
  while (i < a.ends_.size() || j < b.ends_.size()) {
    bool takeA = j == b.ends_.size() ||
                 (i < a.ends_.size() && a.ends_[i].occurrence < b.ends_[j].occurrence);
    const RepeatedStartList& from = takeA ? a : b;
    size_t& done = takeA ? fromA : fromB;
    size_t end = (takeA ? a.ends_[i++] : b.ends_[j++]).end;
    starts.insert(starts.end(), from.starts_.begin() + static_cast<long>(done),
                  from.starts_.begin() + static_cast<long>(end));
    done = end;
  }
  return starts;
}

std::vector<int> RepeatedStartList::alone() && {
  if (counted_) return {};
  if (collapsed_) return ascendingStarts(seen_, seen_);
  return std::move(starts_);
}

std::vector<int> RepeatedStartList::ascendingStarts(const std::vector<std::uint64_t>& a,
                                                    const std::vector<std::uint64_t>& b) {
  std::vector<int> starts;
  for (size_t word = 0; word < a.size(); ++word) {
    for (std::uint64_t bits = a[word] | b[word]; bits != 0; bits &= bits - 1) {
      starts.push_back(static_cast<int>(word * 64) + std::countr_zero(bits));
    }
  }
  return starts;
}
