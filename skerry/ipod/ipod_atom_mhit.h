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
  /* The header fields as they stand in the file, little-endian, indexed by
     file offset (0-15, tag and sizes, unused here); attributes address them
     by offset. Either a block of the track's own or, for a track read from a
     file image and not changed since, the image's bytes. */
  unsigned char *fields;
  /* Header bytes of a read track beyond the fields known here, written back
     unchanged after them (own block or image bytes, like fields). */
  unsigned char *extra;
  uint32_t extra_length;
  int owns_fields;
  int owns_extra;
  /* A track read from an image keeps its data objects as the image's bytes
     until they are first needed. */
  const unsigned char *lazy_children;
  uint32_t lazy_length;
  uint32_t lazy_count;
  struct ipod_image_struct *image; /* referenced while any pointer above is into it */
  ipod_atom_list children;
} ipod_atom_mhit_struct;

/* A track's text as UTF-16: units in memory, or little-endian bytes. */
typedef struct ipod_atom_mhit_text_view {
  const uint16_t *units;
  const unsigned char *le_bytes;
  uint32_t count;
} ipod_atom_mhit_text_view;

ipod_atom ipod_atom_new_mhit(void);

uint32_t ipod_atom_mhit_get_attribute(ipod_atom track, int attribute);
void ipod_atom_mhit_set_attribute(ipod_atom track, int attribute, uint32_t value);
ipod_string ipod_atom_mhit_get_text_utf8(ipod_atom track, int type, ipod_string s);
void ipod_atom_mhit_set_text_utf8(ipod_atom track, int type, const char *text);
int ipod_atom_mhit_has_text(ipod_atom track, int type);

/* The text of the track's first data object of that type, without
   unpacking the track: 1 when found, else 0. */
int ipod_atom_mhit_text_of_type(ipod_atom track, uint32_t type, ipod_atom_mhit_text_view *view);

/* Looks up several text types in one walk over the track's data objects;
   found[i] tells whether views[i] was filled. */
void ipod_atom_mhit_texts_of_types(ipod_atom track, const uint32_t *types, uint32_t count,
                                   ipod_atom_mhit_text_view *views, int *found);

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
