// Developer trace lines. The library writes them through a sink that the
// window points at its debug log; without a sink they are dropped.
#pragma once

#include <string>

namespace verbolt {

using DebugTraceSink = void (*)(const std::string& line);

void setDebugTraceSink(DebugTraceSink sink);
void debugTrace(const std::string& line);

}  // namespace verbolt
