// The recovery copy of the main window's text, kept up to date as the
// writer types: every change of the editor's text is noted, and what
// changed goes to the disk when the typing pauses.
#pragma once

#include <wx/timer.h>

#include <optional>
#include <string>

#include "highlight/buffer_changes.h"
#include "recovery/recovery_keeper.h"

class wxTextCtrl;

namespace verbolt {

class TextRecovery {
 public:
  // Copies go to the recovery folder of the user's state folder.
  explicit TextRecovery(wxTextCtrl& editor);
  TextRecovery(const TextRecovery&) = delete;
  TextRecovery& operator=(const TextRecovery&) = delete;

  RecoveryKeeper& Keeper() { return m_keeper; }
  // Writes what changed at once and waits until it is on the disk: the
  // program ends without asking (a signal, the session's end).
  void WriteNow();
  // Called with each failure to write a copy, one English sentence.
  void OnFailure(std::function<void(const std::string&)> report) { m_report = std::move(report); }

 private:
  void OnPause(wxTimerEvent& event);

  wxTextCtrl& m_editor;
  RecoveryKeeper m_keeper;
  wxTimer m_pause;
  std::function<void(const std::string&)> m_report;
  // Last, so that no change is noted once the rest is gone.
  BufferChanges m_changes;
};

}  // namespace verbolt
