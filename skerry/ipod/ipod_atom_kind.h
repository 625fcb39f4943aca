/* Shared pieces for the files of the atom kinds: tags, the constructor
   helper, bounded reads of raw blocks and little-endian fields in byte
   arrays. */
#ifndef IPOD_ATOM_KIND_H
#define IPOD_ATOM_KIND_H

#include <stddef.h>
#include <stdint.h>

#include "ipod_atom.h"
#include "ipod_atom_list.h"
#include "ipod_io.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_TAG(a, b, c, d) \
  (((uint32_t)(a) << 24) | ((uint32_t)(b) << 16) | ((uint32_t)(c) << 8) | (uint32_t)(d))
#define IPOD_TAG_MHBD IPOD_TAG('m', 'h', 'b', 'd')
#define IPOD_TAG_MHSD IPOD_TAG('m', 'h', 's', 'd')
#define IPOD_TAG_MHLT IPOD_TAG('m', 'h', 'l', 't')
#define IPOD_TAG_MHLP IPOD_TAG('m', 'h', 'l', 'p')
#define IPOD_TAG_MHIT IPOD_TAG('m', 'h', 'i', 't')
#define IPOD_TAG_MHOD IPOD_TAG('m', 'h', 'o', 'd')
#define IPOD_TAG_MHYP IPOD_TAG('m', 'h', 'y', 'p')
#define IPOD_TAG_MHIP IPOD_TAG('m', 'h', 'i', 'p')
#define IPOD_TAG_MQED IPOD_TAG('m', 'q', 'e', 'd')
#define IPOD_TAG_PQED IPOD_TAG('p', 'q', 'e', 'd')

/* Seconds between 1904-01-01 (database times) and 1970-01-01. */
#define IPOD_MAC_TIME_OFFSET 2082844800u

/* A generic atom with the kind's tag and operations and a data block of
   data_size bytes (cleared; init fills it). Null on allocation failure. */
ipod_atom ipod_atom_new_of_kind(uint32_t tag, ipod_atom_init_func init, ipod_atom_free_func free_op,
                                ipod_atom_read_func read, ipod_atom_prepare_to_write_func prepare,
                                ipod_atom_write_func write, ipod_atom_copy_func copy, size_t data_size);

/* The atom's data if it is of that kind, else null. */
void *ipod_atom_data_of(ipod_atom atom, uint32_t tag);

/* Reads n bytes into a new block (n may be 0); null when the stream ends
   early or memory runs out. */
unsigned char *ipod_io_read_block(ipod_io_t io, uint32_t n);
/* A copy of n bytes in a new block (a zero-length block for n = 0). */
void *ipod_memory_dup(const void *source, size_t n);

static inline uint32_t ipod_le32(const unsigned char *p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}
static inline uint16_t ipod_le16(const unsigned char *p) { return (uint16_t)(p[0] | (p[1] << 8)); }
static inline void ipod_put_le32(unsigned char *p, uint32_t v) {
  p[0] = (unsigned char)v;
  p[1] = (unsigned char)(v >> 8);
  p[2] = (unsigned char)(v >> 16);
  p[3] = (unsigned char)(v >> 24);
}
static inline void ipod_put_le16(unsigned char *p, uint16_t v) {
  p[0] = (unsigned char)v;
  p[1] = (unsigned char)(v >> 8);
}

#ifdef __cplusplus
}
#endif

#endif
