#include "ui/editor_events.h"

wxDEFINE_EVENT(kEvtWordClick, WordClickEvent);
wxDEFINE_EVENT(kEvtHistoryMoved, wxCommandEvent);
