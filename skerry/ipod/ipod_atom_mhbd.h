/* "mhbd", the database root: a few header words and the data sets. */
#ifndef IPOD_ATOM_MHBD_H
#define IPOD_ATOM_MHBD_H

#include <stdint.h>

#include "ipod_atom.h"
#include "ipod_atom_list.h"
#include "ipod_id_set.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_MHBD_HEADER_SIZE 104
#define IPOD_MHBD_DEFAULT_VERSION 14

/* What one prepare_to_write pass over the tree computes once and shares:
   the set of track ids and the sorted library indexes. */
typedef struct ipod_mhbd_prepare_cache {
  ipod_id_set track_ids;
  uint32_t index_fields[5];
  uint32_t *index_positions[5];
  uint32_t index_count;
} ipod_mhbd_prepare_cache;

typedef struct ipod_atom_mhbd_struct {
  uint32_t unk1; /* word at offset 12 */
  uint32_t version;
  uint32_t unk3;
  uint32_t unk4;
  uint32_t unk5;
  ipod_atom_list children;
  ipod_mhbd_prepare_cache *cache; /* only while prepare_to_write runs */
  /* Header bytes from offset 36 on, kept when a database written by another
     program has a header longer than ours (its database id and language
     live there); written back unchanged with that header size. */
  unsigned char *extra;
  uint32_t extra_length;
} ipod_atom_mhbd_struct;

ipod_atom ipod_atom_new_mhbd(void);

uint32_t ipod_atom_mhbd_get_version(ipod_atom root);
ipod_atom ipod_atom_mhbd_tracks(ipod_atom root);
ipod_atom ipod_atom_mhbd_playlists(ipod_atom root);
ipod_atom ipod_atom_mhbd_podcasts(ipod_atom root);

/* The list of "mhit" atoms of the track data set, or null. */
ipod_atom_list ipod_atom_mhbd_track_list(ipod_atom root);
/* The list of "mhyp" atoms of the playlist data set, or null. */
ipod_atom_list ipod_atom_mhbd_playlist_list(ipod_atom root);
/* The track ids while the root is being prepared for writing, else null. */
ipod_id_set ipod_atom_mhbd_track_ids(ipod_atom root);
/* The cached sorted positions for a sort field while preparing, else null. */
const uint32_t *ipod_atom_mhbd_cached_index(ipod_atom root, uint32_t sort_field);
/* Keeps a sorted index for the rest of the pass (the root takes the block). */
void ipod_atom_mhbd_cache_index(ipod_atom root, uint32_t sort_field, uint32_t *positions);

#ifdef __cplusplus
}
#endif

#endif
