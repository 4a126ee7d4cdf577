// The files a run of verbolt-analyze reads, from the files and folders
// named on its command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verbolt {

struct InputFile {
  std::string path;
  std::string problem;  // why it cannot be read; empty when it can be tried
};

// The extensions looked for in folders: .txt, .md, .odt, .docx, in any case.
bool isManuscriptName(std::string_view path);

// Each operand in the order given: a file (or "-") as it is; a folder, the
// manuscripts in it at any depth, in byte order of their paths, leaving out
// the files and folders whose names start with "." and not following the
// links to folders. A folder that cannot be listed is one entry with its
// problem; a file is only tried when it is read.
std::vector<InputFile> inputFiles(const std::vector<std::string>& operands);

}  // namespace verbolt
