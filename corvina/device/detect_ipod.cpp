#include "detect_ipod.h"

#include <vector>

#include "platform/drives.h"
#include "platform/events.h"
#include "platform/file_system.h"
#include "shell/message_box.h"

namespace corvina {
namespace {

constexpr unsigned kDriveBufferLength = 104;

// The NUL-separated drive roots, followed by empty pieces for the rest of the
// buffer, as splitting the fixed buffer gives them.
std::vector<std::string> driveRoots() {
  std::vector<char> buffer(kDriveBufferLength, '\0');
  unsigned used = platform::GetLogicalDriveStringsA(kDriveBufferLength, buffer.data());
  // More drives than the fixed buffer holds: ask again with room for all, so
  // that a full set of letters does not hide the iPod.
  if (used > kDriveBufferLength) {
    buffer.assign(used + 1, '\0');
    platform::GetLogicalDriveStringsA(used + 1, buffer.data());
  }
  std::vector<std::string> pieces;
  std::string current;
  for (char c : buffer) {
    if (c == '\0') {
      pieces.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  return pieces;
}

}  // namespace

std::string detectiPod() {
  for (const std::string& root : driveRoots()) {
    bool floppy = root.size() >= 3 && (root[0] == 'a' || root[0] == 'A') && root[1] == ':' && root[2] == '\\';
    if (floppy) continue;
    if (platform::GetDriveTypeA(root.c_str()) == platform::DRIVE_REMOVABLE) {
      std::string candidate = root.substr(0, 2);
      if (platform::fileExists(candidate + "\\iPod_Control\\iTunes\\iTunesDB")) return candidate;
    }
    platform::DoEvents();
  }
  MsgBox("iPod not detected. Your iPod is either not plugged in or your iPod is incompatible.",
         platform::MsgButtons::OK, platform::MsgIcon::Exclamation);
  platform::EndProgram(1);
}

}  // namespace corvina
