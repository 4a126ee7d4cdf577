#include "analysis/progress.h"

std::uint64_t progressCounter = 0;
