// The sets of highlight colours a writer chooses from. Each keeps the rule
// that lets a word's background tell its state: one colour a class, a grey
// a class for hidden words and a red a class for marked ones, the greys
// and the reds told apart by one unit of blue.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "highlight/plan/colours.h"

namespace verbolt {

enum class PaletteName { kStandard, kColourBlindSafe, kDark };
constexpr int kPaletteCount = 3;

struct Palette {
  std::array<Rgb, kHighlightClassCount> classes;
  std::array<Rgb, kHighlightClassCount> hidden;
  std::array<Rgb, kHighlightClassCount> marked;
  Rgb markedWithoutClass;
  // The editor's text and its own background under these highlights.
  Rgb text;
  Rgb page;

  friend bool operator==(const Palette&, const Palette&) = default;

  Rgb classColour(HighlightClass c) const { return classes[static_cast<int>(c)]; }
  Rgb hiddenColour(HighlightClass c) const { return hidden[static_cast<int>(c)]; }
  Rgb markedColour(HighlightClass c) const { return marked[static_cast<int>(c)]; }

  // The class of a word showing `colour`: by its class colour or its grey
  // (`unmarked`), or by its red; none for any other colour.
  std::optional<HighlightClass> classOfUnmarked(Rgb colour) const;
  std::optional<HighlightClass> classOfMarked(Rgb colour) const;
  bool isMarked(Rgb colour) const {
    return colour == markedWithoutClass || classOfMarked(colour).has_value();
  }
};

const Palette& paletteNamed(PaletteName name);

// The palette the editor is painted in now: the one every pass that paints
// or reads a word's state goes by. Standard until the writer chooses.
const Palette& activePalette();
PaletteName activePaletteName();
void setActivePalette(PaletteName name);

// The colour that shows in `to` the state `colour` shows in `from`; a
// colour neither palette knows stays as it is.
Rgb inPalette(Rgb colour, const Palette& from, const Palette& to);

// The name a palette is kept under in the preferences, and back.
std::string_view paletteKey(PaletteName name);
std::optional<PaletteName> paletteFromKey(std::string_view key);

}  // namespace verbolt
