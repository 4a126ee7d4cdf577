// The legend of an export: each colour its text can show, named as the
// window names it. The window's exports and verbolt-analyze --html and
// --docx all take it from here, so their legends say the same.
#pragma once

#include <vector>

#include "export/export_document.h"
#include "settings/echo_settings.h"

namespace verbolt {

enum class LegendExtent {
  // The four highlight classes: close and distant repetitions, searched
  // words and phrases. All a page made from an analysis alone can show.
  kClasses,
  // The four, then the marked word and the hidden repetitions, which only
  // the window's editor paints.
  kWithMarks,
};

// Labels in UTF-8, in the current language. The echoes' classes follow the
// four when their switches are on in `echoes`.
std::vector<LegendEntry> exportLegend(LegendExtent extent, const EchoSettings& echoes = {});

}  // namespace verbolt
