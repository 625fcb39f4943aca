/* Atoms: the tagged records of the database files. One generic object with
   six operations that each kind fills in, a registry of the kinds by tag,
   and the generic calls that dispatch to them. */
#ifndef IPOD_ATOM_H
#define IPOD_ATOM_H

#include <stdint.h>

#include "ipod_io.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ipod_atom_struct *ipod_atom;

typedef void (*ipod_atom_init_func)(uint32_t version, void *data);
typedef void (*ipod_atom_free_func)(void *data);
/* Returns 0 when the atom was read, -1 when its bytes make no sense. */
typedef int (*ipod_atom_read_func)(ipod_io_t io, uint32_t version, void *data);
typedef void (*ipod_atom_prepare_to_write_func)(ipod_atom root, uint32_t version, void *data);
typedef void (*ipod_atom_write_func)(ipod_io_t io, uint32_t version, void *data);
typedef void *(*ipod_atom_copy_func)(void *data);

typedef struct ipod_atom_struct {
  uint32_t tag;
  ipod_atom_init_func init;
  ipod_atom_free_func free;
  ipod_atom_read_func read;
  ipod_atom_prepare_to_write_func prepare_to_write;
  ipod_atom_write_func write;
  ipod_atom_copy_func copy;
  void *data;
} ipod_atom_struct;

typedef ipod_atom (*ipod_atom_constructor)(void);

typedef struct ipod_atom_table_entry {
  uint32_t tag;
  ipod_atom_constructor constructor;
} ipod_atom_table_entry;

/* The kinds by tag, ending with a zero tag. */
extern const ipod_atom_table_entry ipod_atom_table[];

extern unsigned long ipod_atom_allocs;
extern unsigned long ipod_atom_frees;

ipod_atom ipod_atom_new(void);
ipod_atom ipod_atom_new_for_tag(uint32_t tag, uint32_t version);
void ipod_atom_init(ipod_atom atom, uint32_t version);
void ipod_atom_free(ipod_atom atom);
int ipod_atom_read(ipod_atom atom, ipod_io_t io, uint32_t version);
void ipod_atom_prepare_to_write(ipod_atom atom, ipod_atom root, uint32_t version);
void ipod_atom_write(ipod_atom atom, ipod_io_t io, uint32_t version);
ipod_atom ipod_atom_read_next(ipod_io_t io, uint32_t version);
ipod_atom ipod_atom_copy(ipod_atom atom);
const char *ipod_tag_str(uint32_t tag);
uint32_t ipod_tag_from_str(const char *text);
void ipod_atom_report(void);

/* Checks the sizes found in an atom's header against its start, the minimum
   header size of its kind and the end of the stream; reports and returns -1
   when they cannot be right. */
int ipod_atom_check_extent(ipod_io_t io, uint32_t tag, uint32_t start, uint32_t header_end,
                           uint32_t atom_end, uint32_t minimum_header);

#ifdef __cplusplus
}
#endif

#endif
