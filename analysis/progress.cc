#include "analysis/progress.h"

constinit thread_local std::uint64_t progressCounter = 0;
