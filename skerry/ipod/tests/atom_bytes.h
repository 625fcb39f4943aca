// Writing atoms to bytes and reading them back, and reading little-endian
// fields of the bytes, for the tests of the atom kinds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ipod_atom.h"

using Bytes = std::vector<unsigned char>;

Bytes write_atom(ipod_atom atom, uint32_t version);
// Runs prepare_to_write with the atom as root, then writes it.
Bytes prepare_and_write(ipod_atom root, uint32_t version);
ipod_atom read_atom(const Bytes &bytes, uint32_t version);
uint32_t le32(const Bytes &b, size_t at);
// Offsets of every occurrence of a tag in the bytes.
std::vector<size_t> find_tags(const Bytes &b, const char *tag);
