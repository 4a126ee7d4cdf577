// Reading the small files the program keeps beside a text or finds on the
// system (lists of words, dictionaries' tables): whole, bounded, and never
// blocking on a pipe or a device that bears such a file's name.
#pragma once

#include <string>

namespace verbolt {

enum class SmallFileRead { kRead, kCannotOpen, kNotRegular, kTooLarge, kCannotRead };

// Reads the regular file at `path` into `bytes` when it holds at most
// `maxBytes`. On kCannotOpen and kCannotRead, `error` is the errno.
SmallFileRead readSmallFile(const std::string& path, size_t maxBytes, std::string& bytes,
                            int& error);

}  // namespace verbolt
