#include "ui/text_ctrl_custom.h"

#include <wx/intl.h>
#include <wx/menu.h>

#include <optional>

#include "highlight/editor_history.h"
#include "highlight/editor_paste.h"
#include "highlight/editor_text.h"
#include "strings/localized_text.h"
#include "ui/dialogs.h"
#include "ui/editor_events.h"
#include "ui/ids.h"
#include "ui/localized.h"

namespace verbolt {

namespace {

wxMenu* buildContextMenu(bool isEditor) {
  auto* menu = new wxMenu;
  if (isEditor) {
    menu->Append(kStrAddToSkipWords, localized(kStrAddToSkipWords));
    menu->Append(kStrToggleHidden, localized(kStrToggleHidden));
    menu->Append(kStrIgnoreInBook, localized(kStrIgnoreInBook));
    menu->AppendSeparator();
  }
  menu->Append(wxID_UNDO, wxGetTranslation("&Undo"));
  menu->Append(wxID_REDO, wxGetTranslation("&Redo"));
  menu->AppendSeparator();
  menu->Append(wxID_CUT, wxGetTranslation("Cu&t"));
  menu->Append(wxID_COPY, wxGetTranslation("&Copy"));
  menu->Append(wxID_PASTE, wxGetTranslation("&Paste"));
  menu->Append(wxID_CLEAR, wxGetTranslation("&Delete"));
  menu->AppendSeparator();
  menu->Append(wxID_SELECTALL, wxGetTranslation("Select &All"));
  return menu;
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(TextCtrlCustom, wxTextCtrl)
  EVT_LEFT_DOWN(TextCtrlCustom::OnLeftDown)
  EVT_CONTEXT_MENU(TextCtrlCustom::OnContextMenu)
  EVT_MENU(kStrAddToSkipWords, TextCtrlCustom::OnAddToSkipWords)
  EVT_MENU(kStrToggleHidden, TextCtrlCustom::OnToggleHidden)
  EVT_MENU(kStrIgnoreInBook, TextCtrlCustom::OnIgnoreInBook)
  EVT_MENU(wxID_CLEAR, TextCtrlCustom::OnDeleteSelection)
wxEND_EVENT_TABLE()
// clang-format on

TextCtrlCustom::TextCtrlCustom(bool isEditor, wxWindow* parent, wxWindowID id,
                               const wxString& value, const wxPoint& pos, const wxSize& size,
                               long style, const wxValidator& validator, const wxString& name)
    : wxTextCtrl(parent, id, value, pos, size, style, validator, name),
      m_contextMenu(buildContextMenu(isEditor)) {
  if (isEditor) {
    m_history = std::make_unique<EditorHistory>(*this);
    takeOverPaste(*this);
  }
}

TextCtrlCustom::~TextCtrlCustom() { delete m_contextMenu; }

void TextCtrlCustom::Undo() {
  if (!m_history) return;
  m_history->Undo();
  SendHistoryMoved();
}

void TextCtrlCustom::Redo() {
  if (!m_history) return;
  m_history->Redo();
  SendHistoryMoved();
}

void TextCtrlCustom::SendHistoryMoved() {
  wxCommandEvent event(kEvtHistoryMoved, GetId());
  event.SetEventObject(this);
  ProcessWindowEvent(event);
}

void TextCtrlCustom::SendWordClick(long pos, bool controlDown, bool altDown) {
  WordClickEvent event(kEvtWordClick, GetId(), pos, controlDown, altDown);
  event.SetEventObject(this);
  ProcessWindowEvent(event);
}

// The toolkit's Delete removes the selection as the program would, which
// the editor's history would take for a new text.
void TextCtrlCustom::OnDeleteSelection(wxCommandEvent&) {
  long from = 0, to = 0;
  GetSelection(&from, &to);
  if (from == to) return;
  std::optional<EditorHistory::WritersAction> action;
  if (m_history) action.emplace(*m_history);
  Remove(from, to);
}

bool TextCtrlCustom::CanUndo() const { return m_history && m_history->CanUndo(); }

bool TextCtrlCustom::CanRedo() const { return m_history && m_history->CanRedo(); }

void TextCtrlCustom::OnLeftDown(wxMouseEvent& event) {
  long pos = -1;
  HitTest(event.GetPosition(), &pos);
  SendWordClick(pos, event.ControlDown(), event.AltDown());
  // The control's own handling of the click (caret, selection) follows.
  event.Skip();
}

void TextCtrlCustom::OnContextMenu(wxContextMenuEvent& event) {
  // From the keyboard there is no pointer: the menu acts at the caret.
  if (event.GetPosition() == wxDefaultPosition) {
    m_contextPos = GetInsertionPoint();
  } else {
    HitTest(ScreenToClient(event.GetPosition()), &m_contextPos);
  }
  showPopupMenu(*this, *m_contextMenu);
}

void TextCtrlCustom::OnAddToSkipWords(wxCommandEvent&) { SendWordClick(m_contextPos, true, false); }

void TextCtrlCustom::OnToggleHidden(wxCommandEvent&) { SendWordClick(m_contextPos, false, true); }

void TextCtrlCustom::OnIgnoreInBook(wxCommandEvent&) {
  WordClickEvent event(kEvtIgnoreInBook, GetId(), m_contextPos);
  event.SetEventObject(this);
  ProcessWindowEvent(event);
}

}  // namespace verbolt
