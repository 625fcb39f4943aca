#include "ipod_atom_mhlt.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_list_kind.h"

ipod_atom ipod_atom_new_mhlt(void) { return ipod_atom_new_list_kind(IPOD_TAG_MHLT); }

ipod_atom_list ipod_atom_mhlt_tracks(ipod_atom track_list) {
  auto *d = static_cast<ipod_atom_mhlt_struct *>(ipod_atom_data_of(track_list, IPOD_TAG_MHLT));
  return d ? d->children : nullptr;
}
