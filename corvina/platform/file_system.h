// File services on Windows paths, with Windows' rules: names are compared
// without regard to case, and a name holding \ / : * ? " < > | (or a control
// character) cannot exist, so creating or copying to one fails.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvina::platform {

// The error a failing file operation raises to its caller (the file system's
// own error, as the Windows file object raises it).
class FileSystemError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// True when every name in the path is one Windows allows.
bool hasValidNames(const std::string& windowsPath);

// Host path of a Windows path. Existing names are matched without regard to
// case; the part that does not exist yet is kept as written. Empty when the
// drive is not mapped or a name is not allowed.
std::string resolveHostPath(const std::string& windowsPath);

bool fileExists(const std::string& windowsPath);    // a file, not a folder
bool folderExists(const std::string& windowsPath);  // a folder, not a file
bool pathExists(const std::string& windowsPath);    // either

// Names of the files (not folders) in a folder whose names end in the given
// suffix (compared without case; an empty suffix lists every file), in the
// order the file system returns them. nullopt when the folder is missing.
std::optional<std::vector<std::string>> listFiles(const std::string& windowsFolder, const std::string& suffix);

// These throw FileSystemError with a Windows-style message on failure.
void copyFile(const std::string& from, const std::string& to, bool overwrite);
void deleteFile(const std::string& windowsPath);
void createFolder(const std::string& windowsPath);

// Windows-style path of a host path (of the program file, for instance).
std::string windowsPathOfHost(const std::string& hostPath);

}  // namespace corvina::platform
