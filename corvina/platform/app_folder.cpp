#include "app_folder.h"

#include <filesystem>
#include <optional>

#include "file_system.h"

namespace corvina::platform {
namespace {

std::optional<std::string>& overridden() {
  static std::optional<std::string> folder;
  return folder;
}

}  // namespace

std::string applicationFolder() {
  if (overridden()) return *overridden();
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  std::string folder = windowsPathOfHost(exe.parent_path().string());
  // App.Path has no trailing backslash except at a drive root.
  return folder;
}

void setApplicationFolder(const std::string& windowsPath) { overridden() = windowsPath; }

}  // namespace corvina::platform
