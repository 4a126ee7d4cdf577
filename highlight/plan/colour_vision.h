// How a colour looks to a reader: its contrast with the text over it, and
// how it appears to eyes missing one kind of cone. The palettes are held
// to these measures.
#pragma once

#include "highlight/plan/colours.h"

namespace verbolt {

enum class ColourVision { kTypical, kProtanopia, kDeuteranopia, kTritanopia };

// The colour as a reader with that vision sees it (Machado, Oliveira and
// Fernandes' model at full severity, worked in linear light).
Rgb simulatedVision(Rgb colour, ColourVision vision);

// WCAG's relative luminance, 0 for black to 1 for white, and the contrast
// ratio of two colours, 1:1 to 21:1.
double relativeLuminance(Rgb colour);
double contrastRatio(Rgb a, Rgb b);

// The distance of two colours in CIELAB (CIE76): about 2.3 is the least a
// reader notices, past 10 two colours are not mistaken for each other.
double perceivedDistance(Rgb a, Rgb b);

}  // namespace verbolt
