/* "mhlt", the track list. */
#ifndef IPOD_ATOM_MHLT_H
#define IPOD_ATOM_MHLT_H

#include "ipod_atom.h"
#include "ipod_atom_list.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_LIST_HEADER_SIZE 92

typedef struct ipod_atom_mhlt_struct {
  ipod_atom_list children;
} ipod_atom_mhlt_struct;

ipod_atom ipod_atom_new_mhlt(void);
ipod_atom_list ipod_atom_mhlt_tracks(ipod_atom track_list);

#ifdef __cplusplus
}
#endif

#endif
