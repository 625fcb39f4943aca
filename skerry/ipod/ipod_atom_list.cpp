#include "ipod_atom_list.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <cstring>

unsigned long ipod_atom_list_allocs = 0;
unsigned long ipod_atom_list_frees = 0;

ipod_atom_list ipod_atom_list_new(void) {
  ipod_atom_list list = static_cast<ipod_atom_list>(ipod_memory_alloc(sizeof(ipod_atom_list_struct)));
  ipod_atom *items = static_cast<ipod_atom *>(ipod_memory_alloc(0));
  if (!list || !items) {
    ipod_error("ipod_atom_list_new(): Cannot create atom list\n");
    ipod_memory_free(list);
    ipod_memory_free(items);
    return nullptr;
  }
  list->items = items;
  list->count = 0;
  list->capacity = 0;
  ipod_atom_list_allocs++;
  return list;
}

void ipod_atom_list_free(ipod_atom_list list) {
  ipod_atom_list_frees++;
  if (!list) {
    ipod_error("ipod_atom_list_free(): Freeing invalid list\n");
    return;
  }
  ipod_memory_free(list->items);
  ipod_memory_free(list);
}

uint32_t ipod_atom_list_length(ipod_atom_list list) { return list ? list->count : 0; }

ipod_atom ipod_atom_list_get(ipod_atom_list list, int index) {
  if (!list) {
    ipod_error("ipod_atom_list_get(): Getting item from invalid list\n");
    return nullptr;
  }
  if (index < 0 || (uint32_t)index >= list->count) {
    ipod_error("ipod_atom_list_get(): Index out of range (%d)\n", index);
    return nullptr;
  }
  return list->items[index];
}

void ipod_atom_list_put(ipod_atom_list list, int index, ipod_atom atom) {
  if (!list) {
    ipod_error("ipod_atom_list_put(): Getting item from invalid list\n");
    return;
  }
  if (index < 0 || (uint32_t)index >= list->count) {
    ipod_error("ipod_atom_list_put(): Index out of range (%d)\n", index);
    return;
  }
  list->items[index] = atom;
}

int ipod_atom_list_index(ipod_atom_list list, ipod_atom atom) {
  if (!list) {
    ipod_error("ipod_atom_list_index(): Searching in invalid list\n");
    return -1;
  }
  if (!atom) {
    ipod_error("ipod_atom_list_index(): Atom to search for is NULL\n");
    return -1;
  }
  for (uint32_t i = 0; i < list->count; i++)
    if (list->items[i] == atom) return (int)i;
  return -1;
}

// The array grows geometrically: reading a list of many thousands of tracks
// must not copy the array once per track.
static bool reserve(ipod_atom_list list, uint32_t needed) {
  if (needed <= list->capacity) return true;
  uint32_t capacity = list->capacity < 4 ? 4 : list->capacity + list->capacity / 2;
  if (capacity < needed) capacity = needed;
  ipod_atom *items =
      static_cast<ipod_atom *>(ipod_memory_realloc(list->items, (size_t)capacity * sizeof(ipod_atom)));
  if (!items) return false;
  list->items = items;
  list->capacity = capacity;
  return true;
}

int ipod_atom_list_append(ipod_atom_list list, ipod_atom atom) {
  if (!list) {
    ipod_error("ipod_atom_list_append(): Appending to invalid list\n");
    return -1;
  }
  if (!atom) {
    ipod_error("ipod_atom_list_append(): Appending NULL atom\n");
    return -1;
  }
  if (!reserve(list, list->count + 1)) {
    ipod_error("ipod_atom_list_append(): Cannot grow list\n");
    return -1;
  }
  list->items[list->count++] = atom;
  return 0;
}

static void shrink_if_empty(ipod_atom_list list) {
  if (list->count) return;
  ipod_atom *items = static_cast<ipod_atom *>(ipod_memory_alloc(0));
  if (!items) return;  // keep the old block; the count alone says the list is empty
  ipod_memory_free(list->items);
  list->items = items;
  list->capacity = 0;
}

