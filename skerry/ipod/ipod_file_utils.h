/* Small file helpers: existence tests, deletion, copying with progress, and
   picking the extension or the name out of a path. */
#ifndef IPOD_FILE_UTILS_H
#define IPOD_FILE_UTILS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Called with the bytes copied so far and the total size of the source. */
typedef void (*ipod_file_transfer_func)(uint64_t done, uint64_t total, void *user_data);

int ipod_directory_exists(const char *path);
int ipod_file_exists(const char *path);
int ipod_delete_file(const char *path);
int ipod_copy_file(const char *source, const char *destination, ipod_file_transfer_func progress,
                   void *user_data);
const char *ipod_extension_of(const char *path, const char *default_extension);
const char *ipod_file_name_of(const char *path);

#ifdef __cplusplus
}
#endif

#endif
