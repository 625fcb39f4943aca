// File primitives of the firmware tool. Every failure prints its one line on
// the standard error stream ("fseek failed: ...", "fread failed: ...", ...)
// and is reported to the caller, which gives up the operation.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

namespace tarnwick {

bool seekTo(FILE* file, long offset);
bool readExactly(FILE* file, void* buffer, size_t size);
bool writeExactly(FILE* file, const void* buffer, size_t size);

// Copies `length` bytes from `source` at `sourceOffset` to the current
// position of `destination` (or nowhere when it is null) and returns the
// 32-bit sum of the bytes, or nothing after a failed seek, read or write.
// The sum is returned apart from the failure so that a sum of 0xFFFFFFFF
// cannot be mistaken for one.
std::optional<uint32_t> copySum(FILE* source, FILE* destination, uint32_t length,
                                long sourceOffset);

// Length of the file (seeks to its end), or nothing on failure.
std::optional<uint32_t> fileLength(FILE* file);

}  // namespace tarnwick
