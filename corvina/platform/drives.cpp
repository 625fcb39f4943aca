#include "drives.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>

#include "drive_discovery.h"

namespace corvina::platform {
namespace {

std::optional<std::vector<Drive>>& currentMap() {
  static std::optional<std::vector<Drive>> map;
  return map;
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

const Drive* findDrive(char letter) {
  for (const Drive& d : drives())
    if (upper(d.letter) == upper(letter)) return &d;
  return nullptr;
}

std::vector<Drive> loadDrives() {
  const char* spec = std::getenv("CORVINA_DRIVES");
  if (spec && *spec) {
    std::vector<Drive> map;
    std::string error;
    if (parseDriveSpec(spec, map, error)) {
      if (std::none_of(map.begin(), map.end(), [](const Drive& d) { return upper(d.letter) == 'Z'; }))
        map.push_back(Drive{'Z', "/", DRIVE_FIXED});
      std::sort(map.begin(), map.end(),
                [](const Drive& a, const Drive& b) { return upper(a.letter) < upper(b.letter); });
      return map;
    }
    std::cerr << "Corvina: CORVINA_DRIVES ignored: " << error << "\n";
  }
  return discoverDrives("/proc/self/mountinfo", "/sys");
}

}  // namespace

bool parseDriveSpec(const std::string& spec, std::vector<Drive>& out, std::string& error) {
  static const std::map<std::string, unsigned> kTypes = {
      {"removable", DRIVE_REMOVABLE}, {"fixed", DRIVE_FIXED},    {"network", DRIVE_REMOTE},
      {"remote", DRIVE_REMOTE},       {"cdrom", DRIVE_CDROM},    {"ramdisk", DRIVE_RAMDISK}};
  out.clear();
  size_t start = 0;
  while (start <= spec.size()) {
    size_t end = spec.find(';', start);
    if (end == std::string::npos) end = spec.size();
    std::string entry = spec.substr(start, end - start);
    start = end + 1;
    if (entry.empty()) continue;
    if (entry.size() < 4 || !std::isalpha(static_cast<unsigned char>(entry[0])) || entry[1] != ':' ||
        entry[2] != '=') {
      error = "entry \"" + entry + "\" is not <letter>:=<folder>:<type>";
      return false;
    }
    std::string rest = entry.substr(3);
    size_t colon = rest.rfind(':');
    if (colon == std::string::npos) {
      error = "entry \"" + entry + "\" has no drive type";
      return false;
    }
    std::string folder = rest.substr(0, colon);
    auto type = kTypes.find(rest.substr(colon + 1));
    if (type == kTypes.end()) {
      error = "entry \"" + entry + "\" has an unknown drive type";
      return false;
    }
    if (folder.empty() || folder[0] != '/') {
      error = "entry \"" + entry + "\" needs an absolute folder";
      return false;
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (std::any_of(out.begin(), out.end(), [&](const Drive& d) { return upper(d.letter) == upper(entry[0]); })) {
      error = "drive " + std::string(1, upper(entry[0])) + ": is given twice";
      return false;
    }
    out.push_back(Drive{entry[0], folder, type->second});
  }
  return true;
}

const std::vector<Drive>& drives() {
  if (!currentMap()) currentMap() = loadDrives();
  return *currentMap();
}

void setDrives(std::vector<Drive> map) {
  std::sort(map.begin(), map.end(),
            [](const Drive& a, const Drive& b) { return upper(a.letter) < upper(b.letter); });
  currentMap() = std::move(map);
}

void reloadDrives() { currentMap() = loadDrives(); }

std::vector<std::string>& driveTypeQueries() {
  static std::vector<std::string> queries;
  return queries;
}

unsigned GetLogicalDriveStringsA(unsigned bufferLength, char* buffer) {
  const auto& map = drives();
  unsigned needed = static_cast<unsigned>(map.size()) * 4 + 1;
  if (buffer == nullptr || bufferLength < needed) return needed;
  char* p = buffer;
  for (const Drive& d : map) {
    *p++ = d.letter;
    *p++ = ':';
    *p++ = '\\';
    *p++ = '\0';
  }
  *p = '\0';
  return needed - 1;
}

unsigned GetDriveTypeA(const char* rootPathName) {
  std::string root = rootPathName ? rootPathName : "";
  driveTypeQueries().push_back(root);
  // Only a drive root ("E:\" or "E:") names a drive.
  if (root.size() < 2 || root[1] != ':' || root.size() > 3 || (root.size() == 3 && root[2] != '\\' && root[2] != '/'))
    return DRIVE_NO_ROOT_DIR;
  const Drive* drive = findDrive(root[0]);
  return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}

std::string toHostPath(const std::string& windowsPath) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':') return {};
  const Drive* drive = findDrive(windowsPath[0]);
  if (!drive) return {};
  std::string rest = windowsPath.substr(2);
  std::replace(rest.begin(), rest.end(), '\\', '/');
  // Collapse doubled separators the way Windows does.
  std::string cleaned;
  for (char c : rest)
    if (!(c == '/' && !cleaned.empty() && cleaned.back() == '/')) cleaned += c;
  if (cleaned.empty() || cleaned == "/") return drive->hostFolder;
  if (cleaned[0] != '/') cleaned.insert(cleaned.begin(), '/');
  if (drive->hostFolder == "/") return cleaned;
  return drive->hostFolder + cleaned;
}

std::string toWindowsPath(const std::string& hostPath) {
  if (hostPath.empty() || hostPath[0] != '/') return {};
  // The drive with the longest folder holding the path wins; Z: holds all.
  const Drive* best = nullptr;
  for (const Drive& d : drives()) {
    bool holds = d.hostFolder == "/" ||
                 (hostPath.rfind(d.hostFolder, 0) == 0 &&
                  (hostPath.size() == d.hostFolder.size() || hostPath[d.hostFolder.size()] == '/'));
    if (holds && (!best || d.hostFolder.size() > best->hostFolder.size())) best = &d;
  }
  if (!best) return {};
  std::string rest = best->hostFolder == "/" ? hostPath : hostPath.substr(best->hostFolder.size());
  std::replace(rest.begin(), rest.end(), '/', '\\');
  while (rest.size() > 1 && rest.back() == '\\') rest.pop_back();
  std::string result = std::string(1, upper(best->letter)) + ":" + rest;
  if (result.size() == 2) result += '\\';
  return result;
}

}  // namespace corvina::platform
