// The body of a Word document, word/document.xml, as the model of
// document_body.h.
#pragma once

#include <string_view>

#include "manuscript/document_body.h"

namespace verbolt {

// The body of `documentXml`, the whole of word/document.xml. Malformed XML
// and a document type declaration are refused, as the reader refuses them.
DocumentBody parseDocxBody(std::string_view documentXml);

}  // namespace verbolt
