// Small file and folder helpers shared by the desktop program's workflows.
// Paths are Windows paths.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/shell_execute.h"

namespace corvina {

// A growable list of texts that may never have been dimensioned (nullopt).
using ListValue = std::optional<std::vector<std::string>>;

void push(ListValue& list, const std::string& value);
bool AryIsEmpty(const ListValue& list);

ListValue GetFolderFiles(const std::string& folder, const std::string& extension, bool fullPath);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
std::string GetBaseName(const std::string& path);
// Throws platform::FileSystemError when the file exists but cannot be deleted.
void DeleteIfExists(const std::string& path);
std::string GetShortPath(const std::string& path);
// The chosen folder ending in exactly one backslash, or empty when cancelled.
std::string BrowseForFolder(const std::string& title, platform::WindowHandle owner);

}  // namespace corvina
