// The rich text control used twice by the main window: as the editor and as
// the Top-100 pane. A left click becomes a word click event for the window
// around it, and the context menu is the program's own, which in the editor
// starts with the two word commands.
#pragma once

#include <wx/textctrl.h>

#include <memory>

class wxMenu;

namespace verbolt {

class EditorHistory;

class TextCtrlCustom : public wxTextCtrl {
 public:
  TextCtrlCustom(bool isEditor, wxWindow* parent, wxWindowID id,
                 const wxString& value = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = 0,
                 const wxValidator& validator = wxDefaultValidator,
                 const wxString& name = wxTextCtrlNameStr);
  ~TextCtrlCustom() override;

  // The editor's own undo and redo; the Top-100 pane has none.
  void Undo() override;
  void Redo() override;
  bool CanUndo() const override;
  bool CanRedo() const override;

  // Sends the word click event for `pos` to the window around, at once, as
  // a left click with CTRL and ALT held as given would.
  void SendWordClick(long pos, bool controlDown, bool altDown);

  // The editor's history; none in the Top-100 pane.
  EditorHistory* History() const { return m_history.get(); }
  wxMenu& ContextMenu() const { return *m_contextMenu; }
  // Where the pointer was when the context menu last opened.
  long ContextPosition() const { return m_contextPos; }

 private:
  void OnLeftDown(wxMouseEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnAddToSkipWords(wxCommandEvent& event);
  void OnToggleHidden(wxCommandEvent& event);
  void OnIgnoreInBook(wxCommandEvent& event);
  void OnDeleteSelection(wxCommandEvent& event);
  void SendHistoryMoved();

  wxMenu* m_contextMenu;
  long m_contextPos = 0;
  std::unique_ptr<EditorHistory> m_history;

  wxDECLARE_EVENT_TABLE();
};

}  // namespace verbolt
