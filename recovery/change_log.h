// The edits made since the recovery copy was last written, waiting for
// the next pause in the typing. A run of typing, of backspaces or of
// forward deletes becomes one edit, so that a minute of writing costs the
// journal about what was typed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "recovery/recovery_copy.h"

namespace verbolt {

class ChangeLog {
 public:
  void Record(EditorChange change);
  bool Empty() const { return m_changes.empty(); }
  // The bytes the edits hold, and how many there are, to bound the wait.
  size_t Bytes() const { return m_bytes; }
  size_t Count() const { return m_changes.size(); }
  // The edits, in the order they were made; the log is empty after.
  std::vector<EditorChange> Take();

 private:
  bool MergeInto(EditorChange& last, const EditorChange& change);

  std::vector<EditorChange> m_changes;
  size_t m_bytes = 0;
  int64_t m_lastInserted = 0;  // characters the last edit put in
};

}  // namespace verbolt
