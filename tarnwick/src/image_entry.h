// The 40-byte image entry of the firmware layout: used in the firmware
// directory, in the loader's image table and at the start of an extracted
// image file. All fields are little-endian 32-bit words.
#pragma once

#include <cstdint>
#include <cstdio>

namespace tarnwick {

struct ImageEntry {
    uint32_t type = 0;         // four characters, file order ("!ATA" = 0x41544121)
    uint32_t id = 0;
    uint32_t pad = 0;
    uint32_t devOffset = 0;    // offset of the image in the firmware file
    uint32_t len = 0;          // image length in bytes
    uint32_t addr = 0;         // load address in the device's memory
    uint32_t entryOffset = 0;  // entry point, from the start of the image
    uint32_t chksum = 0;       // byte sum of the image
    uint32_t vers = 0;
    uint32_t loadAddr = 0;
};

constexpr uint32_t kEntrySize = 40;
constexpr uint32_t kEntryTypeATA = 0x41544121;   // "!ATA"
constexpr uint32_t kEntryIdSoso = 0x6F736F73;    // "soso"

void encodeEntry(const ImageEntry& entry, unsigned char out[kEntrySize]);
ImageEntry decodeEntry(const unsigned char in[kEntrySize]);

// Reads the entry at base + 40 * slot. Prints the failure and returns false.
bool readEntry(ImageEntry& entry, FILE* file, long base, int slot);
// Writes the entry at base + 40 * slot. Prints the failure and returns false.
bool writeEntry(const ImageEntry& entry, FILE* file, long base, int slot);

// The two-line verbose description of an entry, on standard output.
void printEntry(const ImageEntry& entry, const char* prefix);

}  // namespace tarnwick
