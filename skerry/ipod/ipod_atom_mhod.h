/* "mhod" data objects: the texts of tracks and playlists, the sorted
   library indexes of the master playlist, and raw objects kept as read. */
#ifndef IPOD_ATOM_MHOD_H
#define IPOD_ATOM_MHOD_H

#include <stdint.h>

#include "ipod_atom.h"
#include "ipod_string.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Type 52: the library index, sorted by one of these fields. */
#define IPOD_MHOD_LIBRARY_INDEX 52
#define IPOD_MHOD_POSITION 100

typedef struct ipod_atom_mhod_string_struct {
  uint32_t position; /* 1 for new texts */
  uint32_t unk0;     /* word at offset 32, kept */
  uint32_t unk1;     /* word at offset 36, kept */
  uint32_t length;   /* bytes of UTF-16 text */
  uint16_t *text;    /* length / 2 units (an odd last byte sits in the last unit) */
} ipod_atom_mhod_string_struct;

typedef struct ipod_atom_mhod_library_index_struct {
  uint32_t sort_field;
  uint32_t count;
  uint32_t *positions;
} ipod_atom_mhod_library_index_struct;

typedef struct ipod_atom_mhod_raw_struct {
  uint32_t length;
  unsigned char *bytes;
} ipod_atom_mhod_raw_struct;

typedef struct ipod_atom_mhod_struct {
  uint32_t type;
  uint32_t unk0; /* word at offset 16, kept */
  uint32_t unk1; /* word at offset 20, kept */
  union {
    ipod_atom_mhod_string_struct string;
    ipod_atom_mhod_library_index_struct library_index;
    ipod_atom_mhod_raw_struct raw;
  } body;
} ipod_atom_mhod_struct;

ipod_atom ipod_atom_new_mhod(void);

/* Which body a type has. */
int ipod_atom_mhod_type_is_string(uint32_t type);
int ipod_atom_mhod_type_is_raw(uint32_t type);
uint32_t ipod_atom_mhod_type(ipod_atom mhod);

ipod_atom ipod_atom_new_mhod_string(uint32_t type, const char *text);
ipod_string ipod_atom_mhod_string_get(ipod_atom mhod, ipod_string s);
void ipod_atom_mhod_string_set(ipod_atom mhod, const char *text);
ipod_atom ipod_atom_new_mhod_url(uint32_t type, const char *text);
ipod_string ipod_atom_mhod_url_get(ipod_atom mhod, ipod_string s);
void ipod_atom_mhod_url_set(ipod_atom mhod, const char *text);
ipod_atom ipod_atom_new_mhod_library_index(uint32_t sort_field);
int ipod_atom_mhod_library_index_compare(const ipod_atom_mhod_string_struct *a,
                                         const ipod_atom_mhod_string_struct *b);

/* Checks the data object that starts at bytes (tag included) against the
   rules of reading; gives its total size. 0 when sound, -1 otherwise. */
int ipod_atom_mhod_check_bytes(const unsigned char *bytes, uint32_t available, uint32_t *total);

/* Writes the 44-byte position object (type 100) that follows or sits inside
   a playlist item. */
void ipod_atom_mhod_write_position(ipod_io_t io, uint32_t position);

#ifdef __cplusplus
}
#endif

#endif
