#include "atom_bytes.h"

#include <cstring>

#include "ipod_io_memory.h"

Bytes write_atom(ipod_atom atom, uint32_t version) {
  ipod_io_t io = ipod_io_memory_new();
  ipod_atom_write(atom, io, version);
  auto *d = static_cast<unsigned char *>(ipod_io_memory_data(io));
  Bytes b(d, d + ipod_io_memory_size(io));
  ipod_io_memory_free(io);
  return b;
}

Bytes prepare_and_write(ipod_atom root, uint32_t version) {
  ipod_atom_prepare_to_write(root, root, version);
  return write_atom(root, version);
}

ipod_atom read_atom(const Bytes &bytes, uint32_t version) {
  ipod_io_t io = ipod_io_memory_new_from_memory(bytes.data(), (uint32_t)bytes.size());
  ipod_atom atom = ipod_atom_read_next(io, version);
  ipod_io_memory_free(io);
  return atom;
}

uint32_t le32(const Bytes &b, size_t at) {
  return (uint32_t)b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

std::vector<size_t> find_tags(const Bytes &b, const char *tag) {
  std::vector<size_t> at;
  for (size_t i = 0; i + 4 <= b.size(); i++)
    if (std::memcmp(b.data() + i, tag, 4) == 0) at.push_back(i);
  return at;
}
