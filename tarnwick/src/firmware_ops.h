// The two operations of the firmware tool: extracting one image of a
// firmware file, and building a bootable firmware file that chains the
// iPodLinux loader with up to five images.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "generation.h"
#include "image_entry.h"

namespace tarnwick {

constexpr long kDirectoryOffset = 0x4200;
constexpr uint32_t kMasterDevOffset = 0x4400;
constexpr long kLoaderTableOffset = 0x100;
constexpr int kMaxChainedImages = 5;
constexpr const char* kResourceImageName = "apple_sw_5g_rcsc.bin";

// Extracts image `number` of `firmware` into `output`: its entry at offset 0,
// its bytes at offset 512. Prints the failure and returns false.
bool extractImage(FILE* firmware, int number, FILE* output);

// A build in progress. Images are appended to the output as soon as they are
// chained; finish() adds the loader, the tables, the header and the master.
class FirmwareBuild {
public:
    FirmwareBuild();

    // Switches to the group of a generation word. A first-group word never
    // switches back from the second group.
    void setGeneration(const GenerationGroup& group);
    const GenerationGroup& group() const { return group_; }

    // Each prints the failure and returns false.
    bool addExtractedImage(FILE* output, FILE* image, bool verbose);
    bool addRawImage(FILE* output, FILE* image, bool verbose);
    bool finish(FILE* output, FILE* loader, uint32_t masterRevision, bool verbose);

    int chainedCount() const { return int(images_.size()); }

private:
    uint32_t nextImageOffset() const;
    bool addResourceImage(FILE* output, bool verbose);

    GenerationGroup group_;
    ImageEntry master_;
    bool haveRunningOffset_ = false;
    uint32_t runningOffset_ = 0;
    std::vector<ImageEntry> images_;
};

// The 256-byte banner at the start of every firmware file.
void makeBanner(unsigned char banner[256]);

}  // namespace tarnwick
