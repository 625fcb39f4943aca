#include "command_line.h"

#include <getopt.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "firmware_ops.h"

namespace tarnwick {

const char kUsageText[] =
    "Usage: tarnwick [-h]\n"
    "       tarnwick [-v] -o outfile -e img_no fw_file\n"
    "       tarnwick [-v] -g gen [-r rev] -o outfile [-i img_from_-e]* [-l raw_img]* ldr_img\n"
    "\n"
    "  -g:    set target ipod generation, valid options are: 1g, 2g, 3g\n"
    "         4g, 5g, scroll, touch, dock, mini, photo, color, nano and video\n"
    "  -e:    extract the image at img_no in boot table to outfile\n"
    "         fw_file is an original firmware image\n"
    "         the original firmware has the sw at 0, and a flash updater at 1\n"
    "  -i|-l: create new image to outfile\n"
    "         up to 5 images, any of -i or -l allowed\n"
    "         -i: image extracted with -e, load and entry address preserved\n"
    "         -l: raw image, loaded to 0x28000000, entry at 0x00000000\n"
    "\t     -r: set master revision to rev (for example 210 for 2.10)\n"
    "             may be needed if newest -e img is not the same as the flash rev\n"
    "         ldr_img is the iPodLinux loader binary.\n"
    "         first image is loaded by default, 2., 3., 4. or 5. loaded if\n"
    "         rew, menu, play or ff is hold while booting\n"
    "\n"
    "  -v: verbose\n"
    "\n"
    " This program is used to create a bootable ipod image.\n"
    "\n"
    "\n";

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

int usage(int status) {
    std::fputs(kUsageText, stdout);
    return status;
}

// An image number is a plain non-negative decimal number. Anything else
// (a sign, letters, an empty text, a number too large) is refused rather
// than read as image 0.
bool parseImageNumber(const char* text, int& number) {
    if (*text < '0' || *text > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || errno == ERANGE || value >= INT_MAX) return false;
    number = int(value);
    return true;
}

// State gathered while the options are read, in command-line order.
struct CommandLine {
    int verbose = 0;
    FILE* output = nullptr;
    int extractSlot = 0;         // image number + 1; 0 when not extracting
    bool generationGiven = false;
    uint32_t masterRevision = 0;
    bool imageFileOpened = false;
    FirmwareBuild build;

    ~CommandLine() {
        if (output) std::fclose(output);
    }
};

// Opens an image file and chains it at once. Returns an exit status, or -1
// to go on reading options.
int chainImage(CommandLine& cl, const char* name, bool extracted) {
    if (!cl.output || cl.extractSlot != 0) return usage(kFailure);
    if (cl.build.chainedCount() >= kMaxChainedImages) {
        std::fputs("Only 5 images supported\n", stderr);
        return kFailure;
    }
    FILE* image = std::fopen(name, "rb");
    if (!image) {
        std::fprintf(stderr, extracted ? "Cannot open firmware image file %s\n"
                                       : "Cannot open linux image file %s\n",
                     name);
        return kFailure;
    }
    cl.imageFileOpened = true;
    const bool verbose = cl.verbose > 0;
    const bool ok = extracted ? cl.build.addExtractedImage(cl.output, image, verbose)
                              : cl.build.addRawImage(cl.output, image, verbose);
    std::fclose(image);
    return ok ? -1 : kFailure;
}

// Acts on one option. Returns an exit status to stop with, or -1 to go on.
int actOnOption(CommandLine& cl, int option) {
    switch (option) {
    case '3':
        cl.generationGiven = true;
        cl.build.setGeneration(kSecondGroup);
        return -1;
    case 'h':
        if (!cl.output && cl.build.chainedCount() == 0 && cl.extractSlot == 0 &&
            !cl.imageFileOpened && cl.verbose == 0)
            return usage(kSuccess);
        std::fputs("-[?h] is exclusive with other arguments\n", stderr);
        return usage(kFailure);
    case 'v':
        if (++cl.verbose > 1) std::fputs("Warning: multiple -v options specified\n", stderr);
        return -1;
    case 'e': {
        if (!cl.output || cl.build.chainedCount() != 0 || cl.extractSlot != 0)
            return usage(kFailure);
        int number = 0;
        if (!parseImageNumber(optarg, number)) {
            std::fprintf(stderr, "invalid image number %s\n", optarg);
            return usage(kFailure);
        }
        cl.extractSlot = number + 1;
        return -1;
    }
    case 'o':
        if (cl.output) {
            std::fputs("output already opened\n", stderr);
            return usage(kFailure);
        }
        cl.output = std::fopen(optarg, "w+b");
        if (!cl.output) {
            std::fprintf(stderr, "Cannot open output file %s\n", optarg);
            return kFailure;
        }
        return -1;
    case 'i':
        return chainImage(cl, optarg, true);
    case 'l':
        return chainImage(cl, optarg, false);
    case 'r':
        if (cl.extractSlot != 0) return usage(kFailure);
        cl.masterRevision = uint32_t(std::strtoul(optarg, nullptr, 16));
        return -1;
    case 'g': {
        const auto group = groupForWord(optarg);
        if (!group) {
            std::fprintf(stderr,
                         "%s: bad gen. Valid options are: 1g, 2g, 3g, 4g, 5g, scroll, touch, "
                         "dock, mini, nano, photo, color, and video\n",
                         optarg);
            return kFailure;
        }
        cl.generationGiven = true;
        cl.build.setGeneration(*group);
        return -1;
    }
    default:
        // An unknown option, or one lacking its argument.
        std::fprintf(stderr, "invalid option -%c specified\n", optopt);
        return usage(kFailure);
    }
}

int extract(CommandLine& cl, const char* firmwareName) {
    FILE* firmware = std::fopen(firmwareName, "rb");
    if (!firmware) {
        std::fprintf(stderr, "Cannot open firmware image file %s\n", firmwareName);
        return kFailure;
    }
    const bool ok = extractImage(firmware, cl.extractSlot - 1, cl.output) &&
                    std::fflush(cl.output) == 0;
    std::fclose(firmware);
    return ok ? kSuccess : kFailure;
}

int build(CommandLine& cl, const char* loaderName) {
    if (!cl.generationGiven) return usage(kFailure);
    std::printf("Generating firmware image compatible with %s", cl.build.group().message);
    if (cl.build.chainedCount() == 0) {
        std::fflush(stdout);
        std::fputs("no images specified!\n", stderr);
        return kFailure;
    }
    FILE* loader = std::fopen(loaderName, "rb");
    if (!loader) {
        std::fprintf(stderr, "Cannot open loader image file %s\n", loaderName);
        return kFailure;
    }
    const bool ok = cl.build.finish(cl.output, loader, cl.masterRevision, cl.verbose > 0);
    std::fclose(loader);
    return ok ? kSuccess : kFailure;
}

}  // namespace

int runCommandLine(int argc, char* argv[]) {
    CommandLine cl;
    opterr = 0;  // the option reader prints nothing of its own
    int option;
    while ((option = getopt(argc, argv, "3hve:o:i:l:r:g:")) != -1) {
        const int status = actOnOption(cl, option);
        if (status >= 0) return status;
    }
    if (argc - optind != 1) return usage(kFailure);
    const char* argument = argv[optind];
    return cl.extractSlot != 0 ? extract(cl, argument) : build(cl, argument);
}

}  // namespace tarnwick
