#include "drive_discovery.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace corvina::platform {
namespace {

// mountinfo escapes blanks, tabs, newlines and backslashes as \ooo.
std::string unescapeOctal(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() &&
        std::all_of(field.begin() + i + 1, field.begin() + i + 4,
                    [](char c) { return c >= '0' && c <= '7'; })) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

std::string readFirstLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

bool isUnder(const std::string& path, const std::string& folder) {
  return startsWith(path, folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

const std::set<std::string> kNetworkFileSystems = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "glusterfs",
    "9p", "fuse.sshfs", "sshfs", "davfs", "fuse.davfs", "fuse.rclone"};
const std::set<std::string> kRamFileSystems = {"tmpfs", "ramfs"};
const std::set<std::string> kOpticalFileSystems = {"iso9660", "udf"};

// The whole disk behind a block device: the device itself, or its parent when
// it is a partition.
fs::path diskOf(const MountEntry& mount, const std::string& sysRoot) {
  std::error_code ec;
  fs::path link = fs::path(sysRoot) / "dev" / "block" /
                  (std::to_string(mount.major) + ":" + std::to_string(mount.minor));
  fs::path device = fs::canonical(link, ec);
  if (ec) return {};
  if (fs::exists(device / "partition", ec)) return device.parent_path();
  return device;
}

}  // namespace

std::vector<MountEntry> parseMountInfo(const std::string& text) {
  std::vector<MountEntry> mounts;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<std::string> parts;
    std::string field;
    while (fields >> field) parts.push_back(field);
    auto dash = std::find(parts.begin(), parts.end(), "-");
    if (parts.size() < 5 || dash == parts.end() || parts.end() - dash < 3) continue;
    MountEntry entry;
    const std::string& devno = parts[2];
    auto colon = devno.find(':');
    if (colon == std::string::npos) continue;
    try {
      entry.major = static_cast<unsigned>(std::stoul(devno.substr(0, colon)));
      entry.minor = static_cast<unsigned>(std::stoul(devno.substr(colon + 1)));
    } catch (const std::exception&) {
      continue;
    }
    entry.mountPoint = unescapeOctal(parts[4]);
    entry.fsType = *(dash + 1);
    entry.source = unescapeOctal(*(dash + 2));
    mounts.push_back(entry);
  }
  return mounts;
}

unsigned classifyMount(const MountEntry& mount, const std::string& sysRoot) {
  if (kNetworkFileSystems.count(mount.fsType) || startsWith(mount.source, "//") ||
      (mount.source.find(":/") != std::string::npos && !startsWith(mount.source, "/")))
    return DRIVE_REMOTE;
  if (kRamFileSystems.count(mount.fsType)) return DRIVE_RAMDISK;
  if (kOpticalFileSystems.count(mount.fsType)) return DRIVE_CDROM;
  // Anything else counts as a volume only when a block device backs it.
  if (mount.major == 0) return DRIVE_UNKNOWN;
  fs::path disk = diskOf(mount, sysRoot);
  if (disk.empty()) return DRIVE_UNKNOWN;
  std::string name = disk.filename().string();
  if (startsWith(name, "sr")) return DRIVE_CDROM;
  if (startsWith(name, "ram") || startsWith(name, "zram")) return DRIVE_RAMDISK;
  if (readFirstLine(disk / "removable") == "1") return DRIVE_REMOVABLE;
  // A USB disk that does not call itself removable (most card readers and
  // iPods in disk mode report 0 there) still is one to the user.
  if (disk.string().find("/usb") != std::string::npos) return DRIVE_REMOVABLE;
  return DRIVE_FIXED;
}

std::vector<Drive> discoverDrives(const std::string& mountInfoPath, const std::string& sysRoot) {
  std::ifstream in(mountInfoPath);
  std::stringstream text;
  text << in.rdbuf();

  // A later mount on the same point hides the earlier one.
  std::vector<std::pair<std::string, unsigned>> volumes;
  for (const MountEntry& mount : parseMountInfo(text.str())) {
    if (mount.mountPoint == "/") continue;
    unsigned type = classifyMount(mount, sysRoot);
    if (type == DRIVE_UNKNOWN) continue;
    bool userMounted = isUnder(mount.mountPoint, "/media") || isUnder(mount.mountPoint, "/run/media") ||
                       isUnder(mount.mountPoint, "/mnt");
    if (!(type == DRIVE_REMOVABLE || type == DRIVE_CDROM || userMounted)) continue;
    volumes.erase(std::remove_if(volumes.begin(), volumes.end(),
                                 [&](const auto& v) { return v.first == mount.mountPoint; }),
                  volumes.end());
    volumes.emplace_back(mount.mountPoint, type);
  }
  std::sort(volumes.begin(), volumes.end());

  std::vector<Drive> map;
  char letter = 'D';
  for (const auto& [mountPoint, type] : volumes) {
    if (letter > 'Y') break;
    map.push_back(Drive{letter++, mountPoint, type});
  }
  map.push_back(Drive{'Z', "/", DRIVE_FIXED});
  return map;
}

}  // namespace corvina::platform
