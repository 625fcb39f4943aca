// Finds the host's volumes for the drive map: reads a mountinfo file
// (/proc/self/mountinfo) and a sysfs tree (/sys) and tells each mount's drive
// type from its file system and its disk.
#pragma once

#include <string>
#include <vector>

#include "drives.h"

namespace corvina::platform {

struct MountEntry {
  unsigned major = 0;
  unsigned minor = 0;
  std::string mountPoint;
  std::string fsType;
  std::string source;
};

std::vector<MountEntry> parseMountInfo(const std::string& text);

// Drive type of one mount, DRIVE_UNKNOWN for pseudo file systems (proc,
// sysfs, overlay ...) that are no volume at all.
unsigned classifyMount(const MountEntry& mount, const std::string& sysRoot);

// Letters from D: on for the volumes a user attaches or mounts: every
// removable or USB disk and every CD anywhere, and any other volume mounted
// under /media, /run/media or /mnt. Ordered by mount point; Z: is "/".
std::vector<Drive> discoverDrives(const std::string& mountInfoPath, const std::string& sysRoot);

}  // namespace corvina::platform
