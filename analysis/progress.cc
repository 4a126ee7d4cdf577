#include "analysis/progress.h"

namespace verbolt {

constinit thread_local std::uint64_t progressCounter = 0;

}  // namespace verbolt
