#include "manuscript/zip_library.h"

#include <dlfcn.h>

namespace verbolt {

namespace {

struct Loaded {
  ZipLibrary library{};
  std::string problem;
};

template <typename Function>
bool find(void* handle, const char* name, Function& function, std::string& problem) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  if (!function && problem.empty()) problem = std::string("it has no ") + name;
  return function != nullptr;
}

Loaded load() {
  Loaded loaded;
  void* handle = dlopen(VERBOLT_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    loaded.problem = std::string("the zip library ") + VERBOLT_LIBZIP_SONAME +
                     " cannot be loaded (" + (why ? why : "unknown reason") + ")";
    return loaded;
  }
  ZipLibrary& z = loaded.library;
  std::string& problem = loaded.problem;
  find(handle, "zip_close", z.close, problem);
  find(handle, "zip_discard", z.discard, problem);
  find(handle, "zip_error_fini", z.errorFini, problem);
  find(handle, "zip_error_init", z.errorInit, problem);
  find(handle, "zip_error_strerror", z.errorString, problem);
  find(handle, "zip_fclose", z.fclose, problem);
  find(handle, "zip_file_get_error", z.fileError, problem);
  find(handle, "zip_fopen_index", z.fopenIndex, problem);
  find(handle, "zip_file_replace", z.fileReplace, problem);
  find(handle, "zip_fread", z.fread, problem);
  find(handle, "zip_name_locate", z.nameLocate, problem);
  find(handle, "zip_open_from_source", z.openFromSource, problem);
  find(handle, "zip_source_buffer", z.sourceBuffer, problem);
  find(handle, "zip_source_buffer_create", z.sourceBufferCreate, problem);
  find(handle, "zip_source_close", z.sourceClose, problem);
  find(handle, "zip_source_free", z.sourceFree, problem);
  find(handle, "zip_source_keep", z.sourceKeep, problem);
  find(handle, "zip_source_open", z.sourceOpen, problem);
  find(handle, "zip_source_read", z.sourceRead, problem);
  find(handle, "zip_source_stat", z.sourceStat, problem);
  find(handle, "zip_stat_index", z.statIndex, problem);
  find(handle, "zip_stat_init", z.statInit, problem);
  find(handle, "zip_strerror", z.strerror, problem);
  if (!problem.empty()) {
    problem = std::string("the zip library ") + VERBOLT_LIBZIP_SONAME + " is unusable: " + problem;
  }
  return loaded;
}

}  // namespace

const ZipLibrary* zipLibrary(std::string* problem) {
  static const Loaded loaded = load();
  if (!loaded.problem.empty()) {
    if (problem) *problem = loaded.problem;
    return nullptr;
  }
  return &loaded.library;
}

}  // namespace verbolt
