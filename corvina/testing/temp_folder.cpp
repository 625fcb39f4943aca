#include "temp_folder.h"

#include <cstdlib>
#include <fstream>

namespace corvina::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "corvina-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  path_ = made ? made : pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempFolder::write(const std::string& relative, const std::string& content) const {
  std::filesystem::path file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
  return file;
}

std::filesystem::path TempFolder::mkdir(const std::string& relative) const {
  std::filesystem::create_directories(path_ / relative);
  return path_ / relative;
}

}  // namespace corvina::testing
