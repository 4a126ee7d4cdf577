#include "ui/toolkit_language.h"

#include <wx/translation.h>

namespace verbolt {

void useToolkitLanguage(Language language) {
  auto* translations = new wxTranslations;
  if (language == Language::kFrench) {
    translations->SetLanguage(wxLANGUAGE_FRENCH);
    translations->AddStdCatalog();
  }
  wxTranslations::Set(translations);  // takes ownership, and drops the one before
}

}  // namespace verbolt
