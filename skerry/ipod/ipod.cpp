// The open device: finding iPods, opening and writing their databases.
#include "ipod.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mqed.h"
#include "ipod_internal.h"
#include "ipod_image.h"
#include "ipod_io_memory.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <ctime>
#include <dirent.h>
#include <sys/statvfs.h>

uint32_t ipod_now(void) { return (uint32_t)time(nullptr); }

int ipod_discover(ipod_string **paths) {
  if (paths) *paths = nullptr;
  // On the device the system root is empty; tests point SKERRY_ROOT at a folder.
  const char *system_root = getenv("SKERRY_ROOT");
  ipod_string mnt = ipod_string_append(ipod_string_new_from(system_root), "/mnt");
  ipod_string *found = static_cast<ipod_string *>(ipod_memory_alloc(sizeof(ipod_string)));
  int count = 0;
  DIR *dir = mnt ? opendir(mnt) : nullptr;
  if (!dir) {
    ipod_error("ipod_discover(): Cannot open /mnt directory\n");
  } else {
    while (struct dirent *entry = readdir(dir)) {
      const char *name = entry->d_name;
      if (!strcmp(name, ".") || !strcmp(name, "..") || !strncmp(name, "floppy", 6) || !strncmp(name, "cdrom", 5))
        continue;
      ipod_string path = ipod_string_append(ipod_string_append(ipod_string_new_from(mnt), "/"), name);
      ipod_string database = ipod_string_append(ipod_string_new_from(path), "/iPod_Control/iTunes/iTunesDB");
      bool present = database && ipod_file_exists(database);
      if (database) ipod_string_free(database);
      ipod_string *grown = present && found ? static_cast<ipod_string *>(
                                                  ipod_memory_realloc(found, sizeof(ipod_string) * (count + 1)))
                                            : nullptr;
      if (grown) {
        found = grown;
        found[count++] = path;
      } else if (path) {
        ipod_string_free(path);
      }
    }
    closedir(dir);
  }
  if (mnt) ipod_string_free(mnt);
  if (paths)
    *paths = found;
  else
    ipod_memory_free(found);
  return count;
}

static ipod_string path_below(const char *root, const char *rest) {
  return ipod_string_append(ipod_string_new_from(root), rest);
}

static void free_ipod(ipod_t ipod) {
  for (ipod_string s : {ipod->root_path, ipod->database_path, ipod->shuffle_database_path, ipod->presets_path})
    if (s) ipod_string_free(s);
  if (ipod->database) ipod_atom_free(ipod->database);
  if (ipod->presets) ipod_atom_free(ipod->presets);
  ipod_memory_free(ipod);
}

// Reads a whole tree from a file image (tracks keep pointing into it).
// Returns 1 with the root, 0 when the file does not exist, -1 when it exists
// but cannot be read or makes no sense.
static int read_tree(const char *path, uint32_t expected_tag, ipod_atom *root) {
  *root = nullptr;
  ipod_image_t image = ipod_image_open(path);
  if (!image) return errno == ENOENT ? 0 : -1;
  ipod_io_t io = ipod_io_memory_new_from_memory(image->data, image->size);
  ipod_atom atom = nullptr;
  if (io) {
    io->image = image;
    if (ipod_io_get4cc(io) == expected_tag) {
      ipod_io_seek(io, 0);
      atom = ipod_atom_read_next(io, 0);
    }
    ipod_io_memory_free(io);
  }
  ipod_image_unref(image);
  *root = atom;
  return atom ? 1 : -1;
}

