/* "mhit" tracks: a header of numeric fields reached by attribute numbers,
   and "mhod" children holding the texts. */
#ifndef IPOD_ATOM_MHIT_H
#define IPOD_ATOM_MHIT_H

#include <stdint.h>

#include "ipod_atom.h"
#include "ipod_atom_list.h"
#include "ipod_atom_mhod.h"
#include "ipod_string.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_MHIT_HEADER_SIZE 244
#define IPOD_MHIT_HEADER_SIZE_OLD 156

typedef struct ipod_atom_mhit_struct {
  /* The header fields as they stand in the file, little-endian, offsets 0 to
     243 (0-15, tag and sizes, unused here); attributes address them by
     offset. */
  unsigned char fields[IPOD_MHIT_HEADER_SIZE];
  /* Header bytes of a read track beyond the fields known here, written back
     unchanged after them. */
  unsigned char *extra;
  uint32_t extra_length;
  ipod_atom_list children;
} ipod_atom_mhit_struct;

ipod_atom ipod_atom_new_mhit(void);

uint32_t ipod_atom_mhit_get_attribute(ipod_atom track, int attribute);
void ipod_atom_mhit_set_attribute(ipod_atom track, int attribute, uint32_t value);
ipod_string ipod_atom_mhit_get_text_utf8(ipod_atom track, int type, ipod_string s);
void ipod_atom_mhit_set_text_utf8(ipod_atom track, int type, const char *text);
int ipod_atom_mhit_has_text(ipod_atom track, int type);

/* The string part of the track's first data object of that type, or null. */
const ipod_atom_mhod_string_struct *ipod_atom_mhit_string_struct(ipod_atom track, uint32_t type);
const ipod_atom_mhod_string_struct *ipod_atom_mhit_title_struct(ipod_atom track);
const ipod_atom_mhod_string_struct *ipod_atom_mhit_album_struct(ipod_atom track);
const ipod_atom_mhod_string_struct *ipod_atom_mhit_artist_struct(ipod_atom track);
const ipod_atom_mhod_string_struct *ipod_atom_mhit_genre_struct(ipod_atom track);
const ipod_atom_mhod_string_struct *ipod_atom_mhit_composer_struct(ipod_atom track);

#ifdef __cplusplus
}
#endif

#endif
