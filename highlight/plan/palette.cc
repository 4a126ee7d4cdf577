#include "highlight/plan/palette.h"

namespace verbolt {

namespace {

// Greys and reds a class: the class's index moves the blue by one unit, as
// the standard colours do (phrase +2, searched +1, distant -1, close -2,
// the echoes -3 and -4; no class +0).
constexpr std::array<int, kHighlightClassCount> kBlueSteps = {2, 1, -1, -2, -3, -4};

constexpr std::array<Rgb, kHighlightClassCount> stepped(Rgb base) {
  std::array<Rgb, kHighlightClassCount> colours{};
  for (int c = 0; c < kHighlightClassCount; ++c) {
    colours[c] = {base.red, base.green, static_cast<unsigned char>(base.blue + kBlueSteps[c])};
  }
  return colours;
}

constexpr Palette kStandard = {
    kClassColours, kHiddenColours, kMarkedColours, kMarkedWithoutClass, {0, 0, 0}, kWhite,
};

// Told apart along the two axes every colour vision keeps, blue against
// yellow and light against dark: the classes and the mark stay apart under
// protanopia, deuteranopia and tritanopia alike. The echoes, which every
// other class covers, only need to differ from them.
constexpr Palette kColourBlindSafe = {
    {{
        {255, 175, 245},  // phrase: pink
        {150, 255, 195},  // searched: mint
        {60, 135, 255},   // distant: blue
        {230, 255, 130},  // close: yellow
        {255, 215, 160},  // phrase echo: sand
        {205, 190, 255},  // sentence opening: lavender
    }},
    kHiddenColours,
    stepped({230, 95, 10}),  // orange, the mark
    {230, 95, 10},
    {0, 0, 0},
    kWhite,
};

// Deep colours under light text: every one keeps 4.5:1 against the text.
constexpr Palette kDark = {
    {{
        {95, 60, 150},   // phrase
        {0, 90, 140},    // searched
        {20, 110, 40},   // distant
        {110, 95, 0},    // close
        {140, 75, 10},   // phrase echo
        {130, 40, 100},  // sentence opening
    }},
    stepped({75, 75, 74}),
    stepped({165, 30, 30}),
    {165, 30, 30},
    {235, 235, 235},
    {32, 33, 36},
};

constexpr std::array<const Palette*, kPaletteCount> kPalettes = {&kStandard, &kColourBlindSafe,
                                                                 &kDark};
constexpr std::array<std::string_view, kPaletteCount> kKeys = {"standard", "colour-blind-safe",
                                                               "dark"};

PaletteName active = PaletteName::kStandard;

}  // namespace

std::optional<HighlightClass> Palette::classOfUnmarked(Rgb colour) const {
  for (int c = 0; c < kHighlightClassCount; ++c) {
    if (colour == classes[c] || colour == hidden[c]) return static_cast<HighlightClass>(c);
  }
  return std::nullopt;
}

std::optional<HighlightClass> Palette::classOfMarked(Rgb colour) const {
  for (int c = 0; c < kHighlightClassCount; ++c) {
    if (colour == marked[c]) return static_cast<HighlightClass>(c);
  }
  return std::nullopt;
}

const Palette& paletteNamed(PaletteName name) { return *kPalettes[static_cast<int>(name)]; }

const Palette& activePalette() { return paletteNamed(active); }

PaletteName activePaletteName() { return active; }

void setActivePalette(PaletteName name) { active = name; }

Rgb inPalette(Rgb colour, const Palette& from, const Palette& to) {
  if (colour == from.markedWithoutClass) return to.markedWithoutClass;
  for (int c = 0; c < kHighlightClassCount; ++c) {
    if (colour == from.classes[c]) return to.classes[c];
    if (colour == from.hidden[c]) return to.hidden[c];
    if (colour == from.marked[c]) return to.marked[c];
  }
  return colour;
}

std::string_view paletteKey(PaletteName name) { return kKeys[static_cast<int>(name)]; }

std::optional<PaletteName> paletteFromKey(std::string_view key) {
  for (int p = 0; p < kPaletteCount; ++p) {
    if (kKeys[p] == key) return static_cast<PaletteName>(p);
  }
  return std::nullopt;
}

}  // namespace verbolt
