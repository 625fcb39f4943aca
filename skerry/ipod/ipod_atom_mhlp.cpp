#include "ipod_atom_mhlp.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_list_kind.h"

ipod_atom ipod_atom_new_mhlp(void) { return ipod_atom_new_list_kind(IPOD_TAG_MHLP); }

ipod_atom_list ipod_atom_mhlp_playlists(ipod_atom playlist_list) {
  auto *d = static_cast<ipod_atom_mhlp_struct *>(ipod_atom_data_of(playlist_list, IPOD_TAG_MHLP));
  return d ? d->children : nullptr;
}
