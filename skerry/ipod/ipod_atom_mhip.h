/* "mhip" playlist items: each names a track by its id. */
#ifndef IPOD_ATOM_MHIP_H
#define IPOD_ATOM_MHIP_H

#include <stdint.h>

#include "ipod_atom.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_MHIP_HEADER_SIZE 76

typedef struct ipod_atom_mhip_struct {
  uint32_t words[6]; /* offsets 12 to 32: kept word, then attributes 4000-4004 */
  unsigned char *extra; /* header bytes beyond offset 76 of a read item, kept */
  uint32_t extra_length;
} ipod_atom_mhip_struct;

ipod_atom ipod_atom_new_mhip(void);
uint32_t ipod_atom_mhip_get_attribute(ipod_atom item, int attribute);
void ipod_atom_mhip_set_attribute(ipod_atom item, int attribute, uint32_t value);

#ifdef __cplusplus
}
#endif

#endif
