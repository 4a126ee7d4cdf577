// The coloured text for a word processor: a flat OpenDocument text (.fodt)
// that LibreOffice opens with the same highlight backgrounds.
#pragma once

#include <string>

#include "export/export_document.h"

namespace verbolt {

// One paragraph per line, each colour an automatic text style with its
// background; runs of spaces and tabs written so that none is lost. The
// title goes into the document's properties; the legend and the report stay
// out of the writer's text.
std::string exportFlatOdt(const ExportDocument& document);

}  // namespace verbolt
