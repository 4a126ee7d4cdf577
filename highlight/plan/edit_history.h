// The editor's undo and redo history: the writer's edits, grouped into the
// steps one undo takes back. It keeps the edits themselves, not copies of
// the text, so its size follows what the writer changed, and it never
// holds more than kMaxHistoryBytes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "highlight/plan/paint_plan.h"

namespace verbolt {

// Text put into the editor or taken out of it. Positions and lengths are
// in characters of the editor, `text` is UTF-8.
struct TextEdit {
  bool inserted = true;
  long position = 0;
  long length = 0;
  std::string text;
  // The backgrounds `text` showed when it was last taken out, from its
  // first character: putting it back gives them back.
  std::vector<ColourRun> colours;
};

// What one undo takes back: the edits of one action of the writer's, in
// the order they were made, or a run of typing merged into one edit.
using EditStep = std::vector<TextEdit>;

constexpr size_t kMaxHistoryBytes = 64u << 20;

class EditHistory {
 public:
  // Everything recorded between the two calls is one step. Actions nest;
  // the outermost one counts.
  void BeginAction();
  void EndAction();
  void Record(TextEdit edit);

  bool CanUndo() const { return m_done > 0; }
  bool CanRedo() const { return m_done < m_steps.size(); }
  // `apply` reverts the step, last edit first, or makes it again, in
  // order, and may keep in it the colours of the text it takes out. False
  // when there is no step.
  bool Undo(const std::function<void(EditStep&)>& apply);
  bool Redo(const std::function<void(EditStep&)>& apply);

  // The text no longer matches the edits: a new text was loaded.
  void Forget();
  // The text as it is now is the one on disk.
  void MarkClean();
  bool IsClean() const { return m_clean == static_cast<long>(m_done); }

  size_t Bytes() const { return m_bytes; }

 private:
  void Push(EditStep step);
  bool MergeTyping(const TextEdit& edit);
  void DropOldest();
  void Apply(EditStep& step, const std::function<void(EditStep&)>& apply);

  std::vector<EditStep> m_steps;
  size_t m_done = 0;  // steps applied; those after it can be redone
  int m_actionDepth = 0;
  EditStep m_action;
  // Typing goes on in the last step until an undo or redo closes it.
  bool m_lastStepOpen = false;
  long m_clean = 0;  // steps applied in the clean text; -1 when out of reach
  size_t m_bytes = 0;
};

}  // namespace verbolt
