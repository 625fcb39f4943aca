#include "file_system.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "drives.h"

namespace fs = std::filesystem;

namespace corvina::platform {
namespace {

bool equalsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && equalsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// The names after the drive, split at either separator.
std::vector<std::string> namesOf(const std::string& windowsPath) {
  std::vector<std::string> names;
  std::string current;
  for (size_t i = 2; i < windowsPath.size(); ++i) {
    char c = windowsPath[i];
    if (c == '\\' || c == '/') {
      if (!current.empty()) names.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) names.push_back(current);
  return names;
}

bool validName(const std::string& name) {
  for (unsigned char c : name)
    if (c < 32 || std::string(":*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return false;
  return true;
}

fs::path requireHost(const std::string& windowsPath) {
  std::string host = resolveHostPath(windowsPath);
  if (host.empty()) {
    if (!hasValidNames(windowsPath))
      throw FileSystemError("Bad file name or number");  // Windows refuses such a name
    throw FileSystemError("Path not found");
  }
  return host;
}

}  // namespace

bool hasValidNames(const std::string& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') return false;
  for (const std::string& name : namesOf(windowsPath))
    if (!validName(name)) return false;
  return true;
}

std::string resolveHostPath(const std::string& windowsPath) {
  if (!hasValidNames(windowsPath)) return {};
  std::string root = toHostPath(windowsPath.substr(0, 2));
  if (root.empty()) return {};
  fs::path current = root;
  bool existing = true;
  std::error_code ec;
  for (const std::string& name : namesOf(windowsPath)) {
    if (name == ".") continue;
    if (name == "..") {
      current = current.parent_path();
      continue;
    }
    if (existing && !fs::exists(current / name, ec)) {
      // Windows file systems ignore case: look for the name among the entries.
      std::string match;
      if (fs::is_directory(current, ec))
        for (const auto& entry : fs::directory_iterator(current, ec))
          if (equalsNoCase(entry.path().filename().string(), name)) {
            match = entry.path().filename().string();
            break;
          }
      if (match.empty()) {
        existing = false;
        current /= name;
      } else {
        current /= match;
      }
    } else {
      current /= name;
    }
  }
  return current.string();
}

bool fileExists(const std::string& windowsPath) {
  std::string host = resolveHostPath(windowsPath);
  std::error_code ec;
  return !host.empty() && fs::exists(host, ec) && !fs::is_directory(host, ec);
}

bool folderExists(const std::string& windowsPath) {
  std::string host = resolveHostPath(windowsPath);
  std::error_code ec;
  return !host.empty() && fs::is_directory(host, ec);
}

bool pathExists(const std::string& windowsPath) {
  std::string host = resolveHostPath(windowsPath);
  std::error_code ec;
  return !host.empty() && fs::exists(host, ec);
}

std::optional<std::vector<std::string>> listFiles(const std::string& windowsFolder, const std::string& suffix) {
  if (!folderExists(windowsFolder)) return std::nullopt;
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(resolveHostPath(windowsFolder), ec)) {
    if (entry.is_directory(ec)) continue;
    std::string name = entry.path().filename().string();
    if (endsWithNoCase(name, suffix)) names.push_back(name);
  }
  // NTFS returns names in case-blind order; keep that order here too.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
  });
  return names;
}

void copyFile(const std::string& from, const std::string& to, bool overwrite) {
  fs::path source = requireHost(from);
  fs::path target = requireHost(to);
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) throw FileSystemError("File not found");
  if (!fs::is_directory(target.parent_path(), ec)) throw FileSystemError("Path not found");
  if (fs::is_directory(target, ec)) throw FileSystemError("Permission denied");
  if (!overwrite && fs::exists(target, ec)) throw FileSystemError("File already exists");
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
  if (ec) throw FileSystemError("Permission denied");
}

void deleteFile(const std::string& windowsPath) {
  fs::path host = requireHost(windowsPath);
  std::error_code ec;
  if (!fs::exists(host, ec) || fs::is_directory(host, ec)) throw FileSystemError("File not found");
  if (!fs::remove(host, ec) || ec) throw FileSystemError("Permission denied");
}

void createFolder(const std::string& windowsPath) {
  fs::path host = requireHost(windowsPath);
  std::error_code ec;
  if (fs::exists(host, ec)) throw FileSystemError("File already exists");
  if (!fs::is_directory(host.parent_path(), ec)) throw FileSystemError("Path not found");
  if (!fs::create_directory(host, ec) || ec) throw FileSystemError("Permission denied");
}

std::string windowsPathOfHost(const std::string& hostPath) {
  std::error_code ec;
  fs::path absolute = fs::absolute(hostPath, ec);
  return toWindowsPath(absolute.lexically_normal().string());
}

}  // namespace corvina::platform
