#include "ipod_id_set.h"
#include "ipod_atom_mhip.h"
#include "ipod_atom_mhit.h"
#include "ipod_memory.h"

#include <cstring>

static uint32_t slot_of(uint32_t id, uint32_t capacity) {
  return (id * 2654435761u) & (capacity - 1);
}

static bool allocate(ipod_id_set set, uint32_t capacity) {
  uint32_t *slots = static_cast<uint32_t *>(ipod_memory_alloc((size_t)capacity * 4));
  if (!slots) return false;
  std::memset(slots, 0, (size_t)capacity * 4);
  uint32_t *old = set->slots;
  uint32_t old_capacity = set->capacity;
  set->slots = slots;
  set->capacity = capacity;
  set->count = 0;
  for (uint32_t i = 0; i < old_capacity; i++)
    if (old[i]) ipod_id_set_add(set, old[i]);
  ipod_memory_free(old);
  return true;
}

ipod_id_set ipod_id_set_new(uint32_t expected) {
  ipod_id_set set = static_cast<ipod_id_set>(ipod_memory_alloc(sizeof(ipod_id_set_struct)));
  if (!set) return nullptr;
  *set = ipod_id_set_struct{nullptr, 0, 0, 0};
  uint32_t capacity = 16;
  while (capacity < expected * 2 && capacity < 0x80000000u) capacity *= 2;
  if (!allocate(set, capacity)) {
    ipod_memory_free(set);
    return nullptr;
  }
  return set;
}

void ipod_id_set_free(ipod_id_set set) {
  if (!set) return;
  ipod_memory_free(set->slots);
  ipod_memory_free(set);
}

int ipod_id_set_add(ipod_id_set set, uint32_t id) {
  if (id == 0) {
    set->has_zero = 1;
    return 0;
  }
  if ((set->count + 1) * 2 > set->capacity && !allocate(set, set->capacity * 2)) return -1;
  uint32_t i = slot_of(id, set->capacity);
  while (set->slots[i]) {
    if (set->slots[i] == id) return 0;
    i = (i + 1) & (set->capacity - 1);
  }
  set->slots[i] = id;
  set->count++;
  return 0;
}

int ipod_id_set_contains(ipod_id_set set, uint32_t id) {
  if (id == 0) return set->has_zero;
  uint32_t i = slot_of(id, set->capacity);
  while (set->slots[i]) {
    if (set->slots[i] == id) return 1;
    i = (i + 1) & (set->capacity - 1);
  }
  return 0;
}

ipod_id_set ipod_id_set_of_tracks(ipod_atom_list tracks) {
  uint32_t n = ipod_atom_list_length(tracks);
  ipod_id_set set = ipod_id_set_new(n);
  if (!set) return nullptr;
  for (uint32_t i = 0; i < n; i++) {
    if (ipod_id_set_add(set, ipod_atom_mhit_get_attribute(tracks->items[i], 2000)) != 0) {
      ipod_id_set_free(set);
      return nullptr;
    }
  }
  return set;
}

ipod_id_set ipod_id_set_of_items(ipod_atom_list items) {
  uint32_t n = ipod_atom_list_length(items);
  ipod_id_set set = ipod_id_set_new(n);
  if (!set) return nullptr;
  for (uint32_t i = 0; i < n; i++) {
    if (ipod_id_set_add(set, ipod_atom_mhip_get_attribute(items->items[i], 4002)) != 0) {
      ipod_id_set_free(set);
      return nullptr;
    }
  }
  return set;
}
