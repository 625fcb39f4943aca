#include "ipod_atom_kind.h"
#include "ipod_memory.h"

#include <cstring>

ipod_atom ipod_atom_new_of_kind(uint32_t tag, ipod_atom_init_func init, ipod_atom_free_func free_op,
                                ipod_atom_read_func read, ipod_atom_prepare_to_write_func prepare,
                                ipod_atom_write_func write, ipod_atom_copy_func copy, size_t data_size) {
  ipod_atom atom = ipod_atom_new();
  if (!atom) return nullptr;
  void *data = ipod_memory_alloc(data_size);
  if (!data) {
    ipod_atom_free(atom);
    return nullptr;
  }
  std::memset(data, 0, data_size);
  atom->tag = tag;
  atom->init = init;
  atom->free = free_op;
  atom->read = read;
  atom->prepare_to_write = prepare;
  atom->write = write;
  atom->copy = copy;
  atom->data = data;
  return atom;
}

void *ipod_atom_data_of(ipod_atom atom, uint32_t tag) {
  return (atom && atom->tag == tag) ? atom->data : nullptr;
}

unsigned char *ipod_io_read_block(ipod_io_t io, uint32_t n) {
  unsigned char *block = static_cast<unsigned char *>(ipod_memory_alloc(n ? n : 1));
  if (!block) return nullptr;
  if (n && ipod_io_read_all(io, block, n) != n) {
    ipod_memory_free(block);
    return nullptr;
  }
  return block;
}

void *ipod_memory_dup(const void *source, size_t n) {
  void *p = ipod_memory_alloc(n ? n : 1);
  if (p && n) std::memcpy(p, source, n);
  return p;
}
