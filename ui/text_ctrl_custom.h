// The rich text control used twice by the main window: as the editor and as
// the Top-100 pane. A left click becomes a word command for the frame, and
// the context menu is the program's own, which in the editor starts with
// the two word commands.
#pragma once

#include <wx/textctrl.h>

#include <memory>

class EditorHistory;
class FrameMain;
class wxMenu;

class TextCtrlCustom : public wxTextCtrl {
 public:
  TextCtrlCustom(bool isEditor, FrameMain* frame, wxWindow* parent, wxWindowID id,
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

  wxMenu* m_contextMenu;
  bool m_isEditor;
  FrameMain* m_frame;
  long m_contextPos = 0;  // where the pointer was when the menu opened
  std::unique_ptr<EditorHistory> m_history;

 private:
  void OnLeftDown(wxMouseEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnAddToSkipWords(wxCommandEvent& event);
  void OnToggleHidden(wxCommandEvent& event);
  void OnDeleteSelection(wxCommandEvent& event);

  wxDECLARE_EVENT_TABLE();
};
