// What the editor and the Top-100 pane tell the window around them: a
// click on a word, and a move through the editor's undo history. They are
// command events, so they climb to the frame, whose event table decides
// what a click does; the controls know nothing of the frame.
#pragma once

#include <wx/event.h>

namespace verbolt {

// A left click, or a context-menu word command, at a position of the text.
// CTRL and ALT are those held during the click; the context menu's two
// word commands stand for a CTRL-click and an ALT-click.
class WordClickEvent : public wxCommandEvent {
 public:
  WordClickEvent(wxEventType type = wxEVT_NULL, int id = 0, long position = -1,
                 bool controlDown = false, bool altDown = false)
      : wxCommandEvent(type, id),
        m_position(position),
        m_controlDown(controlDown),
        m_altDown(altDown) {}

  long Position() const { return m_position; }
  bool ControlDown() const { return m_controlDown; }
  bool AltDown() const { return m_altDown; }

  wxEvent* Clone() const override { return new WordClickEvent(*this); }

 private:
  long m_position;
  bool m_controlDown;
  bool m_altDown;
};

wxDECLARE_EVENT(kEvtWordClick, WordClickEvent);
// The context menu's "Ignore in this book", at a position of the text.
wxDECLARE_EVENT(kEvtIgnoreInBook, WordClickEvent);
// The editor's undo or redo has moved: the text may be the saved one again.
wxDECLARE_EVENT(kEvtHistoryMoved, wxCommandEvent);

using WordClickEventFunction = void (wxEvtHandler::*)(WordClickEvent&);
#define WordClickEventHandler(func) wxEVENT_HANDLER_CAST(WordClickEventFunction, func)

// Event table entries, as wx's own EVT_ macros.
#define EVT_WORD_CLICK(id, func) wx__DECLARE_EVT1(kEvtWordClick, id, WordClickEventHandler(func))
#define EVT_IGNORE_IN_BOOK(id, func) \
  wx__DECLARE_EVT1(kEvtIgnoreInBook, id, WordClickEventHandler(func))
#define EVT_HISTORY_MOVED(id, func) \
  wx__DECLARE_EVT1(kEvtHistoryMoved, id, wxCommandEventHandler(func))

}  // namespace verbolt
