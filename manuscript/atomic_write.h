// Saving a manuscript so that nothing is ever half written.
#pragma once

#include <string>
#include <string_view>

namespace verbolt {

// Writes `bytes` to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`: a full disk, a crash or a power cut leaves
// the old file whole or the new one complete, never a mix. The new file
// keeps the old one's permissions; a symbolic link stays a link and its
// target is replaced. A pipe, a socket or a device is written into, never
// replaced. On failure returns false, leaves no temporary file and says
// why in `error`, one English sentence.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Removes from `folder` the temporaries that saves killed half-way left
// there: named after a process that no longer runs, not locked by a save
// in progress, owned by this user. Anything else is left alone. Returns
// how many went.
int removeAbandonedSaves(const std::string& folder);

}  // namespace verbolt
