#include "highlight/plan/colour_vision.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace verbolt {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
using Linear = std::array<double, 3>;

constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia = {{{1.255528, -0.076749, -0.178779},
                                 {-0.078411, 0.930809, 0.147602},
                                 {0.004733, 0.691367, 0.303900}}};

double toLinear(unsigned char channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

unsigned char fromLinear(double value) {
  value = std::clamp(value, 0.0, 1.0);
  const double c = value <= 0.0031308 ? value * 12.92 : 1.055 * std::pow(value, 1 / 2.4) - 0.055;
  return static_cast<unsigned char>(std::lround(c * 255));
}

Linear linear(Rgb colour) {
  return {toLinear(colour.red), toLinear(colour.green), toLinear(colour.blue)};
}

std::array<double, 3> lab(Rgb colour) {
  const Linear l = linear(colour);
  const double x = (0.4124 * l[0] + 0.3576 * l[1] + 0.1805 * l[2]) / 0.95047;
  const double y = 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
  const double z = (0.0193 * l[0] + 0.1192 * l[1] + 0.9505 * l[2]) / 1.08883;
  auto f = [](double t) {
    return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
  };
  return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

}  // namespace

Rgb simulatedVision(Rgb colour, ColourVision vision) {
  const Matrix* matrix = nullptr;
  switch (vision) {
    case ColourVision::kTypical:
      return colour;
    case ColourVision::kProtanopia:
      matrix = &kProtanopia;
      break;
    case ColourVision::kDeuteranopia:
      matrix = &kDeuteranopia;
      break;
    case ColourVision::kTritanopia:
      matrix = &kTritanopia;
      break;
  }
  const Linear l = linear(colour);
  std::array<unsigned char, 3> seen{};
  for (int row = 0; row < 3; ++row) {
    const auto& m = (*matrix)[row];
    seen[row] = fromLinear(m[0] * l[0] + m[1] * l[1] + m[2] * l[2]);
  }
  return {seen[0], seen[1], seen[2]};
}

double relativeLuminance(Rgb colour) {
  const Linear l = linear(colour);
  return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
}

double contrastRatio(Rgb a, Rgb b) {
  const double la = relativeLuminance(a);
  const double lb = relativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double perceivedDistance(Rgb a, Rgb b) {
  const auto la = lab(a);
  const auto lb = lab(b);
  return std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
}

}  // namespace verbolt
