// The body of an OpenDocument text, content.xml (or a flat .fodt), as the
// model of document_body.h.
#pragma once

#include <string_view>

#include "manuscript/document_body.h"

namespace verbolt {

// The body of `contentXml`. Malformed XML, a document type declaration and
// a text of more than 256 MB are refused, as the reader refuses them.
DocumentBody parseOdtBody(std::string_view contentXml);

}  // namespace verbolt
