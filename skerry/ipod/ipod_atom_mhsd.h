/* "mhsd" data sets: type 1 holds the track list, 2 the playlists, 3 the
   podcasts; any other type (album lists, artwork links and the like written
   by other programs) is kept as its raw bytes and written back unchanged. */
#ifndef IPOD_ATOM_MHSD_H
#define IPOD_ATOM_MHSD_H

#include <stdint.h>

#include "ipod_atom.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_MHSD_HEADER_SIZE 96
#define IPOD_MHSD_TRACKS 1
#define IPOD_MHSD_PLAYLISTS 2
#define IPOD_MHSD_PODCASTS 3

typedef struct ipod_atom_mhsd_struct {
  uint32_t type;
  ipod_atom child;
  unsigned char *raw; /* the whole atom, for the kept types */
  uint32_t raw_length;
  struct ipod_image_struct *image; /* set when raw points into a file image */
} ipod_atom_mhsd_struct;

ipod_atom ipod_atom_new_mhsd(void);
uint32_t ipod_atom_mhsd_type(ipod_atom data_set);
ipod_atom ipod_atom_mhsd_tracks(ipod_atom data_set);
ipod_atom ipod_atom_mhsd_playlists(ipod_atom data_set);
ipod_atom ipod_atom_mhsd_podcasts(ipod_atom data_set);

#ifdef __cplusplus
}
#endif

#endif
