#include "ipod_image.h"
#include "ipod_memory.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

static unsigned char *read_whole(int fd, uint32_t size) {
  unsigned char *block = static_cast<unsigned char *>(ipod_memory_alloc(size ? size : 1));
  if (!block) return nullptr;
  uint32_t done = 0;
  while (done < size) {
    ssize_t n = read(fd, block + done, size - done);
    if (n <= 0) {
      ipod_memory_free(block);
      errno = n == 0 ? EIO : errno;
      return nullptr;
    }
    done += (uint32_t)n;
  }
  return block;
}

ipod_image_t ipod_image_open(const char *path) {
  int fd = open(path, O_RDONLY);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > 0x7FFFFFFF) {
    if (errno == 0 || S_ISREG(st.st_mode) == 0) errno = EINVAL;
    close(fd);
    return nullptr;
  }
  ipod_image_t image = static_cast<ipod_image_t>(ipod_memory_alloc(sizeof(ipod_image_struct)));
  if (!image) {
    close(fd);
    errno = ENOMEM;
    return nullptr;
  }
  uint32_t size = (uint32_t)st.st_size;
  void *mapped = size ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
  if (mapped != MAP_FAILED) {
    *image = ipod_image_struct{static_cast<const unsigned char *>(mapped), size, 1, 1};
  } else {
    unsigned char *block = read_whole(fd, size);
    if (!block) {
      int saved = errno;
      ipod_memory_free(image);
      close(fd);
      errno = saved;
      return nullptr;
    }
    *image = ipod_image_struct{block, size, 1, 0};
  }
  close(fd);
  return image;
}

void ipod_image_ref(ipod_image_t image) {
  if (image) image->references++;
}

void ipod_image_unref(ipod_image_t image) {
  if (!image || --image->references > 0) return;
  if (image->mapped)
    munmap(const_cast<unsigned char *>(image->data), image->size);
  else
    ipod_memory_free(const_cast<unsigned char *>(image->data));
  ipod_memory_free(image);
}
