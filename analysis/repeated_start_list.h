// The starts that one of the two repetition rules appends during a pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "analysis/analysis_pass.h"

namespace verbolt {

// The starts one of the two repetition rules appends. Kept in full, with,
// when the work is shared, where the starts of each occurrence end, so
// that the two shares can be put back in text order; collapsed, one bit
// per position of the text; or only counted.
class RepeatedStartList {
 public:
  RepeatedStartList(RepeatedStarts repeats, bool tagged, size_t textLength)
      : m_collapsed(repeats == RepeatedStarts::kCollapsed),
        m_counted(repeats == RepeatedStarts::kCounted),
        m_tagged(tagged) {
    if (m_collapsed) m_seen.assign((textLength + 63) / 64, 0);
  }

  std::vector<int>& appended() { return m_starts; }

  // The starts appended since the last call were those of the occurrence
  // at `occurrence`.
  void occurrenceDone(int occurrence) {
    if (m_counted) {
      m_dropped += m_starts.size();
      m_starts.clear();
    } else if (m_collapsed) {
      m_dropped += m_starts.size();
      for (int start : m_starts) {
        m_seen[static_cast<size_t>(start) / 64] |= std::uint64_t{1} << (start % 64);
      }
      m_starts.clear();
    } else if (m_tagged && m_starts.size() > m_taggedEnd) {
      m_ends.push_back({occurrence, m_starts.size()});
      m_taggedEnd = m_starts.size();
    }
  }

  // The starts of both lists in the order the rules appended them: by
  // occurrence, since every occurrence belongs to one share; or, collapsed,
  // each start once in ascending order.
  static std::vector<int> merged(const RepeatedStartList& a, const RepeatedStartList& b);

  // The starts of a list that had the work to itself.
  std::vector<int> alone() &&;

  // How many starts the rule appended.
  size_t count() const { return m_dropped + m_starts.size(); }

 private:
  struct OccurrenceEnd {
    int occurrence;
    size_t end;
  };

  bool m_collapsed;
  bool m_counted;
  bool m_tagged;
  size_t m_dropped = 0;  // appended, then collapsed or counted away
  std::vector<int> m_starts;
  std::vector<OccurrenceEnd> m_ends;
  size_t m_taggedEnd = 0;
  std::vector<std::uint64_t> m_seen;

  // The positions whose bit is set in `a` or `b`, in ascending order.
  static std::vector<int> ascendingStarts(const std::vector<std::uint64_t>& a,
                                          const std::vector<std::uint64_t>& b);
};

}  // namespace verbolt
