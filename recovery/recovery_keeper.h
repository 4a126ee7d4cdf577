// Keeps the recovery copy of one window's text up to date: a full copy
// when the text is first changed, then the edits appended to its journal
// at every pause in the typing, and a new full copy at most once a minute
// when the journal has grown. Removes the copy when the text is saved or
// let go, and keeps it when the window ends with changes unsaved.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "recovery/change_log.h"
#include "recovery/recovery_copy.h"
#include "recovery/recovery_slot.h"
#include "recovery/recovery_writer.h"

namespace verbolt {

struct RecoveryLimits {
  // A full copy is written no more often than this...
  std::chrono::seconds fullCopyEvery{60};
  // ...and only once the journal holds this much, or this many edits.
  size_t journalBytes = 256u << 10;
  size_t journalEdits = 1000;
  // Beyond this, a full copy is written at the next pause whatever the
  // time: a restart would take too long to replay the journal.
  size_t journalMostBytes = 32u << 20;
  size_t journalMostEdits = 20000;
};

class RecoveryKeeper {
 public:
  using Clock = std::chrono::steady_clock;
  // The editor's whole text, asked for only when a full copy is due.
  using TextSource = std::function<std::string()>;

  explicit RecoveryKeeper(std::string folder, RecoveryLimits limits = {});
  // Waits until the copies asked for are on the disk.
  ~RecoveryKeeper();

  // The editor now holds the text of `documentPath` (empty: a text with no
  // file), as it is stored: the copy of the text before goes, unless the
  // window is to keep it, and a slot is claimed for this one. With
  // `recover`, returns the text a window that ended without saving left
  // for this document; its copy stays until it is saved or let go.
  std::optional<RecoveredText> Begin(const std::string& documentPath, bool recover);

  // How the text is stored, for the next full copy: everything but the
  // text and the caret.
  void Describe(const RecoveredText& header) { m_header = header; }

  void Record(EditorChange change);
  // The typing paused: what changed since the last write goes to the disk.
  void Pause(const TextSource& text, int64_t caret, Clock::time_point now);
  // The same, at once and waiting until it is on the disk: the program is
  // about to end without asking.
  void WriteNow(const TextSource& text, int64_t caret);

  // The text is saved as it is, or the writer let it go: no copy is kept
  // until the next edit.
  void Forget();
  // The writer went back to the file on disk from a recovered text: the
  // copy stays until the text is saved or changed again, so that the next
  // start can still bring it back.
  void SetAside();
  // The window closes: without unsaved changes the copy goes, unless it
  // was set aside.
  void Close(bool unsavedChanges);

  // The last failure to keep a copy (no folder to keep it in, a write
  // that failed), one English sentence, or empty.
  std::string TakeFailure() { return std::exchange(m_failure, {}); }
  uint64_t BytesWritten() const { return m_writer.BytesWritten(); }
  // The copy's files, for the writer who looks for them.
  const RecoverySlot* Slot() const { return m_slot.get(); }

 private:
  void WriteFullCopy(const TextSource& text, int64_t caret, Clock::time_point now);
  bool FullCopyDue(Clock::time_point now) const;
  void RemoveCopy();

  std::string m_folder;
  RecoveryLimits m_limits;
  std::unique_ptr<RecoverySlot> m_slot;
  RecoveredText m_header;
  ChangeLog m_log;
  // Whether the slot holds a copy of this window's text that the journal
  // can go on from, and how much its journal holds.
  bool m_hasCopy = false;
  bool m_setAside = false;
  uint64_t m_generation = 0;
  Clock::time_point m_lastFullCopy;
  size_t m_journalBytes = 0;
  size_t m_journalEdits = 0;
  std::string m_failure;
  RecoveryWriter m_writer;
};

}  // namespace verbolt
