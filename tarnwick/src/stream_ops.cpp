#include "stream_ops.h"

#include <cerrno>
#include <algorithm>
#include <cstring>

namespace tarnwick {

namespace {

void reportFailure(const char* what, FILE* file) {
    // A read that comes short at the end of the file leaves errno untouched;
    // describing error 0 would print "Success", so say what happened instead.
    const char* description = (file && std::feof(file) && !std::ferror(file))
                                  ? "unexpected end of input file"
                                  : std::strerror(errno);
    std::fprintf(stderr, "%s failed: %s\n", what, description);
}

// Sum of the bytes, each taken as 0..255, modulo 2^32. Eight bytes are added
// at a time in 16-bit lanes, which are folded before they can overflow.
uint32_t byteSum(const unsigned char* data, size_t size) {
    constexpr uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
    uint32_t sum = 0;
    size_t i = 0;
    while (size - i >= 8) {
        uint64_t lanes = 0;
        // 128 words add at most 128 * 2 * 255 = 65280 to a lane.
        const size_t end = i + std::min<size_t>((size - i) / 8, 128) * 8;
        for (; i < end; i += 8) {
            uint64_t word;
            std::memcpy(&word, data + i, 8);
            lanes += (word & kLowBytes) + ((word >> 8) & kLowBytes);
        }
        for (int lane = 0; lane < 4; ++lane) sum += uint32_t(lanes >> (16 * lane)) & 0xFFFF;
    }
    for (; i < size; ++i) sum += data[i];
    return sum;
}

}  // namespace

bool seekTo(FILE* file, long offset) {
    if (std::fseek(file, offset, SEEK_SET) != 0) {
        reportFailure("fseek", nullptr);
        return false;
    }
    return true;
}

bool readExactly(FILE* file, void* buffer, size_t size) {
    if (size == 0) return true;
    errno = 0;
    if (std::fread(buffer, 1, size, file) != size) {
        reportFailure("fread", file);
        return false;
    }
    return true;
}

bool writeExactly(FILE* file, const void* buffer, size_t size) {
    if (size == 0) return true;
    if (std::fwrite(buffer, 1, size, file) != size) {
        reportFailure("fwrite", nullptr);
        return false;
    }
    return true;
}

std::optional<uint32_t> copySum(FILE* source, FILE* destination, uint32_t length,
                                long sourceOffset) {
    if (!seekTo(source, sourceOffset)) return std::nullopt;
    // Copied in blocks; the sum is the same as adding the bytes one at a time.
    static unsigned char block[1 << 20];
    uint32_t sum = 0;
    while (length > 0) {
        const size_t chunk = length < sizeof block ? length : sizeof block;
        if (!readExactly(source, block, chunk)) return std::nullopt;
        sum += byteSum(block, chunk);
        if (destination && !writeExactly(destination, block, chunk)) return std::nullopt;
        length -= uint32_t(chunk);
    }
    return sum;
}

std::optional<uint32_t> fileLength(FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        reportFailure("fseek", nullptr);
        return std::nullopt;
    }
    const long end = std::ftell(file);
    if (end < 0) {
        reportFailure("ftell", nullptr);
        return std::nullopt;
    }
    return uint32_t(end);
}

}  // namespace tarnwick
