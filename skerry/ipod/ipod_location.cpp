// Where music files live on the device: unique new locations and the
// checked turn of a stored location into a file path.
#include "ipod.h"
#include "ipod_atom_mhit.h"
#include "ipod_internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int ipod_location_is_safe(const char *location) {
  if (!location || location[0] != ':' || !location[1]) return 0;
  // Both ":" and "/" separate parts once the location is a path.
  const char *part = location + 1;
  while (true) {
    size_t n = std::strcspn(part, ":/");
    if (n == 2 && part[0] == '.' && part[1] == '.') return 0;
    if (!part[n]) break;
    part += n + 1;
  }
  return 1;
}

ipod_string ipod_track_file_path(ipod_track_t track, const char *caller) {
  ipod_string location = ipod_atom_mhit_get_text_utf8(track->track, 2, nullptr);
  if (!location) return nullptr;
  if (!ipod_location_is_safe(location)) {
    ipod_error("%s(): Track %lu has no usable location \"%s\"\n", caller,
               (unsigned long)ipod_atom_mhit_get_attribute(track->track, 2000), location);
    ipod_string_free(location);
    return nullptr;
  }
  ipod_string_replace_char(location, ':', '/');
  ipod_string path = ipod_string_append(ipod_string_new_from(track->ipod->root_path), location);
  ipod_string_free(location);
  return path;
}

static void folder_name(char *out, size_t room, int k) { snprintf(out, room, "F%02d", k); }

ipod_string ipod_unique_track_location(ipod_atom_list, ipod_t ipod, const char *extension) {
  if (!ipod || !ipod->root_path) return nullptr;
  if (!extension) extension = ".mp3";
  ipod_string music = ipod_string_append(ipod_string_new_from(ipod->root_path), "/iPod_Control/Music/");
  if (!music) return nullptr;
  char name[16];
  int n = 0;
  while (n < 100) {
    folder_name(name, sizeof name, n);
    ipod_string folder = ipod_string_append(ipod_string_new_from(music), name);
    bool exists = folder && ipod_directory_exists(folder);
    if (folder) ipod_string_free(folder);
    if (!exists) break;
    n++;
  }
  if (n == 0) {
    ipod_error("ipod_unique_track_location(): No music folder under %s\n", music);
    ipod_string_free(music);
    return nullptr;
  }
  ipod_string result = nullptr;
  while (!result) {
    int k = (int)(random() % n);
    char letters[5];
    for (int i = 0; i < 4; i++) letters[i] = (char)('A' + random() % 26);
    letters[4] = 0;
    folder_name(name, sizeof name, k);
    ipod_string candidate = ipod_string_append(ipod_string_append(ipod_string_append(ipod_string_append(ipod_string_new_from(music), name), "/"), letters), extension);
    if (!candidate) break;
    bool taken = ipod_file_exists(candidate);
    ipod_string_free(candidate);
    if (taken) continue;
    result = ipod_string_new_from(":iPod_Control:Music:");
    result = ipod_string_append(ipod_string_append(ipod_string_append(ipod_string_append(result, name), ":"), letters), extension);
  }
  ipod_string_free(music);
  return result;
}

ipod_string ipod_unique_track_location_wrapper(ipod_t ipod, const char *extension) {
  return ipod_unique_track_location(nullptr, ipod, extension);
}
