// Equalizer presets through handles.
#include "ipod.h"
#include "ipod_atom_mqed.h"
#include "ipod_atom_pqed.h"
#include "ipod_internal.h"

static bool valid(ipod_eq_preset_t p) { return p && p->preset && p->ipod; }
static unsigned long hex(const void *p) { return (unsigned long)(uintptr_t)p; }

static ipod_eq_preset_t new_handle(ipod_t ipod, ipod_atom preset) {
  ipod_eq_preset_t p = static_cast<ipod_eq_preset_t>(ipod_memory_alloc(sizeof(struct ipod_eq_preset_struct)));
  if (!p) return nullptr;
  p->preset = preset;
  p->ipod = ipod;
  return p;
}

uint32_t ipod_eq_preset_count(ipod_t ipod) {
  if (!ipod || !ipod->presets) {
    ipod_error("ipod_eq_preset_count(): Invalid ipod_t (%lx)\n", hex(ipod));
    return 0;
  }
  return ipod_atom_mqed_preset_count(ipod->presets);
}

ipod_eq_preset_t ipod_eq_preset_get_by_index(ipod_t ipod, int index) {
  if (!ipod || !ipod->presets) return nullptr;
  return new_handle(ipod, ipod_atom_mqed_get_preset_by_index(ipod->presets, index));
}

void ipod_eq_preset_free(ipod_eq_preset_t preset) { ipod_memory_free(preset); }

ipod_eq_preset_t ipod_eq_preset_add(ipod_t ipod) {
  if (!ipod || !ipod->presets) return nullptr;
  ipod_atom preset = ipod_atom_mqed_new_preset(ipod->presets);
  return preset ? new_handle(ipod, preset) : nullptr;
}

void ipod_eq_preset_remove(ipod_eq_preset_t preset) {
  if (!valid(preset)) {
    ipod_error("ipod_eq_preset_remove(): Bad preset %lx", hex(preset));
    return;
  }
  ipod_atom_mqed_remove_preset(preset->ipod->presets, preset->preset);
}

ipod_string ipod_eq_preset_get_text(ipod_eq_preset_t preset, int tag, ipod_string s) {
  if (!valid(preset)) {
    ipod_error("ipod_eq_preset_get_text(): Bad preset %lx\n", hex(preset));
    return s;
  }
  return ipod_atom_pqed_get_text_utf8(preset->preset, tag, s);
}

void ipod_eq_preset_set_text(ipod_eq_preset_t preset, int tag, const char *text) {
  if (!valid(preset)) {
    ipod_error("ipod_eq_preset_set_text(): Bad preset %lx\n", hex(preset));
    return;
  }
  ipod_atom_pqed_set_text_utf8(preset->preset, tag, text);
  preset->ipod->dirty = 1;
}

int ipod_eq_preset_has_text(ipod_eq_preset_t preset, int tag) {
  return valid(preset) ? ipod_atom_pqed_has_text(preset->preset, tag) : 0;
}

int32_t ipod_eq_preset_get_attribute(ipod_eq_preset_t preset, int attribute) {
  if (!valid(preset)) {
    ipod_error("ipod_eq_preset_get_attribute(): Bad preset %lx\n", hex(preset));
    return 0;
  }
  return ipod_atom_pqed_get_attribute(preset->preset, attribute);
}

void ipod_eq_preset_set_attribute(ipod_eq_preset_t preset, int attribute, int32_t value) {
  if (!valid(preset)) {
    ipod_error("ipod_eq_preset_set_attribute(): Bad preset %lx\n", hex(preset));
    return;
  }
  ipod_atom_pqed_set_attribute(preset->preset, attribute, value);
  preset->ipod->dirty = 1;
}
