#include "ui/view_choices.h"

#include "ui/preferences.h"

namespace verbolt {

namespace {

const char kPreferenceName[] = "view.txt";
constexpr LineBounds kPreferenceBounds = {8, 64};

}  // namespace

std::vector<std::string> viewChoicesLines(const ViewChoices& choices) {
  return {std::string("strip ") + (choices.overviewStrip ? "on" : "off"),
          "palette " + std::string(paletteKey(choices.palette))};
}

ViewChoices viewChoicesFromLines(const std::vector<std::string>& lines) {
  ViewChoices choices;
  for (const std::string& line : lines) {
    if (line == "strip on" || line == "strip off") choices.overviewStrip = line == "strip on";
    if (line.starts_with("palette ")) {
      if (auto palette = paletteFromKey(std::string_view(line).substr(8))) {
        choices.palette = *palette;
      }
    }
  }
  return choices;
}

ViewChoices storedViewChoices() {
  return viewChoicesFromLines(readPreferences(kPreferenceName, kPreferenceBounds));
}

void storeViewChoices(const ViewChoices& choices) {
  std::string text;
  for (const std::string& line : viewChoicesLines(choices)) text += line + "\n";
  storePreferences(kPreferenceName, text);
}

}  // namespace verbolt
