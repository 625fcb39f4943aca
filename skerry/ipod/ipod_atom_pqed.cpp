#include "ipod_atom_pqed.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mqed.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <cstring>

const ipod_eq_default ipod_eq_defaults[] = {
    {"Acoustic", {0, 500, 490, 395, 105, 215, 175, 350, 410, 355, 215, 400, 100, 100, 300, 300}},
    {"Bass Booster", {0, 550, 425, 350, 250, 125, 0, 0, 0, 0, 0, 400, 100, 0, 0, 0}},
    {"Bass Reducer", {0, -550, -425, -350, -250, -125, 0, 0, 0, 0, 0, -400, -100, 0, 0, 0}},
    {"Classical", {0, 475, 375, 300, 250, -150, -150, 0, 225, 325, 375, 300, 0, -100, 100, 300}},
    {"Dance", {0, 357, 655, 499, 0, 192, 365, 515, 454, 359, 0, 500, 100, 300, 400, 200}},
    {"Deep", {0, 495, 355, 175, 100, 285, 250, 145, -215, -355, -460, 300, 100, 200, 0, -300}},
    {"Electronic", {0, 425, 380, 120, 0, -215, 225, 85, 125, 395, 480, 300, -100, 200, 100, 400}},
    {"Flat", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"Hip-Hop", {0, 500, 425, 150, 300, -100, -100, 150, -50, 200, 300, 300, 100, -100, 0, 200}},
    {"Jazz", {0, 400, 300, 150, 225, -150, -150, 0, 150, 300, 375, 200, 0, -100, 0, 300}},
    {"Latin", {0, 450, 300, 0, 0, -150, -150, -150, 0, 300, 450, 200, 0, -100, 0, 300}},
    {"Loudness", {0, 600, 400, 0, 0, -200, 0, -100, -500, 500, 100, 300, 0, 0, -200, 300}},
    {"Lounge", {0, -300, -150, -50, 150, 400, 250, 0, -150, 200, 100, -100, 200, 200, 0, 100}},
    {"Piano", {0, 300, 200, 0, 250, 300, 150, 350, 450, 300, 350, 100, 200, 100, 400, 300}},
    {"Pop", {0, -150, -100, 0, 200, 400, 400, 200, 0, -100, -150, 0, 300, 400, 100, -100}},
    {"R&B", {0, 262, 692, 565, 133, -219, -150, 232, 265, 300, 375, 500, 0, -100, 200, 300}},
    {"Rock", {0, 500, 400, 300, 150, -50, -100, 50, 250, 350, 450, 400, 0, -100, 100, 300}},
    {"Small Speakers", {0, 550, 425, 350, 250, 125, 0, -125, -250, -350, -425, 400, 100, 0, -100, -300}},
    {"Spoken Word", {0, -346, -47, 0, 69, 346, 461, 484, 428, 254, 0, -100, 200, 400, 400, 100}},
    {"Treble Booster", {0, 0, 0, 0, 0, 0, 125, 250, 350, 425, 550, 0, 0, 100, 300, 400}},
    {"Treble Reducer", {0, 0, 0, 0, 0, 0, -125, -250, -350, -425, -550, 0, 0, -100, -200, -400}},
    {"Vocal Booster", {0, -150, -300, -300, 150, 375, 375, 300, 150, 0, -150, -200, 200, 300, 200, 0}},
    {nullptr, {0}},
};

