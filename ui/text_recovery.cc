#include "ui/text_recovery.h"

#include <wx/textctrl.h>

#include <chrono>
#include <cstdlib>

namespace verbolt {

namespace {

// Well within the two seconds a writer may lose at most, and long enough
// that a steady typist never waits on a write.
constexpr int kPauseMilliseconds = 1500;

}  // namespace

TextRecovery::TextRecovery(wxTextCtrl& editor)
    : m_editor(editor),
      m_keeper(recoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"))),
      m_changes(editor, [this](long position, long removed, std::string_view inserted) {
        m_keeper.Record({position, removed, std::string(inserted)});
        m_pause.StartOnce(kPauseMilliseconds);
      }) {
  m_pause.Bind(wxEVT_TIMER, &TextRecovery::OnPause, this);
}

void TextRecovery::OnPause(wxTimerEvent&) {
  m_keeper.Pause([this] { return bufferText(m_editor); }, caretPosition(m_editor),
                 RecoveryKeeper::Clock::now());
  const std::string failure = m_keeper.TakeFailure();
  if (!failure.empty() && m_report) m_report(failure);
}

void TextRecovery::WriteNow() {
  m_pause.Stop();
  m_keeper.WriteNow([this] { return bufferText(m_editor); }, caretPosition(m_editor));
}

}  // namespace verbolt
