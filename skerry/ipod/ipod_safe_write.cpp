#include "ipod_error.h"
#include "ipod_internal.h"
#include "ipod_io_file.h"
#include "ipod_string.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
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

static const char temp_marker[] = ".new-";

// A write killed half-way leaves its temporary file behind; the next write
// of the same file removes such leftovers (their names are ours alone).
static void remove_leftovers(const char *path) {
  ipod_string folder = ipod_string_new_from(path);
  if (!folder) return;
  char *slash = std::strrchr(folder, '/');
  const char *name = slash ? slash + 1 : path;
  if (slash) *slash = 0;
  size_t name_length = std::strlen(name), marker_length = std::strlen(temp_marker);
  DIR *dir = opendir(slash ? (folder[0] ? folder : "/") : ".");
  while (dir) {
    struct dirent *entry = readdir(dir);
    if (!entry) break;
    const char *e = entry->d_name;
    if (std::strlen(e) == name_length + marker_length + 6 && std::strncmp(e, name, name_length) == 0 &&
        std::strncmp(e + name_length, temp_marker, marker_length) == 0) {
      ipod_string leftover = ipod_string_append(ipod_string_append(ipod_string_new_from(folder), "/"), e);
      if (leftover) {
        unlink(leftover);
        ipod_string_free(leftover);
      }
    }
  }
  if (dir) closedir(dir);
  ipod_string_free(folder);
}

int ipod_write_file_safely(const char *path, ipod_file_writer writer, void *context, const char *caller) {
  remove_leftovers(path);
  ipod_string temp = ipod_string_append(ipod_string_append(ipod_string_new_from(path), temp_marker), "XXXXXX");
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
