#include "ipod_file_utils.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

int ipod_directory_exists(const char *path) {
  if (!path) return 0;
  DIR *d = opendir(path);
  if (!d) return 0;
  closedir(d);
  return 1;
}

int ipod_file_exists(const char *path) {
  if (!path) return 0;
  FILE *f = std::fopen(path, "rb");
  if (!f) return 0;
  std::fclose(f);
  return 1;
}

int ipod_delete_file(const char *path) { return path ? std::remove(path) : -1; }

int ipod_copy_file(const char *source, const char *destination, ipod_file_transfer_func progress,
                   void *user_data) {
  struct stat st;
  if (!source || stat(source, &st) != 0) {
    ipod_error("ipod_copy_file(): Can't stat() %s\n", source ? source : "(null)");
    return -1;
  }
  FILE *in = std::fopen(source, "rb");
  if (!in) {
    ipod_error("ipod_copy_file(): Can't open %s\n", source);
    return -1;
  }
  FILE *out = destination ? std::fopen(destination, "wb") : nullptr;
  if (!out) {
    ipod_error("ipod_copy_file(): Can't write %s\n", destination ? destination : "(null)");
    std::fclose(in);
    return -1;
  }
  // Progress is reported every 16 KiB, as callers expect, but the bytes move
  // in larger blocks: a system call per 16 KiB would dominate the copy.
  const size_t progress_step = 16384;
  const size_t chunk = 16 * progress_step;
  char *block = static_cast<char *>(ipod_memory_alloc(chunk));
  int result = 0;
  if (!block) {
    ipod_error("ipod_copy_file(): Cannot allocate copy buffer\n");
    result = -1;
  } else {
    uint64_t total = (uint64_t)st.st_size, done = 0;
    if (progress) progress(0, total, user_data);
    size_t n;
    while ((n = std::fread(block, 1, chunk, in)) > 0) {
      size_t w = std::fwrite(block, 1, n, out);
      if (progress) {
        for (size_t step = 0; step < w; step += progress_step)
          progress(done + std::min(step + progress_step, w), total, user_data);
      }
      done += w;
      if (w != n) {
        // A full disk must not pass for a finished copy.
        ipod_error("ipod_copy_file(): Can't write %s\n", destination);
        result = -1;
        break;
      }
    }
    if (result == 0 && std::ferror(in)) {
      ipod_error("ipod_copy_file(): Can't read %s\n", source);
      result = -1;
    }
    ipod_memory_free(block);
  }
  if (std::fclose(out) != 0 && result == 0) {
    ipod_error("ipod_copy_file(): Can't write %s\n", destination);
    result = -1;
  }
  std::fclose(in);
  return result;
}

const char *ipod_extension_of(const char *path, const char *default_extension) {
  const char *dot = path ? std::strrchr(path, '.') : nullptr;
  return dot ? dot : default_extension;
}

const char *ipod_file_name_of(const char *path) {
  const char *slash = path ? std::strrchr(path, '/') : nullptr;
  return slash ? slash : path;
}
