// Undo and redo for the editor, which the toolkit does not give a
// multi-line control. The history listens to the text buffer's edits only,
// never to its styles, so no colouring ever enters it: the writer's
// actions (typing, deleting, pasting, cutting, dropping text) are
// recorded, and any other change of the text, such as loading a file,
// starts the history afresh.
#pragma once

#include <cstddef>
#include <vector>

#include "highlight/plan/edit_history.h"

class wxTextCtrl;

namespace verbolt {

class EditorHistory {
 public:
  explicit EditorHistory(wxTextCtrl& editor);
  ~EditorHistory();
  EditorHistory(const EditorHistory&) = delete;
  EditorHistory& operator=(const EditorHistory&) = delete;

  bool CanUndo() const { return m_history.CanUndo(); }
  bool CanRedo() const { return m_history.CanRedo(); }
  // Takes back or makes again the last step. Text put back shows the
  // backgrounds it had when it was taken out; the caret goes where the
  // step changed the text, and is scrolled into view.
  void Undo();
  void Redo();

  // An edit the program makes for the writer, such as the context menu's
  // Delete, which the toolkit makes outside the writer's own actions:
  // while the object lives, the edits are recorded as one step.
  class WritersAction {
   public:
    explicit WritersAction(EditorHistory& history);
    ~WritersAction();
    WritersAction(const WritersAction&) = delete;
    WritersAction& operator=(const WritersAction&) = delete;

   private:
    EditorHistory& m_history;
  };

  // The text in the editor is the one on disk.
  void MarkClean() { m_history.MarkClean(); }
  bool IsClean() const { return m_history.IsClean(); }
  size_t Bytes() const { return m_history.Bytes(); }

  // The buffer's signals, as plain functions for GLib.
  struct Signals;

 private:
  void Revert(TextEdit& edit);
  void Make(TextEdit& edit);
  void Insert(const TextEdit& edit);
  void Remove(TextEdit& edit);
  void PlaceCaret(long caret, long shown);

  wxTextCtrl& m_editor;
  void* m_buffer;  // the control's GtkTextBuffer
  std::vector<unsigned long> m_handlers;
  EditHistory m_history;
  int m_userActions = 0;
  bool m_applying = false;
};

}  // namespace verbolt
