// A fresh temporary host folder for one test, removed afterwards, with
// helpers to make files in it.
#pragma once

#include <filesystem>
#include <string>

namespace corvina::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& path() const { return path_; }
  // Writes a file (making its folders) relative to the folder.
  std::filesystem::path write(const std::string& relative, const std::string& content = "") const;
  std::filesystem::path mkdir(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace corvina::testing
