#include "ui/editor_events.h"

namespace verbolt {

wxDEFINE_EVENT(kEvtWordClick, WordClickEvent);
wxDEFINE_EVENT(kEvtIgnoreInBook, WordClickEvent);
wxDEFINE_EVENT(kEvtHistoryMoved, wxCommandEvent);

}  // namespace verbolt
