// Drive letters of the Windows world mapped onto host folders.
//
// The program's own code keeps Windows paths (E:, E:\iPod_Control\...). This
// layer knows which letter stands for which host folder and what kind of
// drive it is. The map comes from CORVINA_DRIVES when that is set
// ("E:=/tmp/ipod:removable;F:=/tmp/disk:fixed"), otherwise from the volumes
// mounted on the host; Z: is always the whole host tree.
#pragma once

#include <string>
#include <vector>

namespace corvina::platform {

enum DriveType : unsigned {
  DRIVE_UNKNOWN = 0,
  DRIVE_NO_ROOT_DIR = 1,
  DRIVE_REMOVABLE = 2,
  DRIVE_FIXED = 3,
  DRIVE_REMOTE = 4,
  DRIVE_CDROM = 5,
  DRIVE_RAMDISK = 6,
};

struct Drive {
  char letter;             // as reported in the drive list (normally upper case)
  std::string hostFolder;  // absolute host folder, no trailing slash (except "/")
  unsigned type;
};

// Parses a CORVINA_DRIVES text. Entries are separated by ';', each is
// "<letter>:=<host folder>:<type>" with type one of removable, fixed, network
// (or remote), cdrom, ramdisk. Returns false and an error text on bad input.
bool parseDriveSpec(const std::string& spec, std::vector<Drive>& out, std::string& error);

// The drive map in use. Loaded on first use from the environment or the host.
const std::vector<Drive>& drives();
// Replaces the map (tests) or reloads it from the environment / host.
void setDrives(std::vector<Drive> map);
void reloadDrives();

// Windows' drive functions with their contracts. GetLogicalDriveStringsA fills
// the buffer with "X:\<NUL>" roots in letter order and a final NUL; it returns
// the characters written without the final NUL, or the size needed (final NUL
// included) when the buffer is too small, in which case nothing is written.
unsigned GetLogicalDriveStringsA(unsigned bufferLength, char* buffer);
unsigned GetDriveTypeA(const char* rootPathName);

// Every root GetDriveTypeA was asked about, in order (tests look at it).
std::vector<std::string>& driveTypeQueries();

// Windows path <-> host path. An unmapped drive or a path without a drive
// gives the empty text. '/' counts as a separator, as on Windows.
std::string toHostPath(const std::string& windowsPath);
std::string toWindowsPath(const std::string& hostPath);

}  // namespace corvina::platform
