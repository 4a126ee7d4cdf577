// Every change of an editor's text as it happens, whoever makes it (the
// writer's typing, a paste, undo and redo, a file loaded), told in the
// editor's characters, for a copy of the text kept elsewhere.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class wxTextCtrl;

namespace verbolt {

class BufferChanges {
 public:
  // `removed` characters from `position` on give way to `inserted` (UTF-8).
  using Listener = std::function<void(long position, long removed, std::string_view inserted)>;

  BufferChanges(wxTextCtrl& editor, Listener listener);
  ~BufferChanges();
  BufferChanges(const BufferChanges&) = delete;
  BufferChanges& operator=(const BufferChanges&) = delete;

  struct Signals;

 private:
  void* m_buffer;  // the control's GtkTextBuffer
  Listener m_listener;
  unsigned long m_inserted;
  unsigned long m_deleted;
};

// The editor's whole text in UTF-8, read from its buffer without a copy
// through the toolkit's strings.
std::string bufferText(const wxTextCtrl& editor);

// Where the caret is, in characters.
long caretPosition(const wxTextCtrl& editor);

}  // namespace verbolt
