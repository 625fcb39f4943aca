#include "firmware_ops.h"

#include <algorithm>
#include <cstring>

#include "stream_ops.h"

namespace tarnwick {

namespace {

constexpr uint32_t kExtractedDataOffset = 512;
constexpr uint16_t kVersionWithShiftedImages = 3;

uint32_t alignUp(uint32_t offset) { return (offset + 511u) & ~511u; }

// Where an entry's image bytes begin: format version 3 boot code reads the
// image 512 bytes after the offset its entry names.
long imageStart(const ImageEntry& entry, uint16_t formatVersion) {
    return long(entry.devOffset) + (formatVersion == kVersionWithShiftedImages ? 512 : 0);
}

bool writeWordAt(FILE* file, long offset, uint32_t value) {
    unsigned char raw[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                            static_cast<unsigned char>(value >> 16),
                            static_cast<unsigned char>(value >> 24)};
    return seekTo(file, offset) && writeExactly(file, raw, 4);
}

}  // namespace

void makeBanner(unsigned char banner[256]) {
    static const char rows[] =
        "{{~~  /-----\\   "
        "{{~~ /       \\  "
        "{{~~|         | "
        "{{~~| S T O P | "
        "{{~~|         | "
        "{{~~ \\       /  "
        "{{~~  \\-----/   ";
    // The vendor's own firmware files carry their notice here; ours keeps
    // the place with a neutral text of the same length.
    static const char notice[] = "firmware image built by tarnwick      ";
    static_assert(sizeof rows - 1 == 112);
    static_assert(sizeof notice - 1 == 38);
    std::memcpy(banner, rows, 112);
    std::memcpy(banner + 112, notice, 38);
    std::memset(banner + 150, '-', 105);
    banner[255] = 0;
}

bool extractImage(FILE* firmware, int number, FILE* output) {
    unsigned char version[2];
    if (!seekTo(firmware, 0x10A) || !readExactly(firmware, version, 2)) return false;
    const uint16_t formatVersion = uint16_t(version[0] | version[1] << 8);

    ImageEntry entry;
    if (!readEntry(entry, firmware, kDirectoryOffset, number)) return false;

    if (!writeEntry(entry, output, 0, 0) || !seekTo(output, kExtractedDataOffset)) return false;
    return copySum(firmware, output, entry.len, imageStart(entry, formatVersion)).has_value();
}

FirmwareBuild::FirmwareBuild() : group_(kFirstGroup) {
    master_.type = kEntryTypeATA;
    master_.id = kEntryIdSoso;
    master_.devOffset = kMasterDevOffset;
    master_.addr = kFirstGroup.loadAddress;
    master_.loadAddr = 0xFFFFFFFF;
}

void FirmwareBuild::setGeneration(const GenerationGroup& group) {
    if (group.formatVersion == kFirstGroup.formatVersion) return;
    group_ = group;
    master_.addr = group.loadAddress;
}

uint32_t FirmwareBuild::nextImageOffset() const {
    return haveRunningOffset_ ? alignUp(runningOffset_) : group_.imageBase;
}

bool FirmwareBuild::addExtractedImage(FILE* output, FILE* image, bool verbose) {
    ImageEntry entry;
    if (!readEntry(entry, image, 0, 0)) return false;
    entry.devOffset = nextImageOffset();
    if (!seekTo(output, entry.devOffset)) return false;
    const auto sum = copySum(image, output, entry.len, kExtractedDataOffset);
    if (!sum) return false;
    entry.chksum = *sum;
    haveRunningOffset_ = true;
    runningOffset_ = entry.devOffset + entry.len;
    images_.push_back(entry);
    if (verbose) printEntry(entry, "Apple image added: ");
    return true;
}

bool FirmwareBuild::addRawImage(FILE* output, FILE* image, bool verbose) {
    const auto length = fileLength(image);
    if (!length) return false;
    ImageEntry entry = master_;
    entry.devOffset = nextImageOffset();
    entry.len = *length;
    if (!seekTo(output, entry.devOffset)) return false;
    const auto sum = copySum(image, output, entry.len, 0);
    if (!sum) return false;
    entry.chksum = *sum;
    haveRunningOffset_ = true;
    runningOffset_ = entry.devOffset + entry.len;
    images_.push_back(entry);
    if (verbose) printEntry(entry, "Linux image added: ");
    return true;
}

bool FirmwareBuild::finish(FILE* output, FILE* loader, uint32_t masterRevision, bool verbose) {
    const uint32_t loaderOffset = alignUp(runningOffset_);
    const auto loaderLength = fileLength(loader);
    if (!loaderLength) return false;

    // The master's checksum covers the image area as finished: the chained
    // images, the zero gaps, and the loader with its image table written in.
    // It is the sum of what was written, so the area need not be read back:
    // the loader's own bytes that the table replaces are taken out again.
    const uint32_t tableStart = std::min<uint32_t>(kLoaderTableOffset, *loaderLength);
    const uint32_t tableEnd =
        std::min<uint32_t>(kLoaderTableOffset + kEntrySize * uint32_t(images_.size()), *loaderLength);
    const auto replacedSum = copySum(loader, nullptr, tableEnd - tableStart, tableStart);
    if (!replacedSum || !seekTo(output, loaderOffset)) return false;
    const auto loaderSum = copySum(loader, output, *loaderLength, 0);
    if (!loaderSum) return false;
    uint32_t areaSum = *loaderSum - *replacedSum;

    for (size_t i = 0; i < images_.size(); ++i) {
        const ImageEntry& image = images_[i];
        if (image.vers > master_.vers) master_.vers = image.vers;
        const long tableOffset = kLoaderTableOffset + long(kEntrySize * i);
        if (!writeEntry(image, output, long(loaderOffset) + tableOffset, 0)) return false;
        unsigned char raw[kEntrySize];
        encodeEntry(image, raw);
        for (uint32_t b = 0; b < kEntrySize && tableOffset + b < *loaderLength; ++b) areaSum += raw[b];
        areaSum += image.chksum;
    }
    if (masterRevision != 0) master_.vers = masterRevision;

    master_.len = loaderOffset + *loaderLength - group_.imageBase;
    master_.entryOffset = loaderOffset - group_.imageBase;
    if (images_.front().devOffset == group_.imageBase) {
        master_.chksum = areaSum;
    } else {
        // The first image was placed before a later generation option moved
        // the image base: the area no longer starts where the writes did, so
        // sum it as it stands in the output.
        const auto readBack = copySum(output, nullptr, master_.len, group_.imageBase);
        if (!readBack) return false;
        master_.chksum = *readBack;
    }

    unsigned char banner[256];
    makeBanner(banner);
    if (!seekTo(output, 0) || !writeExactly(output, banner, sizeof banner) ||
        !writeWordAt(output, 0x100, 0x5B68695D) || !writeWordAt(output, 0x104, 0x00004000) ||
        !writeWordAt(output, 0x108, uint32_t(group_.formatVersion) << 16 | 0x010C))
        return false;

    if (!writeEntry(master_, output, kDirectoryOffset, 0)) return false;
    if (verbose) printEntry(master_, "Master image: ");

    if (group_.videoBuild && !addResourceImage(output, verbose)) return false;
    return std::fflush(output) == 0;
}

bool FirmwareBuild::addResourceImage(FILE* output, bool verbose) {
    FILE* resource = std::fopen(kResourceImageName, "rb");
    if (!resource) {
        std::fprintf(stderr, "Cannot open firmware image file %s\n", kResourceImageName);
        return false;
    }
    ImageEntry entry;
    bool ok = readEntry(entry, resource, 0, 0);
    if (ok) {
        const uint32_t place = alignUp(kMasterDevOffset + master_.len);
        entry.devOffset = place + 512;
        const auto sum = seekTo(output, imageStart(entry, kVersionWithShiftedImages))
                             ? copySum(resource, output, entry.len, kExtractedDataOffset)
                             : std::nullopt;
        ok = sum.has_value();
        if (ok) {
            entry.chksum = *sum;
            ok = writeEntry(entry, output, kDirectoryOffset, 1);
            if (ok && verbose) printEntry(entry, "rsrc image: ");
        }
    }
    std::fclose(resource);
    return ok;
}

}  // namespace tarnwick
