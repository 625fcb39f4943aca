// A device in a temporary folder and a way to run an importer on bytes.
#pragma once

#include <string>

#include "audio_fixtures.h"
#include "device_fixture.h"
#include "ipod.h"
#include "test_stream.h"
#include "test_support.h"

// A device folder with its database open.
struct Device : DeviceFolder {
  ipod_t ipod = nullptr;
  explicit Device(int music_folders = 20);
  ~Device();
};

// Runs an importer on bytes; owns the track handle.
struct Imported {
  ipod_track_t track = nullptr;
  Imported(ipod_t ipod, ipod_track_t (*importer)(ipod_t, ipod_io_t), const Bytes &bytes, uint32_t max_chunk = 0xFFFFFFFF);
  ~Imported();
  uint32_t attr(int attribute) const;
  std::string text(int type) const;
  bool has(int type) const;
};
