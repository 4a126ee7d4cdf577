// Where one window keeps the recovery copy of its text: a snapshot and a
// journal in the recovery folder, named after the document, and a lock
// the window holds as long as it uses them. The lock keeps two windows
// out of one slot, and keeps a start from taking the copy of a window
// that is still open; a crash or a kill lets it go.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "recovery/recovery_copy.h"

namespace verbolt {

// $XDG_STATE_HOME/verbolt/recovery, or `home`/.local/state/verbolt/recovery
// when XDG_STATE_HOME is unset, empty or relative; empty when neither is
// an absolute folder.
std::string recoveryFolder(const char* xdgStateHome, const char* home);

// How many windows may keep copies of one document at once.
constexpr int kSlotsPerDocument = 16;

class RecoverySlot {
 public:
  // Claims a slot for `documentPath` (empty for a text with no file) in
  // `folder`, which is made, private, when missing: with `preferCopy` the
  // first free slot that holds a copy, else the first free empty one.
  // None when every slot is taken or the folder cannot be used.
  static std::unique_ptr<RecoverySlot> Claim(const std::string& folder,
                                             const std::string& documentPath, bool preferCopy);
  // Lets the slot go; its lock file goes too when it holds no copy.
  ~RecoverySlot();
  RecoverySlot(const RecoverySlot&) = delete;
  RecoverySlot& operator=(const RecoverySlot&) = delete;

  const std::string& SnapshotPath() const { return m_snapshot; }
  const std::string& JournalPath() const { return m_journal; }
  // The text a window that ended without saving left here.
  std::optional<RecoveredText> Read() const;
  // Removes the copy; the slot stays claimed.
  void RemoveCopy() const;

 private:
  RecoverySlot(std::string stem, int lock);

  std::string m_snapshot;
  std::string m_journal;
  std::string m_lock;
  int m_lockFd;
};

}  // namespace verbolt
