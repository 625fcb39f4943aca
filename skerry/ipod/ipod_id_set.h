/* A set of 32-bit ids (open addressing), so that matching playlist items
   against tracks by id takes linear time. */
#ifndef IPOD_ID_SET_H
#define IPOD_ID_SET_H

#include <stdint.h>

#include "ipod_atom_list.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ipod_id_set_struct {
  uint32_t *slots; /* 0 marks a free slot; id 0 is kept in has_zero */
  uint32_t capacity; /* a power of two */
  uint32_t count;
  int has_zero;
} ipod_id_set_struct;

typedef ipod_id_set_struct *ipod_id_set;

ipod_id_set ipod_id_set_new(uint32_t expected);
void ipod_id_set_free(ipod_id_set set);
/* 0, or -1 when memory ran out (the set is then unchanged). */
int ipod_id_set_add(ipod_id_set set, uint32_t id);
int ipod_id_set_contains(ipod_id_set set, uint32_t id);

/* The ids (attribute 2000) of the tracks in a track list; null when memory
   runs out. */
ipod_id_set ipod_id_set_of_tracks(ipod_atom_list tracks);
/* The track ids (attribute 4002) of a playlist's items. */
ipod_id_set ipod_id_set_of_items(ipod_atom_list items);

#ifdef __cplusplus
}
#endif

#endif
