/* Growable list of atoms, used for the children of an atom. */
#ifndef IPOD_ATOM_LIST_H
#define IPOD_ATOM_LIST_H

#include <stdint.h>

#include "ipod_atom.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ipod_atom_list_struct {
  ipod_atom *items;
  uint32_t count;
  uint32_t capacity; /* entries allocated in items (at least count) */
} ipod_atom_list_struct;

typedef ipod_atom_list_struct *ipod_atom_list;

extern unsigned long ipod_atom_list_allocs;
extern unsigned long ipod_atom_list_frees;

ipod_atom_list ipod_atom_list_new(void);
void ipod_atom_list_free(ipod_atom_list list);
uint32_t ipod_atom_list_length(ipod_atom_list list);
ipod_atom ipod_atom_list_get(ipod_atom_list list, int index);
void ipod_atom_list_put(ipod_atom_list list, int index, ipod_atom atom);
int ipod_atom_list_index(ipod_atom_list list, ipod_atom atom);
/* Returns 0, or -1 when nothing was appended. */
int ipod_atom_list_append(ipod_atom_list list, ipod_atom atom);
void ipod_atom_list_remove_index(ipod_atom_list list, int index);
void ipod_atom_list_remove(ipod_atom_list list, ipod_atom atom);
void ipod_atom_list_remove_and_free_all(ipod_atom_list list);
/* Returns 0, or -1 when an atom could not be read (the atoms read before it
   stay in the list). */
int ipod_atom_list_read(ipod_atom_list list, uint32_t count, ipod_io_t io, uint32_t version);
void ipod_atom_list_prepare_to_write(ipod_atom_list list, ipod_atom root, uint32_t version);
void ipod_atom_list_write(ipod_atom_list list, ipod_io_t io, uint32_t version);
ipod_atom_list ipod_atom_list_copy(ipod_atom_list list);
ipod_atom_list ipod_atom_list_shallow_copy(ipod_atom_list list);
ipod_atom_list ipod_atom_list_shuffle(ipod_atom_list list);
void ipod_atom_list_report(void);

#ifdef __cplusplus
}
#endif

#endif