void ipod_atom_list_remove_index(ipod_atom_list list, int index) {
  if (!list) {
    ipod_error("ipod_atom_list_remove_index(): Removing item from invalid list\n");
    return;
  }
  if (index < 0 || (uint32_t)index >= list->count) {
    ipod_error("ipod_atom_list_remove_index(): Index out of range\n");
    return;
  }
  std::memmove(list->items + index, list->items + index + 1,
               (list->count - (uint32_t)index - 1) * sizeof(ipod_atom));
  list->count--;
  shrink_if_empty(list);
}

void ipod_atom_list_remove(ipod_atom_list list, ipod_atom atom) {
  if (!list) {
    ipod_error("ipod_atom_list_remove(): Removing item from invalid list\n");
    return;
  }
  if (!atom) {
    ipod_error("ipod_atom_list_remove(): Atom to remove is NULL\n");
    return;
  }
  for (uint32_t i = 0; i < list->count; i++) {
    if (list->items[i] == atom) {
      ipod_atom_list_remove_index(list, (int)i);
      return;
    }
  }
  ipod_error("ipod_atom_list_remove(): Atom not found in list\n");
}

void ipod_atom_list_remove_and_free_all(ipod_atom_list list) {
  if (!list) {
    ipod_error("ipod_atom_list_remove_and_free_all(): Removing items from invalid list\n");
    return;
  }
  for (uint32_t i = 0; i < list->count; i++)
    if (list->items[i]) ipod_atom_free(list->items[i]);
  list->count = 0;
  shrink_if_empty(list);
}

int ipod_atom_list_read(ipod_atom_list list, uint32_t count, ipod_io_t io, uint32_t version) {
  if (!list) {
    ipod_error("ipod_atom_list_read(): Reading into invalid list\n");
    return -1;
  }
  ipod_atom_list_remove_and_free_all(list);
  // A count larger than the bytes left cannot be right; reading stops at the
  // first atom that fails instead of trying billions of times.
  for (uint32_t i = 0; i < count; i++) {
    ipod_atom atom = ipod_atom_read_next(io, version);
    if (!atom) return -1;
    if (ipod_atom_list_append(list, atom) != 0) {
      ipod_atom_free(atom);
      return -1;
    }
  }
  return 0;
}

void ipod_atom_list_prepare_to_write(ipod_atom_list list, ipod_atom root, uint32_t version) {
  if (!list) return;
  for (uint32_t i = 0; i < list->count; i++)
    if (list->items[i]) ipod_atom_prepare_to_write(list->items[i], root, version);
}

void ipod_atom_list_write(ipod_atom_list list, ipod_io_t io, uint32_t version) {
  if (!list) return;
  for (uint32_t i = 0; i < list->count; i++)
    if (list->items[i]) ipod_atom_write(list->items[i], io, version);
}

ipod_atom_list ipod_atom_list_copy(ipod_atom_list list) {
  if (!list) {
    ipod_error("ipod_atom_list_copy(): Copying invalid list\n");
    return nullptr;
  }
  ipod_atom_list copy = ipod_atom_list_new();
  if (!copy) return nullptr;
  reserve(copy, list->count);
  for (uint32_t i = 0; i < list->count; i++) {
    ipod_atom atom = ipod_atom_copy(list->items[i]);
    if (ipod_atom_list_append(copy, atom) != 0 && atom) ipod_atom_free(atom);
  }
  return copy;
}

ipod_atom_list ipod_atom_list_shallow_copy(ipod_atom_list list) {
  if (!list) {
    ipod_error("ipod_atom_list_shallow_copy(): Copying invalid list\n");
    return nullptr;
  }
  ipod_atom_list copy = ipod_atom_list_new();
  if (!copy) return nullptr;
  if (!reserve(copy, list->count)) {
    ipod_atom_list_free(copy);
    return nullptr;
  }
  if (list->count) std::memcpy(copy->items, list->items, list->count * sizeof(ipod_atom));
  copy->count = list->count;
  return copy;
}

ipod_atom_list ipod_atom_list_shuffle(ipod_atom_list list) { return list; }

void ipod_atom_list_report(void) {
  ipod_error("ipod_atom_list_report(): ipod_atom_list allocs %lu frees %lu delta %ld\n",
             ipod_atom_list_allocs, ipod_atom_list_frees,
             (long)(ipod_atom_list_allocs - ipod_atom_list_frees));
}
