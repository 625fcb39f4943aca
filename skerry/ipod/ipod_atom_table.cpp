// The registry of atom kinds by tag. Each kind lives in its own file with its
// six operations; adding a kind means adding its line here.
#include "ipod_atom.h"

extern "C" const ipod_atom_table_entry ipod_atom_table[] = {
    {0, nullptr},
};
