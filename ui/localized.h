// A text of the string table as the toolkit shows it.
#pragma once

#include <wx/string.h>

#include "strings/string_id.h"

namespace verbolt {

wxString localized(StringId stringId);

}  // namespace verbolt
