#include "recovery/recovery_keeper.h"

#include <utility>

namespace verbolt {

namespace {

// Different for every full copy ever written, so that a journal is never
// read against a copy it was not written for.
uint64_t newGeneration(uint64_t previous) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto stamp = static_cast<uint64_t>(std::chrono::nanoseconds(now).count());
  return stamp > previous ? stamp : previous + 1;
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(std::string folder, RecoveryLimits limits)
    : m_folder(std::move(folder)), m_limits(limits) {}

RecoveryKeeper::~RecoveryKeeper() { m_writer.Wait(); }

std::optional<RecoveredText> RecoveryKeeper::Begin(const std::string& documentPath, bool recover) {
  if (m_slot && !m_setAside) RemoveCopy();
  m_writer.Wait();
  m_slot.reset();
  m_log.Take();
  m_hasCopy = false;
  m_setAside = false;
  m_header = RecoveredText();
  m_header.documentPath = documentPath;
  m_slot = RecoverySlot::Claim(m_folder, documentPath, recover);
  if (!m_slot) {
    m_failure = m_folder.empty()
                    ? "no recovery folder: neither XDG_STATE_HOME nor HOME names an absolute folder"
                    : "the recovery folder '" + m_folder + "' cannot be used";
  }
  if (!m_slot || !recover) return std::nullopt;
  return m_slot->Read();
}

void RecoveryKeeper::Record(EditorChange change) {
  m_setAside = false;
  m_log.Record(std::move(change));
}

bool RecoveryKeeper::FullCopyDue(Clock::time_point now) const {
  if (!m_hasCopy) return true;
  const size_t bytes = m_journalBytes + m_log.Bytes();
  const size_t edits = m_journalEdits + m_log.Count();
  if (bytes >= m_limits.journalMostBytes || edits >= m_limits.journalMostEdits) return true;
  const bool grown = bytes >= m_limits.journalBytes || edits >= m_limits.journalEdits;
  return grown && now - m_lastFullCopy >= m_limits.fullCopyEvery;
}

void RecoveryKeeper::Pause(const TextSource& text, int64_t caret, Clock::time_point now) {
  if (!m_slot || m_log.Empty()) return;
  // A journal that could not be written leaves a gap the next edits
  // cannot be read across.
  if (std::string error = m_writer.TakeError(); !error.empty()) {
    m_hasCopy = false;
    m_failure = std::move(error);
  }
  if (FullCopyDue(now)) {
    WriteFullCopy(text, caret, now);
    return;
  }
  m_journalEdits += m_log.Count();
  std::string bytes = journalBytes(m_log.Take(), caret);
  m_journalBytes += bytes.size();
  m_writer.Append(m_slot->JournalPath(), std::move(bytes));
}

void RecoveryKeeper::WriteFullCopy(const TextSource& text, int64_t caret, Clock::time_point now) {
  m_log.Take();
  RecoveredText copy = m_header;
  copy.utf8 = text();
  copy.caret = caret;
  m_generation = newGeneration(m_generation);
  m_writer.Replace(m_slot->SnapshotPath(), snapshotBytes(copy, m_generation));
  m_writer.Replace(m_slot->JournalPath(), journalHeader(m_generation));
  m_hasCopy = true;
  m_lastFullCopy = now;
  m_journalBytes = 0;
  m_journalEdits = 0;
}

void RecoveryKeeper::WriteNow(const TextSource& text, int64_t caret) {
  if (!m_slot) return;
  // With nothing new, the copy on disk (if any) is already the text.
  if (!m_log.Empty() || !m_hasCopy) {
    if (!m_hasCopy || !m_writer.TakeError().empty()) {
      WriteFullCopy(text, caret, Clock::now());
    } else {
      Pause(text, caret, Clock::now());
    }
  }
  m_writer.Wait();
}

void RecoveryKeeper::RemoveCopy() {
  m_writer.Remove(m_slot->SnapshotPath());
  m_writer.Remove(m_slot->JournalPath());
  m_hasCopy = false;
}

void RecoveryKeeper::Forget() {
  m_log.Take();
  m_setAside = false;
  if (m_slot) RemoveCopy();
}

void RecoveryKeeper::SetAside() {
  m_log.Take();
  m_hasCopy = false;
  m_setAside = true;
}

void RecoveryKeeper::Close(bool unsavedChanges) {
  if (m_slot && !unsavedChanges && !m_setAside) RemoveCopy();
  m_writer.Wait();
  m_slot.reset();
}

}  // namespace verbolt
