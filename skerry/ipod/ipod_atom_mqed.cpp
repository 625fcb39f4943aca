#include "ipod_atom_mqed.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_pqed.h"
#include "ipod_error.h"
#include "ipod_memory.h"

namespace {

ipod_atom_mqed_struct *root_data(ipod_atom atom) {
  return static_cast<ipod_atom_mqed_struct *>(ipod_atom_data_of(atom, IPOD_TAG_MQED));
}

void mqed_init(uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mqed_struct *>(data);
  d->unk1 = 0;
  d->unk2 = 0;
  if (!d->presets) d->presets = ipod_atom_list_new();
  if (!d->presets) return;
  for (const ipod_eq_default *e = ipod_eq_defaults; e->name; e++) {
    ipod_atom preset = ipod_atom_new_for_tag(IPOD_TAG_PQED, version);
    if (!preset) break;
    ipod_atom_pqed_set_text_utf8(preset, 1, e->name);
    for (int i = 0; i < 16; i++) ipod_atom_pqed_set_attribute(preset, 5000 + i, e->values[i]);
    if (ipod_atom_list_append(d->presets, preset) != 0) {
      ipod_atom_free(preset);
      break;
    }
  }
}

void mqed_free(void *data) {
  auto *d = static_cast<ipod_atom_mqed_struct *>(data);
  if (d->presets) {
    ipod_atom_list_remove_and_free_all(d->presets);
    ipod_atom_list_free(d->presets);
  }
  ipod_memory_free(d);
}

int mqed_read(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mqed_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end = ipod_io_get_list_header(io);
  d->unk1 = ipod_io_getul(io);
  d->unk2 = ipod_io_getul(io);
  uint32_t count = ipod_io_getul(io);
  uint32_t size = ipod_io_getul(io);
  if (size != IPOD_PQED_SIZE) ipod_error("ipod_atom_read_mqed(): unexpected child size (%d)\n", (int)size);
  uint32_t length = ipod_io_length(io);
  if (header_end < start + 24 || header_end > length || count > (length - header_end) / IPOD_PQED_SIZE) {
    ipod_error("ipod_atom_read_mqed(): Bad header at offset %lu\n", (unsigned long)start);
    return -1;
  }
  ipod_io_seek(io, header_end);
  return ipod_atom_list_read(d->presets, count, io, version);
}

void mqed_prepare_to_write(ipod_atom, uint32_t, void *) {}

void mqed_write(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mqed_struct *>(data);
  uint32_t start = ipod_io_put_list_header(io, IPOD_TAG_MQED, IPOD_MQED_HEADER_SIZE);
  ipod_io_putul(io, d->unk1);
  ipod_io_putul(io, d->unk2);
  ipod_io_putul(io, ipod_atom_list_length(d->presets));
  ipod_io_putul(io, IPOD_PQED_SIZE);
  ipod_io_put_pad(io, start, IPOD_MQED_HEADER_SIZE);
  ipod_atom_list_write(d->presets, io, version);
}

}  // namespace

ipod_atom ipod_atom_new_mqed(void) {
  ipod_atom atom = ipod_atom_new_of_kind(IPOD_TAG_MQED, mqed_init, mqed_free, mqed_read, mqed_prepare_to_write,
                                         mqed_write, nullptr, sizeof(ipod_atom_mqed_struct));
  if (!atom) return nullptr;
  auto *d = static_cast<ipod_atom_mqed_struct *>(atom->data);
  d->presets = ipod_atom_list_new();
  if (!d->presets) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
}

uint32_t ipod_atom_mqed_preset_count(ipod_atom root) {
  ipod_atom_mqed_struct *d = root_data(root);
  if (!d) {
    ipod_error("ipod_atom_mqed_preset_count(): Invalid eq atom\n");
    return 0;
  }
  return d->presets->count;
}

ipod_atom ipod_atom_mqed_get_preset_by_index(ipod_atom root, int index) {
  ipod_atom_mqed_struct *d = root_data(root);
  if (!d) {
    ipod_error("ipod_atom_mqed_get_preset_by_index(): Invalid eq atom\n");
    return nullptr;
  }
  if (index < 0 || (uint32_t)index >= d->presets->count) {
    ipod_error("ipod_atom_mqed_get_preset_by_index(): Index %d out of range\n", index);
    return nullptr;
  }
  return d->presets->items[index];
}

ipod_atom ipod_atom_mqed_new_preset(ipod_atom root) {
  ipod_atom_mqed_struct *d = root_data(root);
  if (!d) {
    ipod_error("ipod_atom_mqed_new_preset(): Invalid eq atom\n");
    return nullptr;
  }
  ipod_atom preset = ipod_atom_new_for_tag(IPOD_TAG_PQED, 0);
  if (preset && ipod_atom_list_append(d->presets, preset) != 0) {
    ipod_atom_free(preset);
    return nullptr;
  }
  return preset;
}

void ipod_atom_mqed_remove_preset(ipod_atom root, ipod_atom preset) {
  ipod_atom_mqed_struct *d = root_data(root);
  if (!d) {
    ipod_error("ipod_atom_mqed_remove_preset(): Invalid eq atom\n");
    return;
  }
  ipod_atom_list_remove(d->presets, preset);
}
