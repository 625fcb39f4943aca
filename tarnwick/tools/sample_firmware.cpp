#include "sample_firmware.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "../src/firmware_ops.h"

namespace tarnwick::sample {

namespace {

void putWord(std::vector<unsigned char>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

uint32_t byteSum(const unsigned char* data, size_t size) {
    uint32_t sum = 0;
    for (size_t i = 0; i < size; ++i) sum += data[i];
    return sum;
}

std::vector<unsigned char> makeFirmware(uint16_t formatVersion,
                                        const std::vector<SampleImage>& images) {
    const size_t base = formatVersion == 3 ? 0x4600 : 0x4400;
    const size_t shift = formatVersion == 3 ? 512 : 0;
    std::vector<unsigned char> out(base);
    makeBanner(out.data());
    putWord(out, 0x100, 0x5B68695D);
    putWord(out, 0x104, 0x00004000);
    putWord(out, 0x108, uint32_t(formatVersion) << 16 | 0x010C);

    size_t offset = base;
    for (size_t slot = 0; slot < images.size(); ++slot) {
        const SampleImage& image = images[slot];
        ImageEntry entry;
        entry.type = uint32_t(uint8_t(image.type[0])) | uint32_t(uint8_t(image.type[1])) << 8 |
                     uint32_t(uint8_t(image.type[2])) << 16 | uint32_t(uint8_t(image.type[3])) << 24;
        entry.id = image.id;
        entry.devOffset = uint32_t(offset - shift);
        entry.len = uint32_t(image.bytes.size());
        entry.addr = image.addr;
        entry.entryOffset = image.entryOffset;
        entry.chksum = byteSum(image.bytes.data(), image.bytes.size());
        entry.vers = image.vers;
        entry.loadAddr = 0xFFFFFFFF;
        encodeEntry(entry, out.data() + 0x4200 + kEntrySize * slot);

        out.resize(offset + image.bytes.size());
        std::copy(image.bytes.begin(), image.bytes.end(), out.begin() + long(offset));
        offset = (out.size() + 511) & ~size_t(511);
    }
    return out;
}

std::vector<unsigned char> patternBytes(size_t size, uint32_t seed) {
    std::vector<unsigned char> bytes(size);
    uint32_t x = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<unsigned char>(x);
    }
    return bytes;
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tarnwick::sample
