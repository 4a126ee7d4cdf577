// The toolkit's own words (the standard edit commands of the context
// menus) in the language of the string table.
#pragma once

#include "strings/language.h"

namespace verbolt {

// Makes wxGetTranslation answer in `language` from the toolkit's catalog
// (Debian's wx3.2-i18n), whatever the C library's locale; English needs
// no catalog. Without the catalog the English words stay.
void useToolkitLanguage(Language language);

}  // namespace verbolt
