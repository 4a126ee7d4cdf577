// The Edit menu's commands: undo and redo, the clipboard, and walking through the
// findings with the place of each one on the status line.
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "highlight/background_map.h"
#include "highlight/editor_history.h"
#include "highlight/editor_text.h"
#include "strings/localized_text.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

StringId findingFormat(FindingKind kind) {
  switch (kind) {
    case FindingKind::kPhrase:
      return kStrPhraseFinding;
    case FindingKind::kSearched:
      return kStrSearchedFinding;
    case FindingKind::kDistant:
      return kStrDistantFinding;
    case FindingKind::kClose:
      return kStrCloseFinding;
    case FindingKind::kEcho:
      return kStrEchoFinding;
    case FindingKind::kOpening:
      return kStrOpeningFinding;
    case FindingKind::kMarked:
      break;
  }
  return kStrMarkedFinding;
}

}  // namespace

wxTextCtrl& FrameMain::EditTarget() const {
  auto* focused = dynamic_cast<wxTextCtrl*>(FindFocus());
  return focused ? *focused : *m_editor;
}

void FrameMain::OnUndo(wxCommandEvent&) { EditTarget().Undo(); }

void FrameMain::OnRedo(wxCommandEvent&) { EditTarget().Redo(); }

void FrameMain::OnUpdateUndo(wxUpdateUIEvent& event) { event.Enable(EditTarget().CanUndo()); }

void FrameMain::OnUpdateRedo(wxUpdateUIEvent& event) { event.Enable(EditTarget().CanRedo()); }

void FrameMain::OnClipboardCommand(wxCommandEvent& event) {
  wxTextCtrl& target = EditTarget();
  switch (event.GetId()) {
    case kIdCut:
      target.Cut();
      break;
    case kIdCopy:
      target.Copy();
      break;
    case kIdPaste:
      target.Paste();
      break;
    default:
      target.SelectAll();
      break;
  }
}

void FrameMain::OnEditorHistoryMoved(wxCommandEvent&) {
  m_document.modified = !m_editor->History()->IsClean();
  UpdateTitle();
}

void FrameMain::ForgetFindings() {
  m_findings.reset();
  if (GetStatusBar()) SetStatusText(wxEmptyString, kWhereField);
}

void FrameMain::ShowWordCount(int words) {
  SetStatusText(wxString::Format(localized(kStrWordCount), words), kWordsField);
}

void FrameMain::ShowNotice(const wxString& text) { SetStatusText(text, kWhereField); }

// With a marked word, its occurrences and those of its family, which are
// red; otherwise every coloured word or phrase. The selection lands on the
// finding and the editor takes the keyboard, so that the writer can type
// the rewrite at once.
void FrameMain::OnWalkFindings(wxCommandEvent& event) {
  if (!m_findings) m_findings = findingsIn(BackgroundMap(*m_editor).runs(), !m_markedWord.empty());
  long from = 0, to = 0;
  m_editor->GetSelection(&from, &to);
  const size_t index = findingFrom(*m_findings, from, to, event.GetId() == kIdNextFinding);
  if (index == kNoFinding) {
    SetStatusText(localized(kStrNoFinding), kWhereField);
    return;
  }
  const Finding& finding = (*m_findings)[index];
  m_editor->SetFocus();
  m_editor->ShowPosition(finding.start);
  m_editor->SetSelection(finding.start, finding.end);
  const FindingRank rank = rankOf(*m_findings, index);
  const StringId format = findingFormat(finding.kind);
  const wxString where =
      format == kStrMarkedFinding
          ? wxString::Format(localized(format),
                             fromCp1252(m_markedWord.empty() ? m_markedPhrase : m_markedWord),
                             rank.number, rank.count)
          : wxString::Format(localized(format), rank.number, rank.count);
  SetStatusText(where, kWhereField);
}

}  // namespace verbolt
