// Makes small firmware files in the vendor's layout, for the demo and the
// tests: a banner, the header, a directory of entries and the images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::sample {

struct SampleImage {
    std::string type = "!ATA";
    uint32_t id = 0x6F736F73;
    uint32_t addr = 0x10000000;
    uint32_t entryOffset = 0;
    uint32_t vers = 0;
    std::vector<unsigned char> bytes;
};

// Bytes of a firmware file holding the images in directory slots 0, 1, ...
// Images are laid out from the image base of the format version, each at a
// 512-aligned offset; for version 3 the entries' devOffset is 512 below the
// bytes, as the boot code expects.
std::vector<unsigned char> makeFirmware(uint16_t formatVersion,
                                        const std::vector<SampleImage>& images);

// Deterministic filler bytes.
std::vector<unsigned char> patternBytes(size_t size, uint32_t seed);

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readFile(const std::string& path);

uint32_t byteSum(const unsigned char* data, size_t size);

}  // namespace tarnwick::sample
