#include "highlight/plan/edit_history.h"

#include <utility>

#include "highlight/plan/colour_runs.h"

namespace verbolt {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

size_t editBytes(const TextEdit& edit) {
  return sizeof(TextEdit) + edit.text.size() + edit.colours.size() * sizeof(ColourRun);
}

size_t stepBytes(const EditStep& step) {
  size_t bytes = sizeof(EditStep);
  for (const TextEdit& edit : step) bytes += editBytes(edit);
  return bytes;
}

// The last byte of a UTF-8 text tells whether its last character is a
// space: every space is one ASCII byte.
bool endsWithSpace(const std::string& text) { return !text.empty() && isSpace(text.back()); }
bool startsWithSpace(const std::string& text) { return !text.empty() && isSpace(text.front()); }

}  // namespace

void EditHistory::BeginAction() { ++m_actionDepth; }

void EditHistory::EndAction() {
  if (m_actionDepth == 0 || --m_actionDepth > 0) return;
  EditStep action = std::move(m_action);
  m_action.clear();
  if (action.empty()) return;
  // One character typed or deleted goes on with the word being typed.
  if (action.size() == 1 && action.front().length == 1 && MergeTyping(action.front())) return;
  Push(std::move(action));
  // A letter typed over a selection goes on with the word it starts.
  m_lastStepOpen = m_steps.back().back().length == 1;
}

void EditHistory::Record(TextEdit edit) {
  if (m_actionDepth == 0) return;
  m_action.push_back(std::move(edit));
}

// Typing is grouped into words: a word and the spaces after it are one
// step, and a new step starts with the first letter after a space.
// Deleting letter by letter gives the same steps as typing the letters
// would have.
bool EditHistory::MergeTyping(const TextEdit& edit) {
  if (!m_lastStepOpen || m_done != m_steps.size()) return false;
  TextEdit& last = m_steps.back().back();
  if (last.inserted != edit.inserted) return false;
  const bool space = isSpace(edit.text.front());
  const size_t before = editBytes(last);
  if (edit.inserted) {
    if (edit.position != last.position + last.length) return false;
    if (!space && endsWithSpace(last.text)) return false;
    last.text += edit.text;
  } else if (edit.position + edit.length == last.position) {  // backspace
    if (space && !startsWithSpace(last.text)) return false;
    last.text.insert(0, edit.text);
    last.position = edit.position;
    shiftRuns(last.colours, edit.length);
    last.colours.insert(last.colours.begin(), edit.colours.begin(), edit.colours.end());
  } else if (edit.position == last.position) {  // delete key
    if (!space && endsWithSpace(last.text)) return false;
    std::vector<ColourRun> colours = edit.colours;
    shiftRuns(colours, last.length);
    last.colours.insert(last.colours.end(), colours.begin(), colours.end());
    last.text += edit.text;
  } else {
    return false;
  }
  last.length += edit.length;
  m_bytes += editBytes(last) - before;
  while (m_bytes > kMaxHistoryBytes && m_steps.size() > 1) DropOldest();
  return true;
}

void EditHistory::Push(EditStep step) {
  // A new edit ends what could be redone.
  while (m_steps.size() > m_done) {
    m_bytes -= stepBytes(m_steps.back());
    m_steps.pop_back();
  }
  if (m_clean > static_cast<long>(m_done)) m_clean = -1;
  m_bytes += stepBytes(step);
  m_steps.push_back(std::move(step));
  ++m_done;
  while (m_bytes > kMaxHistoryBytes && m_steps.size() > 1) DropOldest();
}

void EditHistory::DropOldest() {
  m_bytes -= stepBytes(m_steps.front());
  m_steps.erase(m_steps.begin());
  --m_done;
  if (m_clean >= 0) --m_clean;
}

bool EditHistory::Undo(const std::function<void(EditStep&)>& apply) {
  if (!CanUndo()) return false;
  --m_done;
  Apply(m_steps[m_done], apply);
  return true;
}

bool EditHistory::Redo(const std::function<void(EditStep&)>& apply) {
  if (!CanRedo()) return false;
  Apply(m_steps[m_done], apply);
  ++m_done;
  return true;
}

void EditHistory::Apply(EditStep& step, const std::function<void(EditStep&)>& apply) {
  m_lastStepOpen = false;
  const size_t before = stepBytes(step);
  apply(step);
  m_bytes = m_bytes - before + stepBytes(step);
}

void EditHistory::Forget() {
  m_steps.clear();
  m_done = 0;
  m_action.clear();
  m_lastStepOpen = false;
  m_clean = -1;
  m_bytes = 0;
}

void EditHistory::MarkClean() {
  m_clean = static_cast<long>(m_done);
  // Typing after a save starts a step of its own, so that undo finds the
  // saved text again.
  m_lastStepOpen = false;
}

}  // namespace verbolt
