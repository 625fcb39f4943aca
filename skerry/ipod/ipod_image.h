/* A read-only image of a whole database file, shared by the atoms read from
   it: tracks keep pointing into it instead of copying their bytes, so that
   opening a large database touches little memory. The file is mapped where
   the system can, else read into a block from the library allocator. */
#ifndef IPOD_IMAGE_H
#define IPOD_IMAGE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ipod_image_struct {
  const unsigned char *data;
  uint32_t size;
  uint32_t references;
  int mapped;
} ipod_image_struct;

typedef ipod_image_struct *ipod_image_t;

/* The image of a file with one reference; null when the file cannot be
   opened or read (errno tells why). */
ipod_image_t ipod_image_open(const char *path);
void ipod_image_ref(ipod_image_t image);
void ipod_image_unref(ipod_image_t image);

#ifdef __cplusplus
}
#endif

#endif