namespace {

const uint32_t name_field_units = 255;

ipod_atom_pqed_struct *preset_data(ipod_atom atom) {
  return static_cast<ipod_atom_pqed_struct *>(ipod_atom_data_of(atom, IPOD_TAG_PQED));
}

void pqed_init(uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_pqed_struct *>(data);
  if (!d->name) d->name = ipod_string_new();
  std::memset(d->values, 0, sizeof d->values);
}

void pqed_free(void *data) {
  auto *d = static_cast<ipod_atom_pqed_struct *>(data);
  if (d->name) ipod_string_free(d->name);
  ipod_memory_free(d);
}

// The record has a fixed size: the name field holds at most 255 units and
// the values always start at offset 516.
int pqed_read(ipod_io_t io, uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_pqed_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  if (start + IPOD_PQED_SIZE > ipod_io_length(io)) {
    ipod_error("ipod_atom_read_pqed(): Preset at offset %lu is cut short\n", (unsigned long)start);
    return -1;
  }
  uint32_t n = ipod_io_getuw(io);
  if (n > name_field_units) n = name_field_units;
  uint32_t p = ipod_io_tell(io);
  uint16_t units[name_field_units];
  for (uint32_t i = 0; i < n; i++) units[i] = ipod_io_getuw(io);
  char *name = ipod_string_utf8_from_utf16(units, n);
  if (name) {
    d->name = ipod_string_set(d->name, name);
    ipod_memory_free(name);
  }
  ipod_io_seek(io, p + 510);
  d->values[0] = ipod_io_getl(io);
  int32_t count = ipod_io_getl(io);
  if (count != 10) ipod_error("ipod_atom_read_pqed(): bad count for band0 (%d, 0x%x)\n", count, (unsigned)count);
  for (int i = 1; i <= 10; i++) d->values[i] = ipod_io_getl(io);
  count = ipod_io_getl(io);
  if (count != 5) ipod_error("ipod_atom_read_pqed(): bad count for band1 (%d, 0x%x)\n", count, (unsigned)count);
  for (int i = 11; i <= 15; i++) d->values[i] = ipod_io_getl(io);
  return 0;
}

void pqed_prepare_to_write(ipod_atom, uint32_t, void *) {}

// Writes the whole fixed-size record, so that a written preset file is
// complete (the library's flush does not write it).
void pqed_write(ipod_io_t io, uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_pqed_struct *>(data);
  uint32_t start = ipod_io_tell(io);
  ipod_io_put4cc(io, IPOD_TAG_PQED);
  size_t n = 0;
  uint16_t *units = ipod_string_utf16_from_utf8(d->name, &n);
  if (n > name_field_units) n = name_field_units;
  ipod_io_putuw(io, (uint16_t)n);
  for (size_t i = 0; i < n; i++) ipod_io_putuw(io, units[i]);
  ipod_memory_free(units);
  ipod_io_put_pad(io, start + 6, 510);
  ipod_io_putl(io, d->values[0]);
  ipod_io_putl(io, 10);
  for (int i = 1; i <= 10; i++) ipod_io_putl(io, d->values[i]);
  ipod_io_putl(io, 5);
  for (int i = 11; i <= 15; i++) ipod_io_putl(io, d->values[i]);
}

}  // namespace

ipod_atom ipod_atom_new_pqed(void) {
  ipod_atom atom = ipod_atom_new_of_kind(IPOD_TAG_PQED, pqed_init, pqed_free, pqed_read, pqed_prepare_to_write,
                                         pqed_write, nullptr, sizeof(ipod_atom_pqed_struct));
  if (!atom) return nullptr;
  auto *d = static_cast<ipod_atom_pqed_struct *>(atom->data);
  d->name = ipod_string_new();
  if (!d->name) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
}

ipod_string ipod_atom_pqed_get_text_utf8(ipod_atom preset, int type, ipod_string s) {
  ipod_atom_pqed_struct *d = preset_data(preset);
  if (!d) return s ? ipod_string_zero(s) : ipod_string_new();
  if (type != 1) {
    ipod_error("ipod_atom_pqed_get_text_utf8(): Non-string type %d\n", type);
    return s ? ipod_string_zero(s) : ipod_string_new();
  }
  if (s) ipod_string_free(s);
  return ipod_string_new_from(d->name);  // a copy: the caller frees it
}

void ipod_atom_pqed_set_text_utf8(ipod_atom preset, int type, const char *text) {
  ipod_atom_pqed_struct *d = preset_data(preset);
  if (!d) return;
  if (type != 1) {
    ipod_error("ipod_atom_pqed_set_text_utf8(): Non-string type %d\n", type);
    return;
  }
  d->name = ipod_string_set(d->name, text ? text : "");
}

int ipod_atom_pqed_has_text(ipod_atom, int type) { return type == 1 ? 1 : 0; }

int32_t ipod_atom_pqed_get_attribute(ipod_atom preset, int attribute) {
  ipod_atom_pqed_struct *d = preset_data(preset);
  if (!d) {
    ipod_error("ipod_atom_pqed_get_attribute(): Invalid preset atom\n");
    return 0;
  }
  if (attribute < 5000 || attribute > 5015) {
    ipod_error("ipod_atom_pqed_get_attribute(): Invalid tag %d\n", attribute);
    return 0;
  }
  return d->values[attribute - 5000];
}

void ipod_atom_pqed_set_attribute(ipod_atom preset, int attribute, int32_t value) {
  ipod_atom_pqed_struct *d = preset_data(preset);
  if (!d) {
    ipod_error("ipod_atom_pqed_set_attribute(): Invalid preset atom\n");
    return;
  }
  if (attribute < 5000 || attribute > 5015) {
    ipod_error("ipod_atom_pqed_set_attribute(): Invalid tag %d\n", attribute);
    return;
  }
  d->values[attribute - 5000] = value;
}
