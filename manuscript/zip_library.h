// The zip library, loaded the first time a document is read. Linked at the
// start, it and the cryptography library it brings along took about 2 ms
// of every start of the programs, half of what the command-line analysis
// of a short text takes, though few texts come in documents.
#pragma once

#include <zip.h>

#include <string>

namespace verbolt {

struct ZipLibrary {
  decltype(&zip_close) close;
  decltype(&zip_discard) discard;
  decltype(&zip_error_fini) errorFini;
  decltype(&zip_error_init) errorInit;
  decltype(&zip_error_strerror) errorString;
  decltype(&zip_fclose) fclose;
  decltype(&zip_file_get_error) fileError;
  decltype(&zip_fopen_index) fopenIndex;
  decltype(&zip_file_replace) fileReplace;
  decltype(&zip_fread) fread;
  decltype(&zip_name_locate) nameLocate;
  decltype(&zip_open_from_source) openFromSource;
  decltype(&zip_source_buffer) sourceBuffer;
  decltype(&zip_source_buffer_create) sourceBufferCreate;
  decltype(&zip_source_close) sourceClose;
  decltype(&zip_source_free) sourceFree;
  decltype(&zip_source_keep) sourceKeep;
  decltype(&zip_source_open) sourceOpen;
  decltype(&zip_source_read) sourceRead;
  decltype(&zip_source_stat) sourceStat;
  decltype(&zip_stat_index) statIndex;
  decltype(&zip_stat_init) statInit;
  decltype(&zip_strerror) strerror;
};

// The library, loaded once for every thread; null when it cannot be
// loaded, with the reason in `problem`.
const ZipLibrary* zipLibrary(std::string* problem);

}  // namespace verbolt
