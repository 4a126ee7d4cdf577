#include "text/debug_trace.h"

namespace verbolt {

namespace {
DebugTraceSink traceSink = nullptr;
}

void setDebugTraceSink(DebugTraceSink sink) { traceSink = sink; }

void debugTrace(const std::string& line) {
  if (traceSink) traceSink(line);
}

}  // namespace verbolt
