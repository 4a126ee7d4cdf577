#include "analysis/repeated_start_list.h"

#include <bit>

namespace verbolt {

std::vector<int> RepeatedStartList::merged(const RepeatedStartList& a, const RepeatedStartList& b) {
  if (a.m_counted) return {};
  if (a.m_collapsed) return ascendingStarts(a.m_seen, b.m_seen);
  std::vector<int> starts;
  starts.reserve(a.m_starts.size() + b.m_starts.size());
  size_t i = 0;
  size_t j = 0;
  size_t fromA = 0;
  size_t fromB = 0;
  while (i < a.m_ends.size() || j < b.m_ends.size()) {
    bool takeA = j == b.m_ends.size() ||
                 (i < a.m_ends.size() && a.m_ends[i].occurrence < b.m_ends[j].occurrence);
    const RepeatedStartList& from = takeA ? a : b;
    size_t& done = takeA ? fromA : fromB;
    size_t end = (takeA ? a.m_ends[i++] : b.m_ends[j++]).end;
    starts.insert(starts.end(), from.m_starts.begin() + static_cast<long>(done),
                  from.m_starts.begin() + static_cast<long>(end));
    done = end;
  }
  return starts;
}

std::vector<int> RepeatedStartList::alone() && {
  if (m_counted) return {};
  if (m_collapsed) return ascendingStarts(m_seen, m_seen);
  return std::move(m_starts);
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

}  // namespace verbolt
