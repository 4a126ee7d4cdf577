// Temporaries that a save killed half-way leaves beside the file it was
// writing. Their names carry the id of the saving process, and a save
// holds a lock on its temporary while it writes, so that a later start can
// tell such a leftover from a save in progress in another window.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace verbolt {

// The saving process's id when `name` is `prefix` followed by "PID-XXXXXX"
// (the six letters and digits of mkostemp), else 0.
pid_t saverInName(std::string_view name, std::string_view prefix);

// Whether a process with that id runs, this user's or another's.
bool processRuns(pid_t pid);

// Removes `path` when it is a plain file of this user's that no save holds
// locked and whose content `looksLikeOurs` accepts (given the open file).
// True when it went.
bool removeIfAbandoned(const std::string& path, const std::function<bool(int fd)>& looksLikeOurs);

}  // namespace verbolt
