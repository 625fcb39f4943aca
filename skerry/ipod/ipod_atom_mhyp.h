/* "mhyp" playlists: a header, data objects (title, library indexes, kept
   raw objects) and items. The master playlist is completed with every
   track before writing, and items whose track is gone are dropped. */
#ifndef IPOD_ATOM_MHYP_H
#define IPOD_ATOM_MHYP_H

#include <stdint.h>

#include "ipod_atom.h"
#include "ipod_atom_list.h"
#include "ipod_string.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_MHYP_HEADER_SIZE 108

typedef struct ipod_atom_mhyp_struct {
  uint32_t words[7]; /* offsets 20 to 44: 1000, 1001, 1002, 1003, kept, kept, 1004 */
  unsigned char *extra; /* header bytes beyond offset 108 of a read playlist, kept */
  uint32_t extra_length;
  ipod_atom_list data_objects;
  ipod_atom_list items;
} ipod_atom_mhyp_struct;

ipod_atom ipod_atom_new_mhyp(void);

uint32_t ipod_atom_mhyp_get_attribute(ipod_atom playlist, int attribute);
void ipod_atom_mhyp_set_attribute(ipod_atom playlist, int attribute, uint32_t value);
ipod_string ipod_atom_mhyp_get_text_utf8(ipod_atom playlist, int type, ipod_string s);
void ipod_atom_mhyp_set_text_utf8(ipod_atom playlist, int type, const char *text);
int ipod_atom_mhyp_has_text(ipod_atom playlist, int type);
uint32_t ipod_atom_mhyp_track_item_count(ipod_atom playlist);
ipod_atom ipod_atom_mhyp_get_track_item_by_index(ipod_atom playlist, int index);
ipod_atom ipod_atom_mhyp_new_track_item(ipod_atom playlist);
void ipod_atom_mhyp_remove_track_item(ipod_atom playlist, ipod_atom item);
/* Drops the items whose track is not in the root's track list. */
void ipod_atom_mhyp_check_playlist(ipod_atom root, uint32_t version, ipod_atom_mhyp_struct *playlist);

#ifdef __cplusplus
}
#endif

#endif
