#include "ui/localized.h"

#include "highlight/editor_text.h"
#include "strings/localized_text.h"

namespace verbolt {

wxString localized(StringId stringId) { return fromCp1252(LocalizedText(stringId)); }

}  // namespace verbolt
