#include "cli/input_files.h"

#include <algorithm>
#include <filesystem>

namespace verbolt {

namespace fs = std::filesystem;

namespace {

std::string lowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string cannotRead(const std::string& path, const std::error_code& error) {
  return "cannot read '" + path + "': " + error.message();
}

bool isHidden(const fs::path& path) { return path.filename().string().starts_with('.'); }

void walk(const fs::path& folder, std::vector<InputFile>& found) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) {
    found.push_back({folder.string(), cannotRead(folder.string(), error)});
    return;
  }
  for (const fs::directory_entry& entry : entries) {
    if (isHidden(entry.path())) continue;
    std::error_code ignored;
    if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
      walk(entry.path(), found);
    } else if (entry.is_regular_file(ignored) && isManuscriptName(entry.path().string())) {
      found.push_back({entry.path().string(), {}});
    }
  }
}

}  // namespace

bool isManuscriptName(std::string_view path) {
  const std::string extension = lowered(fs::path(path).extension().string());
  return extension == ".txt" || extension == ".md" || extension == ".odt" || extension == ".docx";
}

std::vector<InputFile> inputFiles(const std::vector<std::string>& operands) {
  std::vector<InputFile> files;
  for (const std::string& operand : operands) {
    std::error_code error;
    if (operand == "-" || !fs::is_directory(operand, error)) {
      files.push_back({operand, {}});
      continue;
    }
    std::vector<InputFile> found;
    walk(operand, found);
    std::sort(found.begin(), found.end(),
              [](const InputFile& a, const InputFile& b) { return a.path < b.path; });
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

}  // namespace verbolt
