// The highlight colours. A word's background colour is both what the user
// sees and the only record of its state: hidden and marked colours differ
// from each other by one unit of blue, which tells the class they came from.
#pragma once

#include <array>

namespace verbolt {

struct Rgb {
  unsigned char red;
  unsigned char green;
  unsigned char blue;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The standard palette's colours, the ones the program has always had;
// palette.h holds the others and says which one the editor shows.
//
// The first four in the order they are applied: later ones win. The
// echoes' two came later and are applied first, so that every other class
// shows over them.
enum class HighlightClass { kPhrase, kSearched, kDistant, kClose, kEcho, kOpening };
constexpr int kHighlightClassCount = 6;

constexpr std::array<Rgb, kHighlightClassCount> kClassColours = {{
    {220, 200, 255},  // phrase
    {180, 230, 255},  // searched
    {180, 255, 180},  // distant
    {255, 255, 140},  // close
    {255, 205, 150},  // phrase echo
    {255, 190, 225},  // sentence opening
}};
constexpr std::array<Rgb, kHighlightClassCount> kHiddenColours = {{
    {235, 235, 236},
    {235, 235, 235},
    {235, 235, 234},
    {235, 235, 233},
    {235, 235, 232},
    {235, 235, 231},
}};
constexpr std::array<Rgb, kHighlightClassCount> kMarkedColours = {{
    {255, 140, 142},
    {255, 140, 141},
    {255, 140, 139},
    {255, 140, 138},
    {255, 140, 137},
    {255, 140, 136},
}};
constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kMarkedWithoutClass = {255, 140, 140};

constexpr Rgb kWindowBackground = {246, 253, 255};
constexpr Rgb kSectionBackground = {240, 240, 240};
constexpr Rgb kTop100Background = kWindowBackground;
constexpr Rgb kTop100Mark = kMarkedWithoutClass;

constexpr Rgb classColour(HighlightClass c) { return kClassColours[static_cast<int>(c)]; }
constexpr Rgb hiddenColour(HighlightClass c) { return kHiddenColours[static_cast<int>(c)]; }
constexpr Rgb markedColour(HighlightClass c) { return kMarkedColours[static_cast<int>(c)]; }

}  // namespace verbolt
