/* Rebuilding a library index (data object type 52): the positions of all
   tracks sorted by one text field. */
#ifndef IPOD_LIBRARY_INDEX_H
#define IPOD_LIBRARY_INDEX_H

#include "ipod_atom.h"
#include "ipod_atom_mhod.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The text type a sort field sorts by (3 title, 4 album, 5 artist, 7 genre,
   18 composer), 0 for an unknown field. */
uint32_t ipod_library_index_text_type(uint32_t sort_field);
void ipod_library_index_rebuild(ipod_atom root, ipod_atom_mhod_library_index_struct *index);

#ifdef __cplusplus
}
#endif

#endif
