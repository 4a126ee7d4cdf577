// The coloured text for Word: a .docx package whose runs carry the
// highlight backgrounds, so that a writer takes them into the word
// processor most manuscripts live in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "export/export_document.h"

namespace verbolt {

// One paragraph per line ("\r\n" and a lone "\r" end one too), tabs as
// Word's tabs. Each highlight is character shading with the exact colour
// (Word's highlighter knows only sixteen named colours). After the text,
// on a page of their own: the legend, each label shaded with its colour,
// and the Top-100 under a heading, one paragraph a line in a fixed-width
// font. The title goes into the document's properties. Every part is dated
// alike, so the same document gives the same bytes. Nothing when the
// package would pass the 4 GB a zip archive holds without Zip64, which
// kDocxTooLarge says.
std::optional<std::string> exportDocx(const ExportDocument& document);

constexpr std::string_view kDocxTooLarge =
    "the Word document would be larger than the 4 GB a zip archive holds";

}  // namespace verbolt
