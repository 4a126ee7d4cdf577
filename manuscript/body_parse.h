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

// What both dialects' parses share: the parser, the body it fills and the
// paragraph it is filling, the groups of guarded pieces, and where the
// current event lies in the part.
struct BodyParseBase {
  XML_Parser parser = nullptr;
  DocumentBody body;
  BodyParagraph paragraph;  // the open top-level paragraph
  int groups = 0;

  size_t position() const { return static_cast<size_t>(XML_GetCurrentByteIndex(parser)); }
  size_t eventLength() const { return static_cast<size_t>(XML_GetCurrentByteCount(parser)); }

  // Where the element ending now ends: an empty one (<w:tab/>) ends with
  // its start tag.
  size_t elementEnd(size_t startTagEnd) const {
    const size_t length = eventLength();
    return length == 0 ? startTagEnd : position() + length;
  }

  void stop(const char* why) {
    if (body.error.empty()) body.error = why;
    XML_StopParser(parser, XML_FALSE);
  }

  // A piece over `range` showing the paragraph's text from `textStart` on.
  BodyPiece pieceOf(size_t textStart, ByteRange range) const {
    BodyPiece piece;
    piece.textBegin = textStart;
    piece.textEnd = paragraph.text.size();
    piece.xml = range;
    return piece;
  }

  // The piece cannot be rewritten, on its own.
  void guard(BodyPiece& piece, EditGuard why) {
    if (why == EditGuard::kNone) return;
    piece.guard = why;
    piece.group = groups++;
  }
};

// `Parse` derives from BodyParseBase and hears start(name, attributes),
// end(name) and characters(text). A part with a document type
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
