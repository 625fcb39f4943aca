#include "import_support.h"


Device::Device(int music_folders) : DeviceFolder(music_folders) {
  // Without the "creating" reports of the new database, and leaving any
  // capture of the test in place.
  ipod_error_func saved = g_ipod_error_func;
  void *saved_data = g_ipod_error_user_data;
  ipod_error_set_func([](void *, const char *, va_list) {}, nullptr);
  ipod = ipod_new(dir.path.c_str());
  ipod_error_set_func(saved, saved_data);
}

Device::~Device() { ipod_free(ipod); }

Imported::Imported(ipod_t ipod, ipod_track_t (*importer)(ipod_t, ipod_io_t), const Bytes &bytes, uint32_t max_chunk) {
  TestStream stream(bytes);
  stream.max_chunk = max_chunk;
  track = importer(ipod, stream.io);
}

Imported::~Imported() { ipod_track_free(track); }

uint32_t Imported::attr(int attribute) const { return ipod_track_get_attribute(track, attribute); }

std::string Imported::text(int type) const {
  ipod_string s = ipod_track_get_text(track, type, nullptr);
  std::string out = s ? s : "";
  if (s) ipod_string_free(s);
  return out;
}

bool Imported::has(int type) const { return ipod_track_has_text(track, type) != 0; }
