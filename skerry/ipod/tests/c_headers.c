/* Every public header of the library compiles as C. */
#include "ipod_atom.h"
#include "ipod_atom_list.h"
#include "ipod_error.h"
#include "ipod_file_utils.h"
#include "ipod_io.h"
#include "ipod_io_file.h"
#include "ipod_io_memory.h"
#include "ipod_memory.h"
#include "ipod_string.h"

int ipod_c_headers_tag_check(void) { return ipod_tag_from_str("mhbd") == 0x6d686264u; }
