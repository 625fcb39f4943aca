// The iTunesSD shuffle database: an 18-byte header and one 558-byte entry
// per track, numbers as 3-byte big-endian values.
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhit.h"
#include "ipod_internal.h"

#include <cstring>

static uint32_t file_type_of(const char *location) {
  const char *extension = ipod_extension_of(location, ".mp3");
  if (!strcmp(extension, ".wav")) return 3;
  if (!strcmp(extension, ".m4a") || !strcmp(extension, ".aac")) return 2;
  return 1;
}

void ipod_write_shuffle_database(ipod_t ipod, ipod_io_t io) {
  ipod_atom_list tracks = ipod_atom_list_shuffle(ipod_atom_list_shallow_copy(ipod_atom_mhbd_track_list(ipod->database)));
  uint32_t count = ipod_atom_list_length(tracks);
  ipod_io_putul3(io, count);
  ipod_io_putul3(io, 0x010600);
  ipod_io_putul3(io, 18);
  ipod_io_putul3(io, 0);
  ipod_io_putul3(io, 0);
  ipod_io_putul3(io, 0);
  for (uint32_t i = 0; i < count; i++) {
    ipod_atom track = tracks->items[i];
    ipod_string location = ipod_atom_mhit_get_text_utf8(track, 2, nullptr);
    ipod_io_putul3(io, 558);
    ipod_io_putul3(io, 0x5AA501);
    ipod_io_putul3(io, ipod_atom_mhit_get_attribute(track, 2015));
    ipod_io_putul3(io, 0);
    ipod_io_putul3(io, 0);
    ipod_io_putul3(io, ipod_atom_mhit_get_attribute(track, 2016));
    ipod_io_putul3(io, 0);
    ipod_io_putul3(io, 0);
    ipod_io_putul3(io, 100);
    ipod_io_putul3(io, file_type_of(location ? location : ""));
    ipod_io_putul3(io, 0x200);
    unsigned char field[522] = {0};
    if (location) {
      ipod_string_replace_char(location, ':', '/');
      size_t n = 0;
      uint16_t *units = ipod_string_utf16_from_utf8(location, &n);
      if (n > 261) n = 261;
      for (size_t k = 0; units && k < n; k++) {
        field[2 * k] = (unsigned char)units[k];
        field[2 * k + 1] = (unsigned char)(units[k] >> 8);
      }
      ipod_memory_free(units);
      ipod_string_free(location);
    }
    ipod_io_write(io, field, sizeof field, nullptr);
    ipod_io_putub(io, 1);
    ipod_io_putub(io, 0);
    ipod_io_putub(io, 0);
  }
  if (tracks) ipod_atom_list_free(tracks);
}
