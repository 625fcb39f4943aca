// Small helpers shared by the MP3 and MPEG-4 importers (C++ only).
#ifndef IPOD_IMPORT_UTIL_H
#define IPOD_IMPORT_UTIL_H

#include <cstddef>
#include <cstdint>

#include "ipod.h"

// A block from the library allocator, freed when it goes out of scope.
struct ipod_import_block {
  unsigned char *data;
  explicit ipod_import_block(size_t size) : data(static_cast<unsigned char *>(ipod_memory_alloc(size))) {}
  ~ipod_import_block() { ipod_memory_free(data); }
  ipod_import_block(const ipod_import_block &) = delete;
  ipod_import_block &operator=(const ipod_import_block &) = delete;
};

// Sets the text when it is not empty (a tag field left blank adds nothing)
// and frees it.
void ipod_import_set_text(ipod_track_t track, int type, ipod_string text);

// ISO-8859-1 bytes up to the first zero byte (at most length) as UTF-8.
ipod_string ipod_import_latin1_text(const unsigned char *bytes, size_t length);

// UTF-16 units up to the first zero unit as UTF-8.
ipod_string ipod_import_utf16_text(const uint16_t *units, size_t count);

// Sets the genre from a tag's genre text: a number, alone or in
// parentheses as in "(17)" or "(17)Rock", names an entry of the genre
// list; any other text is the genre's name as it stands.
void ipod_import_set_genre_text(ipod_track_t track, const char *text);

// Reads "n" or "n/m" (as in a track "7/12"): *first = n, *second = m, each
// 0 when missing.
void ipod_import_number_pair(const char *text, uint32_t *first, uint32_t *second);

#endif
