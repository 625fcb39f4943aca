#include "file_helpers.h"

#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/file_system.h"

namespace corvina {

void push(ListValue& list, const std::string& value) {
  if (!list) list.emplace();
  list->push_back(value);
}

bool AryIsEmpty(const ListValue& list) { return !list.has_value(); }

bool FolderExists(const std::string& path) { return !path.empty() && platform::pathExists(path); }

bool FileExists(const std::string& path) { return platform::fileExists(path); }

ListValue GetFolderFiles(const std::string& folder, const std::string& extension, bool fullPath) {
  ListValue files;
  if (!FolderExists(folder)) return files;
  std::string base = folder;
  if (base.empty() || base.back() != '\\') base += '\\';
  std::string ext = extension;
  if (!ext.empty() && ext[0] == '*') ext.erase(0, 1);
  if (ext.empty() || ext[0] != '.') ext.insert(ext.begin(), '.');
  auto names = platform::listFiles(base, ext);
  if (!names) return files;
  for (const std::string& name : *names) {
    push(files, fullPath ? base + name : name);
    platform::DoEvents();
  }
  return files;
}

std::string GetBaseName(const std::string& path) {
  size_t slash = path.rfind('\\');
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = last.rfind('.');
  return dot == std::string::npos ? last : last.substr(0, dot);
}

void DeleteIfExists(const std::string& path) {
  if (platform::fileExists(path)) platform::deleteFile(path);
}

std::string GetShortPath(const std::string& path) {
  // Host file systems keep no 8.3 names: an existing path is its own short
  // form, an unknown one has none. Windows' 1024-character buffer is kept.
  if (!platform::pathExists(path)) return {};
  return path.size() < 1024 ? path : std::string();
}

std::string BrowseForFolder(const std::string& title, platform::WindowHandle) {
  std::string chosen = platform::dialogs().chooseFolder(title).value_or("");
  auto nul = chosen.find('\0');
  if (nul != std::string::npos) chosen.resize(nul);
  chosen += '\\';
  if (chosen.size() >= 2 && chosen.compare(chosen.size() - 2, 2, "\\\\") == 0) chosen.pop_back();
  if (chosen == "\\") return {};
  return chosen;
}

}  // namespace corvina
