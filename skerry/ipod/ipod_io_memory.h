/* Growable memory stream, or a read-only stream over caller memory. */
#ifndef IPOD_IO_MEMORY_H
#define IPOD_IO_MEMORY_H

#include "ipod_io.h"

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_IO_MEMORY_MAGIC 0x5675309u

typedef struct ipod_io_memory_state {
  uint32_t magic;
  int owns_data;
  unsigned char *data;
  uint32_t capacity;
  uint32_t length;
  uint32_t position;
} ipod_io_memory_state;

ipod_io_t ipod_io_memory_new(void);
ipod_io_t ipod_io_memory_new_from_memory(const void *data, uint32_t size);
void ipod_io_memory_free(ipod_io_t io);
uint32_t ipod_io_memory_size(ipod_io_t io);
void *ipod_io_memory_data(ipod_io_t io);

#ifdef __cplusplus
}
#endif

#endif
