// How a body part is read into the model of document_body.h, the same for
// both dialects: element names split into namespace and local name, the
// whole part given to expat at once (the model's offsets are taken from
// it), and a refusal told with its line.
#pragma once

#include <expat.h>

#include <limits>
#include <string>
#include <string_view>

#include "manuscript/document_body.h"

namespace verbolt {

// Element names arrive as namespace URI, this separator, local name: the
// prefixes (text:, w:) are the writer's choice and mean nothing.
inline constexpr char kXmlNamespaceSeparator = ' ';

struct XmlName {
  std::string_view space;
  std::string_view local;
};

inline XmlName splitXmlName(const XML_Char* name) {
  std::string_view full(name);
  const size_t separator = full.rfind(kXmlNamespaceSeparator);
  if (separator == std::string_view::npos) return {{}, full};
  return {full.substr(0, separator), full.substr(separator + 1)};
}

// `Parse` holds `parser` and `body`, and hears start(name, attributes),
// end(name), characters(text) and stop(why). A part with a document type
// declaration is refused before any of its entities is expanded.
template <typename Parse>
DocumentBody parseBody(Parse& parse, std::string_view xml) {
  if (xml.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
    parse.body.error = "it is larger than 2 GB";
    return std::move(parse.body);
  }
  parse.parser = XML_ParserCreateNS("UTF-8", kXmlNamespaceSeparator);
  XML_SetUserData(parse.parser, &parse);
  XML_SetElementHandler(
      parse.parser,
      [](void* data, const XML_Char* name, const XML_Char** attributes) {
        static_cast<Parse*>(data)->start(name, attributes);
      },
      [](void* data, const XML_Char* name) { static_cast<Parse*>(data)->end(name); });
  XML_SetCharacterDataHandler(parse.parser, [](void* data, const XML_Char* text, int length) {
    static_cast<Parse*>(data)->characters(std::string_view(text, static_cast<size_t>(length)));
  });
  XML_SetStartDoctypeDeclHandler(
      parse.parser, [](void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        static_cast<Parse*>(data)->stop("it declares a document type");
      });
  const XML_Status status =
      XML_Parse(parse.parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE);
  if (status != XML_STATUS_OK && parse.body.error.empty()) {
    parse.body.error = std::string(XML_ErrorString(XML_GetErrorCode(parse.parser))) + " at line " +
                       std::to_string(XML_GetCurrentLineNumber(parse.parser));
  }
  XML_ParserFree(parse.parser);
  if (!parse.body.error.empty()) parse.body.paragraphs.clear();
  return std::move(parse.body);
}

}  // namespace verbolt
