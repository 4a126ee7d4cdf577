// A text of the string table as the toolkit shows it.
#pragma once

#include <wx/string.h>

wxString localized(int stringId);
