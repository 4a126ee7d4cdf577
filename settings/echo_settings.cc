#include "settings/echo_settings.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace verbolt {

namespace {

bool readNumber(std::string_view text, long long& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

void readSwitch(std::string_view value, bool& on) {
  if (value == "on") on = true;
  if (value == "off") on = false;
}

}  // namespace

void clampEchoSettings(EchoSettings& settings) {
  settings.distance = std::clamp<size_t>(settings.distance, 1, kLongestEchoDistance);
  settings.minWords = std::clamp(settings.minWords, kShortestEcho, kLongestEcho);
  settings.maxWords = std::clamp(settings.maxWords, settings.minWords, kLongestEcho);
}

std::vector<std::string> echoSettingsLines(const EchoSettings& settings) {
  return {
      std::string("phrases ") + (settings.phrasesActive ? "on" : "off"),
      std::string("openings ") + (settings.openingsActive ? "on" : "off"),
      "distance " + std::to_string(settings.distance),
      "words " + std::to_string(settings.minWords) + " " + std::to_string(settings.maxWords),
  };
}

EchoSettings echoSettingsFromLines(const std::vector<std::string>& lines) {
  EchoSettings settings;
  for (const std::string& line : lines) {
    const std::string_view text(line);
    const size_t space = text.find(' ');
    if (space == std::string_view::npos) continue;
    const std::string_view name = text.substr(0, space);
    const std::string_view value = text.substr(space + 1);
    long long first = 0;
    long long second = 0;
    if (name == "phrases") readSwitch(value, settings.phrasesActive);
    if (name == "openings") readSwitch(value, settings.openingsActive);
    if (name == "distance" && readNumber(value, first) && first > 0) {
      settings.distance = static_cast<size_t>(std::min<long long>(first, kLongestEchoDistance));
    }
    const size_t gap = value.find(' ');
    if (name == "words" && gap != std::string_view::npos &&
        readNumber(value.substr(0, gap), first) && readNumber(value.substr(gap + 1), second) &&
        first >= kShortestEcho && second <= kLongestEcho && first <= second) {
      settings.minWords = static_cast<int>(first);
      settings.maxWords = static_cast<int>(second);
    }
  }
  return settings;
}

}  // namespace verbolt
