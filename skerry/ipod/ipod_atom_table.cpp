// The registry of atom kinds by tag. Each kind lives in its own file with its
// six operations; adding a kind means adding its line here.
#include "ipod_atom.h"
#include "ipod_atom_kind.h"
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

extern "C" const ipod_atom_table_entry ipod_atom_table[] = {
    {IPOD_TAG_MHBD, ipod_atom_new_mhbd}, {IPOD_TAG_MHSD, ipod_atom_new_mhsd},
    {IPOD_TAG_MHLT, ipod_atom_new_mhlt}, {IPOD_TAG_MHIT, ipod_atom_new_mhit},
    {IPOD_TAG_MHOD, ipod_atom_new_mhod}, {IPOD_TAG_MHLP, ipod_atom_new_mhlp},
    {IPOD_TAG_MHYP, ipod_atom_new_mhyp}, {IPOD_TAG_MHIP, ipod_atom_new_mhip},
    {IPOD_TAG_MQED, ipod_atom_new_mqed}, {IPOD_TAG_PQED, ipod_atom_new_pqed},
    {0, nullptr},
};
