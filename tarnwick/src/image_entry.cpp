#include "image_entry.h"

#include <cstring>

#include "stream_ops.h"

namespace tarnwick {

namespace {

void putWord(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

uint32_t getWord(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

void encodeEntry(const ImageEntry& e, unsigned char out[kEntrySize]) {
    const uint32_t words[10] = {e.type, e.id,     e.pad,         e.devOffset, e.len,
                                e.addr, e.entryOffset, e.chksum, e.vers,      e.loadAddr};
    for (int i = 0; i < 10; ++i) putWord(out + 4 * i, words[i]);
}

ImageEntry decodeEntry(const unsigned char in[kEntrySize]) {
    ImageEntry e;
    uint32_t* fields[10] = {&e.type, &e.id,          &e.pad,    &e.devOffset, &e.len,
                            &e.addr, &e.entryOffset, &e.chksum, &e.vers,      &e.loadAddr};
    for (int i = 0; i < 10; ++i) *fields[i] = getWord(in + 4 * i);
    return e;
}

bool readEntry(ImageEntry& entry, FILE* file, long base, int slot) {
    unsigned char raw[kEntrySize];
    if (!seekTo(file, base + long(kEntrySize) * slot) || !readExactly(file, raw, kEntrySize))
        return false;
    entry = decodeEntry(raw);
    return true;
}

bool writeEntry(const ImageEntry& entry, FILE* file, long base, int slot) {
    unsigned char raw[kEntrySize];
    encodeEntry(entry, raw);
    return seekTo(file, base + long(kEntrySize) * slot) && writeExactly(file, raw, kEntrySize);
}

void printEntry(const ImageEntry& e, const char* prefix) {
    // The type's four characters in file order, as a C string (a zero byte ends it).
    char type[5] = {char(e.type), char(e.type >> 8), char(e.type >> 16), char(e.type >> 24), 0};
    std::printf("%stype: '%s' id: 0x%4x len: 0x%4x addr: 0x%4x vers: 0x%8x\r\n", prefix, type,
                e.id, e.len, e.addr, e.vers);
    std::printf("devOffset: 0x%08X entryOffset: 0x%08X loadAddr: 0x%08X chksum: 0x%08X\n",
                e.devOffset, e.entryOffset, e.loadAddr, e.chksum);
}

}  // namespace tarnwick
