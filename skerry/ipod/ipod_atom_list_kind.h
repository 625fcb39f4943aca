/* The shared operations of the two list atoms ("mhlt" and "mhlp"): a list
   header with a child count, then the children. */
#ifndef IPOD_ATOM_LIST_KIND_H
#define IPOD_ATOM_LIST_KIND_H

#include "ipod_atom.h"

#ifdef __cplusplus
extern "C" {
#endif

ipod_atom ipod_atom_new_list_kind(uint32_t tag);

#ifdef __cplusplus
}
#endif

#endif
