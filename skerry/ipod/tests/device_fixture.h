// A fake iPod tree in a temporary folder.
#pragma once

#include <string>

#include "test_support.h"

struct DeviceFolder {
  TempDir dir;
  explicit DeviceFolder(int music_folders = 20);
  std::string root() const { return dir.path; }
  std::string database() const { return dir / "iPod_Control/iTunes/iTunesDB"; }
  std::string shuffle() const { return dir / "iPod_Control/iTunes/iTunesSD"; }
};
