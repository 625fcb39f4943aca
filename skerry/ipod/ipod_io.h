/* Byte streams: five callbacks and a user-data pointer, with byte-order-aware
   get and put primitives and the header helpers of the database atoms. */
#ifndef IPOD_IO_H
#define IPOD_IO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*ipod_io_read_func)(void *destination, uint32_t count, uint32_t *done, void *user_data);
typedef int (*ipod_io_write_func)(const void *source, uint32_t count, uint32_t *done, void *user_data);
typedef int (*ipod_io_tell_func)(uint32_t *position, void *user_data);
typedef int (*ipod_io_seek_func)(uint32_t position, void *user_data);
typedef int (*ipod_io_length_func)(uint32_t *length, void *user_data);

typedef struct ipod_io_struct {
  void *user_data;
  ipod_io_read_func read;
  ipod_io_write_func write;
  ipod_io_tell_func tell;
  ipod_io_seek_func seek;
  ipod_io_length_func length;
  /* Set once a write callback failed or wrote less than asked, so that a
     writer can tell a complete file from a damaged one at the end. */
  int write_failed;
  /* Set once a read ended early (the stream failed or ran out in the middle
     of what was asked), so that readers can tell a whole atom from one made
     of the zeros that stand in for missing bytes. */
  int read_failed;
  /* Set on a memory stream over a whole file image (positions are offsets
     in it): readers may then keep pointers into the image instead of
     copying. Null for every other stream. */
  struct ipod_image_struct *image;
} ipod_io_struct;

typedef ipod_io_struct *ipod_io_t;

/* A stream over caller-supplied callbacks (the file and memory streams use
   it too); free it with ipod_io_free, which leaves user_data alone. */
ipod_io_t ipod_io_new(void *user_data, ipod_io_read_func read, ipod_io_write_func write,
                      ipod_io_tell_func tell, ipod_io_seek_func seek, ipod_io_length_func length);
void ipod_io_free(ipod_io_t io);

uint32_t min(uint32_t a, uint32_t b);

int ipod_io_read(ipod_io_t io, void *destination, uint32_t count, uint32_t *done);
int ipod_io_write(ipod_io_t io, const void *source, uint32_t count, uint32_t *done);
/* Reads until count bytes arrived or the stream gives no more (a stream may
   deliver fewer bytes per call than asked); returns the bytes read. */
uint32_t ipod_io_read_all(ipod_io_t io, void *destination, uint32_t count);
uint32_t ipod_io_tell(ipod_io_t io);
int ipod_io_seek(ipod_io_t io, uint32_t position);
uint32_t ipod_io_length(ipod_io_t io);
int ipod_io_skip(ipod_io_t io, uint32_t n);

/* Get primitives; bytes missing at the end of the stream read as zero. */
int8_t ipod_io_getb(ipod_io_t io);
uint8_t ipod_io_getub(ipod_io_t io);
int16_t ipod_io_getw(ipod_io_t io);
uint16_t ipod_io_getuw(ipod_io_t io);
int16_t ipod_io_getw_be(ipod_io_t io);
uint16_t ipod_io_getuw_be(ipod_io_t io);
int32_t ipod_io_getl(ipod_io_t io);
uint32_t ipod_io_getul(ipod_io_t io);
int32_t ipod_io_getl_be(ipod_io_t io);
uint32_t ipod_io_getul_be(ipod_io_t io);
float ipod_io_getf(ipod_io_t io);
uint32_t ipod_io_get4cc(ipod_io_t io);
uint32_t ipod_io_getul3(ipod_io_t io);
uint32_t ipod_io_getul_ss(ipod_io_t io);

void ipod_io_putb(ipod_io_t io, int8_t value);
void ipod_io_putub(ipod_io_t io, uint8_t value);
void ipod_io_putw(ipod_io_t io, int16_t value);
void ipod_io_putuw(ipod_io_t io, uint16_t value);
void ipod_io_putw_be(ipod_io_t io, int16_t value);
void ipod_io_putuw_be(ipod_io_t io, uint16_t value);
void ipod_io_putl(ipod_io_t io, int32_t value);
void ipod_io_putul(ipod_io_t io, uint32_t value);
void ipod_io_putl_be(ipod_io_t io, int32_t value);
void ipod_io_putul_be(ipod_io_t io, uint32_t value);
void ipod_io_putf(ipod_io_t io, float value);
void ipod_io_put4cc(ipod_io_t io, uint32_t value);
void ipod_io_putul3(ipod_io_t io, uint32_t value);

uint32_t ipod_io_put_simple_header(ipod_io_t io, uint32_t tag, uint32_t header_size);
void ipod_io_backpatch(ipod_io_t io, uint32_t start);
void ipod_io_get_simple_header(ipod_io_t io, uint32_t *header_end, uint32_t *atom_end);
uint32_t ipod_io_put_list_header(ipod_io_t io, uint32_t tag, uint32_t header_size);
uint32_t ipod_io_get_list_header(ipod_io_t io);
void ipod_io_put_zeros(ipod_io_t io, uint32_t n);
void ipod_io_put_pad(ipod_io_t io, uint32_t start, uint32_t size);

#ifdef __cplusplus
}
#endif

#endif
