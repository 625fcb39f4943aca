/* "pqed", one equalizer preset: a name, a preamp and two sets of band
   values, in hundredths of a decibel. */
#ifndef IPOD_ATOM_PQED_H
#define IPOD_ATOM_PQED_H

#include <stdint.h>

#include "ipod_atom.h"
#include "ipod_string.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ipod_atom_pqed_struct {
  ipod_string name;
  int32_t values[16]; /* attributes 5000 (preamp), 5001-5010, 5011-5015 */
} ipod_atom_pqed_struct;

typedef struct ipod_eq_default {
  const char *name;
  int32_t values[16];
} ipod_eq_default;

/* The 22 built-in presets, ending with an entry without a name. */
extern const ipod_eq_default ipod_eq_defaults[];

ipod_atom ipod_atom_new_pqed(void);
ipod_string ipod_atom_pqed_get_text_utf8(ipod_atom preset, int type, ipod_string s);
void ipod_atom_pqed_set_text_utf8(ipod_atom preset, int type, const char *text);
int ipod_atom_pqed_has_text(ipod_atom preset, int type);
int32_t ipod_atom_pqed_get_attribute(ipod_atom preset, int attribute);
void ipod_atom_pqed_set_attribute(ipod_atom preset, int attribute, int32_t value);

#ifdef __cplusplus
}
#endif

#endif
