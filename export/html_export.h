// The coloured text as one web page a writer can keep, share and print.
#pragma once

#include <string>

#include "export/export_document.h"

namespace verbolt {

// One self-contained HTML5 file (no outside resource; also well-formed
// XML): the title, the legend, the text with its highlight backgrounds and
// its line breaks, then the Top-100 report. Printing keeps the colours.
std::string exportHtml(const ExportDocument& document);

}  // namespace verbolt
