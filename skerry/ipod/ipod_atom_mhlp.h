/* "mhlp", the playlist list. */
#ifndef IPOD_ATOM_MHLP_H
#define IPOD_ATOM_MHLP_H

#include "ipod_atom.h"
#include "ipod_atom_list.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ipod_atom_mhlp_struct {
  ipod_atom_list children;
} ipod_atom_mhlp_struct;

ipod_atom ipod_atom_new_mhlp(void);
ipod_atom_list ipod_atom_mhlp_playlists(ipod_atom playlist_list);

#ifdef __cplusplus
}
#endif

#endif
