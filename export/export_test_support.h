// Reading an export back, character by character with its background.
#pragma once

#include <expat.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/plan/paint_plan.h"
#include "manuscript/zip_part.h"
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

// One part of a .docx package; empty, with a failure, when it is missing.
inline std::string docxPart(const std::string& package, const std::string& name) {
  std::string content;
  const ZipOutcome outcome = streamZipPart(package, name, 1 << 28, [&](std::string_view chunk) {
    content += chunk;
    return true;
  });
  EXPECT_EQ(outcome.problem, ZipProblem::kNone) << name;
  return content;
}

// The background of every character of a .docx body: each run's w:shd
// fill; a w:tab and the end of a w:p count one character each.
inline Backgrounds docxBackgrounds(const std::string& package) {
  std::optional<Rgb> runColour;
  Backgrounds backgrounds;
  bool inText = false;
  bool firstParagraph = true;
  XmlEvents events;
  events.start = [&](std::string_view name, const char** attributes) {
    if (name == "w:p") {
      if (!firstParagraph) backgrounds.push_back(std::nullopt);  // the line end
      firstParagraph = false;
    }
    if (name == "w:r") runColour.reset();
    if (name == "w:shd") {
      EXPECT_EQ(attributeOf(attributes, "w:val"), "clear");
      runColour = rgbFromHex(attributeOf(attributes, "w:fill"));
    }
    if (name == "w:tab") backgrounds.push_back(runColour);
    if (name == "w:t") inText = true;
  };
  events.end = [&](std::string_view name) {
    if (name == "w:t") inText = false;
  };
  events.characters = [&](std::string_view text) {
    if (inText) addBackgrounds(backgrounds, text, runColour);
  };
  EXPECT_TRUE(walkXml(docxPart(package, "word/document.xml"), events)) << "not well-formed";
  return backgrounds;
}

}  // namespace verbolt
