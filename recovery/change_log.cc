#include "recovery/change_log.h"

#include <utility>

namespace verbolt {

namespace {

// The bytes of the last `count` characters of `utf8`; `utf8` holds them.
size_t bytesOfLast(const std::string& utf8, int64_t count) {
  size_t byte = utf8.size();
  for (; count > 0; --count) {
    --byte;
    while (byte > 0 && (static_cast<unsigned char>(utf8[byte]) & 0xC0) == 0x80) --byte;
  }
  return utf8.size() - byte;
}

}  // namespace

// `last` replaced [q, q + removed) by n characters, which now stand at
// [q, q + n).
bool ChangeLog::MergeInto(EditorChange& last, const EditorChange& change) {
  const int64_t insertedEnd = last.position + m_lastInserted;
  // Typing on after the last edit.
  if (change.removed == 0 && change.position == insertedEnd) {
    last.inserted += change.inserted;
    m_lastInserted += characterCount(change.inserted);
    return true;
  }
  if (!change.inserted.empty()) return false;
  // Backspaces over what was just typed.
  if (change.position + change.removed == insertedEnd && change.removed <= m_lastInserted) {
    last.inserted.resize(last.inserted.size() - bytesOfLast(last.inserted, change.removed));
    m_lastInserted -= change.removed;
    return true;
  }
  if (!last.inserted.empty()) return false;
  // Backspaces, or forward deletes, in a row.
  if (change.position + change.removed == last.position) {
    last.position = change.position;
    last.removed += change.removed;
    return true;
  }
  if (change.position == last.position) {
    last.removed += change.removed;
    return true;
  }
  return false;
}

void ChangeLog::Record(EditorChange change) {
  m_bytes += change.inserted.size();
  if (!m_changes.empty() && MergeInto(m_changes.back(), change)) return;
  m_lastInserted = characterCount(change.inserted);
  m_changes.push_back(std::move(change));
}

std::vector<EditorChange> ChangeLog::Take() {
  m_bytes = 0;
  return std::exchange(m_changes, {});
}

}  // namespace verbolt
