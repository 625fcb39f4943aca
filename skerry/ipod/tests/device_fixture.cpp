#include "device_fixture.h"

#include <cstdio>

DeviceFolder::DeviceFolder(int music_folders) {
  make_dirs(dir / "iPod_Control/iTunes");
  for (int i = 0; i < music_folders; i++) {
    char name[40];
    snprintf(name, sizeof name, "iPod_Control/Music/F%02d", i);
    make_dirs(dir / name);
  }
}
