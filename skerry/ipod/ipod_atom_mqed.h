/* "mqed", the root of iTunesEQPresets, holding "pqed" presets. */
#ifndef IPOD_ATOM_MQED_H
#define IPOD_ATOM_MQED_H

#include <stdint.h>

#include "ipod_atom.h"
#include "ipod_atom_list.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_MQED_HEADER_SIZE 104
#define IPOD_PQED_SIZE 588

typedef struct ipod_atom_mqed_struct {
  uint32_t unk1; /* word at offset 8 */
  uint32_t unk2; /* word at offset 12 */
  ipod_atom_list presets;
} ipod_atom_mqed_struct;

ipod_atom ipod_atom_new_mqed(void);
uint32_t ipod_atom_mqed_preset_count(ipod_atom root);
ipod_atom ipod_atom_mqed_get_preset_by_index(ipod_atom root, int index);
ipod_atom ipod_atom_mqed_new_preset(ipod_atom root);
void ipod_atom_mqed_remove_preset(ipod_atom root, ipod_atom preset);

#ifdef __cplusplus
}
#endif

#endif
