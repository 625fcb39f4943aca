// Prints an open database in the same line format as the libgpod helper's
// "dump", so that the two can be compared as text.
#pragma once

#include <string>

#include "ipod.h"

std::string dump_library(ipod_t ipod);