ipod_t ipod_new(const char *root_path) {
  if (!root_path) return nullptr;
  ipod_t ipod = static_cast<ipod_t>(ipod_memory_alloc(sizeof(struct ipod_struct)));
  if (!ipod) return nullptr;
  *ipod = ipod_struct{};
  ipod->root_path = ipod_string_new_from(root_path);
  ipod->database_path = path_below(root_path, "/iPod_Control/iTunes/iTunesDB");
  ipod->shuffle_database_path = path_below(root_path, "/iPod_Control/iTunes/iTunesSD");
  ipod->presets_path = path_below(root_path, "/iPod_Control/iTunes/iTunesEQPresets");
  if (!ipod->root_path || !ipod->database_path || !ipod->shuffle_database_path || !ipod->presets_path) {
    free_ipod(ipod);
    return nullptr;
  }

  int found = read_tree(ipod->database_path, IPOD_TAG_MHBD, &ipod->database);
  if (found < 0) {
    // Never start over on top of a database that exists: the next flush would
    // replace the user's library with an empty one.
    ipod_error("ipod_new(): Can't read ipod database at %s\n", ipod->database_path);
    free_ipod(ipod);
    return nullptr;
  }
  if (found == 0) {
    ipod_error("ipod_new(): Can't find ipod database at %s, creating\n", ipod->database_path);
    ipod->database = ipod_atom_new_for_tag(IPOD_TAG_MHBD, IPOD_MHBD_DEFAULT_VERSION);
    ipod->dirty = 1;
  }

  // The presets are never written back, so an unreadable file costs nothing:
  // the built-in presets stand in for it.
  found = read_tree(ipod->presets_path, IPOD_TAG_MQED, &ipod->presets);
  if (found <= 0) {
    ipod_error("ipod_new(): Can't find eq presets database at %s, creating\n", ipod->presets_path);
    ipod->presets = ipod_atom_new_for_tag(IPOD_TAG_MQED, 0);
  }
  if (!ipod->database || !ipod->presets) {
    free_ipod(ipod);
    return nullptr;
  }
  return ipod;
}

void ipod_free(ipod_t ipod) {
  if (ipod) free_ipod(ipod);
}

static void write_database(ipod_io_t io, void *context) {
  ipod_atom_write(static_cast<ipod_t>(context)->database, io, 0);
}

static void write_shuffle(ipod_io_t io, void *context) {
  ipod_write_shuffle_database(static_cast<ipod_t>(context), io);
}

int ipod_flush(ipod_t ipod) {
  if (!ipod || !ipod->root_path || !ipod->database || !ipod->database_path) return 0;
  ipod_atom_prepare_to_write(ipod->database, ipod->database, 0);
  if (!ipod->dirty) return 0;
  if (ipod_write_file_safely(ipod->database_path, write_database, ipod, "ipod_flush") != 0) return -1;
  if (ipod_file_exists(ipod->shuffle_database_path) &&
      ipod_write_file_safely(ipod->shuffle_database_path, write_shuffle, ipod, "ipod_flush") != 0)
    return -1;
  ipod->dirty = 0;
  return 0;
}

uint32_t ipod_version(ipod_t ipod) { return ipod ? ipod_atom_mhbd_get_version(ipod->database) : 0; }

void ipod_disk_usage(ipod_t ipod, uint64_t *total, uint64_t *free_bytes) {
  if (total) *total = 0;
  if (free_bytes) *free_bytes = 0;
  if (!ipod || !ipod->root_path) {
    ipod_error("ipod_disk_usage(): invalid ipod (0x%lx)\n", (unsigned long)(uintptr_t)ipod);
    return;
  }
  struct statvfs st;
  if (statvfs(ipod->root_path, &st) != 0) {
    ipod_error("ipod_disk_usage(): cannot stat ipod at %s\n", ipod->root_path);
    return;
  }
  // Counted in the file system's own block size.
  uint64_t block = st.f_frsize ? st.f_frsize : st.f_bsize;
  if (total) *total = (uint64_t)st.f_blocks * block;
  if (free_bytes) *free_bytes = (uint64_t)st.f_bavail * block;
}

void ipod_report(void) {
  ipod_memory_report();
  ipod_string_report();
  ipod_atom_report();
}
