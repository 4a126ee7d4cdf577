#pragma once

#include <cstddef>
#include <vector>

namespace verbolt {

// Asks the system to back the untouched memory [data, data + bytes) with
// huge pages where it can: a buffer of tens of megabytes then costs a few
// dozen page faults instead of thousands. Only advice: nothing changes
// where the system does not take it.
void preferHugePages(const void* data, size_t bytes);

// Room for `count` items in `items`, the room's untouched pages advised as
// above.
template <typename T>
void reserveLarge(std::vector<T>& items, size_t count) {
  items.reserve(count);
  preferHugePages(items.data() + items.size(), (items.capacity() - items.size()) * sizeof(T));
}

}  // namespace verbolt
