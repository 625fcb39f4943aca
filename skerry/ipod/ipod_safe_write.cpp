#include "ipod_error.h"
#include "ipod_internal.h"
#include "ipod_io_file.h"
#include "ipod_string.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ipod_write_stream_wrapper g_ipod_write_stream_wrapper = nullptr;
void *g_ipod_write_stream_wrapper_data = nullptr;

// Makes the rename itself durable.
static void sync_folder_of(const char *path) {
  ipod_string folder = ipod_string_new_from(path);
  if (!folder) return;
  char *slash = std::strrchr(folder, '/');
  if (slash) *slash = 0;
  int fd = open(slash ? (folder[0] ? folder : "/") : ".", O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
  ipod_string_free(folder);
}

int ipod_write_file_safely(const char *path, ipod_file_writer writer, void *context, const char *caller) {
  ipod_string temp = ipod_string_append(ipod_string_new_from(path), ".XXXXXX");
  if (!temp) return -1;
  int fd = mkstemp(temp);
  if (fd < 0) {
    ipod_error("%s(): Can't write %s (%s)\n", caller, path, std::strerror(errno));
    ipod_string_free(temp);
    return -1;
  }
  struct stat old;
  fchmod(fd, stat(path, &old) == 0 ? (old.st_mode & 07777) : 0644);
  FILE *file = fdopen(fd, "w+b");
  ipod_io_t io = file ? ipod_io_file_new(file) : nullptr;
  bool ok = io != nullptr;
  if (ok) {
    ipod_io_t target = g_ipod_write_stream_wrapper
                           ? g_ipod_write_stream_wrapper(io, g_ipod_write_stream_wrapper_data)
                           : io;
    writer(target, context);
    ok = !target->write_failed && ipod_io_file_flush(io) == 0;
    ipod_io_file_free(io);
    ok = fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
  }
  if (file)
    ok = fclose(file) == 0 && ok;
  else
    close(fd);
  if (ok && rename(temp, path) != 0) ok = false;
  if (!ok) {
    ipod_error("%s(): Can't write %s, left unchanged\n", caller, path);
    unlink(temp);
  } else {
    sync_folder_of(path);
  }
  ipod_string_free(temp);
  return ok ? 0 : -1;
}
