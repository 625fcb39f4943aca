// The iPod generations the firmware tool builds for, in two groups that
// differ in format version, image base and load address.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick {

struct GenerationGroup {
    uint16_t formatVersion;
    uint32_t imageBase;
    uint32_t loadAddress;   // of the master entry and of raw images
    bool videoBuild;        // adds the resource image behind the loader
    const char* message;    // completes "Generating firmware image compatible with "
};

extern const GenerationGroup kFirstGroup;    // 1g, 2g, 3g, scroll, touch, dock
extern const GenerationGroup kSecondGroup;   // 4g, mini, nano, photo, color (and -3)
extern const GenerationGroup kVideoGroup;    // 5g, video

// The group a generation word names, compared without regard to case.
std::optional<GenerationGroup> groupForWord(std::string_view word);

}  // namespace tarnwick
