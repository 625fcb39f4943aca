// make-sample-firmware FIRMWARE LOADER [OS-SIZE]
// Writes a small format-version-3 firmware file (an operating system image in
// slot 0 and a flash updater in slot 1) and a stand-in loader binary, so that
// the firmware tool can be shown without a real device.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "sample_firmware.h"

using namespace tarnwick::sample;

int main(int argc, char* argv[]) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: make-sample-firmware FIRMWARE LOADER [OS-SIZE]\n");
        return 2;
    }
    const size_t osSize = argc == 4 ? std::strtoul(argv[3], nullptr, 10) : 200000;
    try {
        SampleImage os{"!ATA", 0x6F736F73, 0x10000000, 0, 0x00010900, patternBytes(osSize, 1)};
        SampleImage updater{"!ATA", 0x646E6C66, 0x10000000, 0, 0x00010900,
                            patternBytes(30000, 2)};
        writeFile(argv[1], makeFirmware(3, {os, updater}));
        writeFile(argv[2], patternBytes(0x3000, 3));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-firmware: %s\n", e.what());
        return 1;
    }
    std::printf("made %s (firmware, format version 3, images: os, updater) and %s (loader)\n",
                argv[1], argv[2]);
    return 0;
}
