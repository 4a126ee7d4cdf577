// Writing bytes so that they reach the disk: the steps every atomic save
// of the program takes between its temporary file and the rename.
#pragma once

#include <string>
#include <string_view>

namespace verbolt {

// Writes all of `bytes` to `fd`, going on after interruptions and short
// writes. A write that takes nothing fails with errno ENOSPC.
bool writeAll(int fd, std::string_view bytes);

// Flushes `fd` to the disk, going on after interruptions.
bool syncFile(int fd);

// Makes a rename inside `path`'s folder survive a power cut. Not every file
// system lets a folder be flushed; the rename stands either way.
void syncParentDirectory(const std::string& path);

// A file-size limit (ulimit -f, a quota) then makes a write fail with
// EFBIG, which every save reports, instead of ending the program with
// SIGXFSZ and the writer's text with it. Called once, at start.
void ignoreFileSizeSignal();

}  // namespace verbolt
