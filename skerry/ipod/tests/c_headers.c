/* Every header of the library compiles as C. */
#include "ipod.h"
#include "ipod_atom.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_list.h"
#include "ipod_atom_list_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhip.h"
#include "ipod_atom_mhit.h"
#include "ipod_atom_mhlp.h"
#include "ipod_atom_mhlt.h"
#include "ipod_atom_mhod.h"
#include "ipod_atom_mhsd.h"
#include "ipod_atom_mhyp.h"
#include "ipod_atom_mqed.h"
#include "ipod_atom_pqed.h"
#include "ipod_error.h"
#include "ipod_file_utils.h"
#include "ipod_id_set.h"
#include "ipod_image.h"
#include "ipod_internal.h"
#include "ipod_io.h"
#include "ipod_io_file.h"
#include "ipod_io_memory.h"
#include "ipod_library_index.h"
#include "ipod_memory.h"
#include "ipod_string.h"

/* A small use from C: a new database in memory with one track. */
int ipod_c_headers_tag_check(void) {
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  ipod_atom track = ipod_atom_new_for_tag(IPOD_TAG_MHIT, 0);
  int ok = root && track && ipod_tag_from_str("mhbd") == 0x6d686264u;
  if (track) {
    ipod_atom_mhit_set_attribute(track, 2000, 1000);
    ok = ok && ipod_atom_mhit_get_attribute(track, 2000) == 1000;
    ipod_atom_free(track);
  }
  if (root) ipod_atom_free(root);
  return ok;
}
