// Builds zip archives in memory, as a word processor writes its documents.
#pragma once

#include <unistd.h>
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace verbolt {

using ZipParts = std::vector<std::pair<std::string, std::string>>;

inline std::string zipArchive(const ZipParts& parts) {
  char path[] = "/tmp/verbolt-zip-XXXXXX";
  close(mkstemp(path));
  int error = 0;
  zip_t* archive = zip_open(path, ZIP_TRUNCATE, &error);
  for (const auto& [name, content] : parts) {
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
  }
  zip_close(archive);
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::remove(path);
  return bytes;
}

inline std::string odtArchive(const std::string& contentXml) {
  return zipArchive(
      {{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", contentXml}});
}

inline std::string docxArchive(const std::string& documentXml) {
  return zipArchive({{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", documentXml}});
}

}  // namespace verbolt
