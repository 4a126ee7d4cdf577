// Reading an export back, character by character with its background.
#pragma once

#include <expat.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/plan/paint_plan.h"
#include "text/utf8.h"

namespace verbolt {

using Backgrounds = std::vector<std::optional<Rgb>>;

// The background every character should show: its run's colour, none for
// white or no run.
inline Backgrounds expectedBackgrounds(std::string_view utf8, const std::vector<ColourRun>& runs) {
  Backgrounds backgrounds(utf8CharCount(utf8));
  for (const ColourRun& run : runs) {
    for (int i = run.start; i < run.end && i < static_cast<int>(backgrounds.size()); ++i) {
      if (run.colour != kWhite) backgrounds[i] = run.colour;
    }
  }
  return backgrounds;
}

inline std::optional<Rgb> rgbFromHex(std::string_view hex) {
  if (hex.size() != 6) return std::nullopt;
  const unsigned long value = std::stoul(std::string(hex), nullptr, 16);
  return Rgb{static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 8),
             static_cast<unsigned char>(value)};
}

// Runs expat over `xml`, handing each event to the callbacks; false when
// the document is not well-formed.
struct XmlEvents {
  std::function<void(std::string_view name, const char** attributes)> start;
  std::function<void(std::string_view name)> end;
  std::function<void(std::string_view text)> characters;
};

inline bool walkXml(const std::string& xml, XmlEvents& events) {
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &events);
  XML_SetElementHandler(
      parser,
      [](void* data, const char* name, const char** attributes) {
        static_cast<XmlEvents*>(data)->start(name, attributes);
      },
      [](void* data, const char* name) { static_cast<XmlEvents*>(data)->end(name); });
  XML_SetCharacterDataHandler(parser, [](void* data, const char* text, int length) {
    static_cast<XmlEvents*>(data)->characters(std::string_view(text, length));
  });
  const bool wellFormed =
      XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), true) == XML_STATUS_OK;
  XML_ParserFree(parser);
  return wellFormed;
}

inline std::string_view attributeOf(const char** attributes, std::string_view name) {
  for (size_t i = 0; attributes[i]; i += 2) {
    if (name == attributes[i]) return attributes[i + 1];
  }
  return {};
}

// Appends each character of `text` with `colour` to the backgrounds.
inline void addBackgrounds(Backgrounds& backgrounds, std::string_view text,
                           std::optional<Rgb> colour) {
  backgrounds.insert(backgrounds.end(), utf8CharCount(text), colour);
}

}  // namespace verbolt
