// Extracts and builds an 80 MB firmware image with tarnwick and compares the
// time with `cat` copying the same bytes, measured in the same run.
// Usage: bench_tarnwick [megabytes]   (best of three runs each)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "sample_firmware.h"

namespace fs = std::filesystem;
using namespace tarnwick::sample;

namespace {

double bestSeconds(const std::string& command) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "failed: %s\n", command.c_str());
            std::exit(1);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace

int main(int argc, char* argv[]) {
    const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 80;
    char pattern[] = "/tmp/bench-tarnwick-XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    const std::string d = dir.string() + "/";

    SampleImage os;
    os.bytes = patternBytes(megabytes << 20, 1);
    writeFile(d + "fw.bin", makeFirmware(3, {os}));
    writeFile(d + "loader.bin", patternBytes(64 << 10, 2));
    const std::string tool = TARNWICK_PATH;

    const double cat = bestSeconds("cat " + d + "fw.bin > " + d + "cat.bin");
    const double extract = bestSeconds(tool + " -o " + d + "os.bin -e 0 " + d + "fw.bin");
    const double build = bestSeconds(tool + " -g 4g -o " + d + "new.bin -i " + d + "os.bin " +
                                     d + "loader.bin > /dev/null");
    std::printf("image size:        %zu MB\n", megabytes);
    std::printf("cat (reference):   %.3f s\n", cat);
    std::printf("extract:           %.3f s  ratio %.2f x cat\n", extract, extract / cat);
    std::printf("build:             %.3f s  ratio %.2f x cat\n",
                build, build / cat);
    fs::remove_all(dir);
    return 0;
}
