#include "ipod_atom.h"
#include "ipod_error.h"
#include "ipod_memory.h"

unsigned long ipod_atom_allocs = 0;
unsigned long ipod_atom_frees = 0;

static void init_null(uint32_t, void *) { ipod_error("ipod_atom_init_null()\n"); }
static void free_null(void *) { ipod_error("ipod_atom_free_null()\n"); }
static int read_null(ipod_io_t, uint32_t, void *) {
  ipod_error("ipod_atom_read_null()\n");
  return -1;
}
static void prepare_to_write_null(ipod_atom, uint32_t, void *) {
  ipod_error("ipod_atom_prepare_to_write_null()\n");
}
static void write_null(ipod_io_t, uint32_t, void *) { ipod_error("ipod_atom_write_null()\n"); }
static void *copy_null(void *) { return nullptr; }

ipod_atom ipod_atom_new(void) {
  ipod_atom atom = static_cast<ipod_atom>(ipod_memory_alloc(sizeof(ipod_atom_struct)));
  if (!atom) {
    ipod_error("ipod_atom_new(): Cannot create new atom\n");
    return nullptr;
  }
  *atom = ipod_atom_struct{0, init_null, free_null, read_null, prepare_to_write_null, write_null, copy_null,
                           nullptr};
  ipod_atom_allocs++;
  return atom;
}

// An unknown tag is reported and yields null: databases written by other
// programs hold kinds this library does not know, and the caller treats the
// null as a failed read instead of the whole program ending.
static ipod_atom construct(uint32_t tag) {
  for (const ipod_atom_table_entry *e = ipod_atom_table; e->tag; e++)
    if (e->tag == tag) return e->constructor();
  ipod_error("ipod_atom_new_for_tag(): unknown tag 0x%x (%s)\n", tag, ipod_tag_str(tag));
  return nullptr;
}

ipod_atom ipod_atom_new_for_tag(uint32_t tag, uint32_t version) {
  ipod_atom atom = construct(tag);
  if (atom) ipod_atom_init(atom, version);
  return atom;
}

void ipod_atom_init(ipod_atom atom, uint32_t version) {
  if (atom && atom->init) atom->init(version, atom->data);
}

void ipod_atom_free(ipod_atom atom) {
  if (!atom) {
    ipod_error("ipod_atom_free(): Freeing invalid atom\n");
    return;
  }
  if (atom->data && atom->free) atom->free(atom->data);
  ipod_memory_free(atom);
  ipod_atom_frees++;
}

int ipod_atom_read(ipod_atom atom, ipod_io_t io, uint32_t version) {
  if (!atom || !atom->read) {
    ipod_error("ipod_atom_read(): Reading invalid atom\n");
    return -1;
  }
  return atom->read(io, version, atom->data);
}

void ipod_atom_prepare_to_write(ipod_atom atom, ipod_atom root, uint32_t version) {
  if (atom && atom->prepare_to_write) atom->prepare_to_write(root, version, atom->data);
}

void ipod_atom_write(ipod_atom atom, ipod_io_t io, uint32_t version) {
  if (atom && atom->write) atom->write(io, version, atom->data);
}

// Real files nest atoms a few levels deep; a damaged or hostile file that
// nests them without end must not exhaust the stack.
static const int max_nesting = 32;
static int nesting = 0;

ipod_atom ipod_atom_read_next(ipod_io_t io, uint32_t version) {
  if (nesting >= max_nesting) {
    ipod_error("ipod_atom_read_next(): Atoms nested too deeply\n");
    return nullptr;
  }
  uint32_t tag = ipod_io_get4cc(io);
  ipod_atom atom = construct(tag);
  if (!atom) {
    ipod_error("ipod_atom_read_next(): Reading invalid atom\n");
    return nullptr;
  }
  ipod_atom_init(atom, version);
  nesting++;
  int result = ipod_atom_read(atom, io, version);
  nesting--;
  if (result != 0 || io->read_failed) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
}

ipod_atom ipod_atom_copy(ipod_atom atom) {
  if (!atom || !atom->copy || !atom->data) return nullptr;
  ipod_atom copy = construct(atom->tag);
  if (!copy) return nullptr;
  // The kind's data block is replaced by the copied one.
  ipod_atom_init(copy, 0);
  if (copy->data && copy->free) copy->free(copy->data);
  copy->data = atom->copy(atom->data);
  if (!copy->data) {
    ipod_memory_free(copy);
    ipod_atom_frees++;
    return nullptr;
  }
  return copy;
}

const char *ipod_tag_str(uint32_t tag) {
  static char text[5];
  text[0] = (char)(tag >> 24);
  text[1] = (char)(tag >> 16);
  text[2] = (char)(tag >> 8);
  text[3] = (char)tag;
  text[4] = 0;
  return text;
}

uint32_t ipod_tag_from_str(const char *text) {
  const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
  return ((uint32_t)t[0] << 24) | ((uint32_t)t[1] << 16) | ((uint32_t)t[2] << 8) | t[3];
}

void ipod_atom_report(void) {
  ipod_error("ipod_atom_report(): ipod_atom allocs %lu frees %lu delta %ld\n", ipod_atom_allocs,
             ipod_atom_frees, (long)(ipod_atom_allocs - ipod_atom_frees));
}

int ipod_atom_check_extent(ipod_io_t io, uint32_t tag, uint32_t start, uint32_t header_end,
                           uint32_t atom_end, uint32_t minimum_header) {
  uint32_t length = ipod_io_length(io);
  if (header_end < start + minimum_header || atom_end < header_end || atom_end > length ||
      header_end < start) {
    ipod_error("ipod_atom_read_%s(): Bad atom sizes at offset %lu\n", ipod_tag_str(tag),
               (unsigned long)start);
    return -1;
  }
  return 0;
}
