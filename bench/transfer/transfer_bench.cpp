// Copies about 200 MB of tracks from the remote iPod to the local one
// through the module's transfer window, driving its 1 ms copy step tick by
// tick, against `cp` of the same files in the same run.  The files are in
// the page cache for both; best of three runs each.  Prints the time per
// 64 KiB step (the step must stay well under its 1 ms tick) and the ratio
// of the whole transfer (copy steps and the final database write) to cp.
//
//   transfer_bench [work folder]      (default /tmp/transfer-bench; removed after)
#include "ipod.h"
#include "shell_driver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const int file_count = 40;
const size_t file_size = 5 * 1000 * 1000 + 12345; // about 200 MB in all

double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void write_text(const fs::path &p, const std::string &text)
{
    std::ofstream(p) << text;
}

// A device folder with music folders; with tracks, each has its file.
void make_device(const fs::path &dir, int tracks)
{
    fs::create_directories(dir / "iPod_Control/iTunes");
    for (int k = 0; k < 20; ++k) {
        char name[8];
        std::snprintf(name, sizeof name, "F%02d", k);
        fs::create_directories(dir / "iPod_Control/Music" / name);
    }
    ipod_t ipod = ipod_new(dir.c_str());
    std::vector<char> data(file_size);
    uint32_t seed = 12345;
    for (int i = 0; i < tracks; ++i) {
        for (char &c : data) {
            seed = seed * 1103515245u + 12345u;
            c = char(seed >> 24);
        }
        char location[64];
        std::snprintf(location, sizeof location, ":iPod_Control:Music:F%02d:B%03d.mp3", i % 20, i);
        std::string path = dir.string() + location;
        std::replace(path.begin() + long(dir.string().size()), path.end(), ':', '/');
        std::ofstream(path, std::ios::binary).write(data.data(), long(data.size()));
        ipod_track_t t = ipod_track_add(ipod);
        ipod_track_set_text(t, IPOD_TITLE, ("Song " + std::to_string(i)).c_str());
        ipod_track_set_text(t, IPOD_ARTIST, "Bench");
        ipod_track_set_text(t, IPOD_ALBUM, "Two Hundred");
        ipod_track_set_text(t, IPOD_LOCATION, location);
        ipod_track_set_attribute(t, IPOD_TRACK_SIZE, uint32_t(file_size));
        ipod_track_free(t);
    }
    ipod_flush(ipod);
    ipod_free(ipod);
}

template <typename F>
F *module_fn(const char *name)
{
    void *p = dlsym(shell_module_handle(), name);
    if (!p) {
        std::fprintf(stderr, "transfer_bench: module lacks %s\n", name);
        std::exit(1);
    }
    return reinterpret_cast<F *>(p);
}

struct Run {
    double seconds = 0; // the whole transfer
    long steps = 0;
    double slowest_step = 0;
    long slowest_index = 0;     // 1-based
    double slowest_copy = 0;    // the slowest step that did not end the transfer
    double median = 0, p99 = 0;
    bool ok = false;
};

// One transfer of every remote track into a fresh local iPod.
Run transfer_run(const fs::path &root)
{
    fs::remove_all(root / "local");
    make_device(root / "local", 0);
    shell_start((root / "config").c_str());
    Run run;
    if (shell_load_module(MODULE_PATH) != 0)
        return run;
    shell_render(); // the first poll finds the remote iPod mounted
    int *status = module_fn<int>("rip_status");
    module_fn<void()>("load_rip_music")();
    ipod_t remote = *module_fn<ipod_t>("remote_ipod");
    ipod_t local = *module_fn<ipod_t>("local_ipod");
    if (*status != 2 || !remote || !local)
        return run;
    module_fn<void(ipod_t, ipod_t)>("transfer_list_reset")(remote, local);
    auto add = module_fn<void(uint32_t)>("transfer_list_add_track");
    for (uint32_t i = 0; i < uint32_t(file_count); ++i)
        add(1000 + 2 * i);
    ttk_show_window(module_fn<TWindow *()>("new_transfer_window")());

    std::vector<double> times;
    const auto start = Clock::now();
    while (*status == 3) {
        const auto step = Clock::now();
        shell_advance(1);
        const double took = seconds_since(step);
        times.push_back(took);
        ++run.steps;
        if (took > run.slowest_step) {
            run.slowest_step = took;
            run.slowest_index = run.steps;
        }
        if (*status == 3)
            run.slowest_copy = std::max(run.slowest_copy, took);
    }
    run.seconds = seconds_since(start);
    shell_stop();
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        run.median = times[times.size() / 2];
        run.p99 = times[times.size() * 99 / 100];
    }

    // Every file arrived whole.
    ipod_t check = ipod_new((root / "local").c_str());
    run.ok = check && ipod_track_count(check) == uint32_t(file_count);
    for (uint32_t i = 0; run.ok && i < uint32_t(file_count); ++i) {
        ipod_track_t t = ipod_track_get_by_index(check, int(i));
        ipod_string path = ipod_track_get_text(t, IPOD_FULL_PATH, nullptr);
        run.ok = fs::file_size(path) == file_size;
        ipod_string_free(path);
        ipod_track_free(t);
    }
    if (check)
        ipod_free(check);
    return run;
}

double cp_run(const fs::path &root)
{
    fs::remove_all(root / "cp");
    fs::create_directories(root / "cp");
    const std::string command = "cp '" + (root / "remote/iPod_Control/Music").string() + "'/F*/*.mp3 '" +
                                (root / "cp").string() + "'";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "transfer_bench: cp failed\n");
    return seconds_since(start);
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/transfer-bench");
    fs::remove_all(root);
    fs::create_directories(root / "proc/scsi");
    write_text(root / "proc/scsi/scsi", "Attached devices:\nHost: scsi0 Channel: 00 Id: 00 Lun: 00\n"
                                        "  Vendor: Apple    Model: iPod             Rev: 1.62\n");
    write_text(root / "proc/mounts", "rootfs / rootfs rw 0 0\n/dev/sda2 /rip vfat rw 0 0\n");
    fs::create_directory_symlink(root / "remote", root / "rip");
    fs::create_directory_symlink(root / "local", root / "mnt");
    setenv("SKERRY_ROOT", root.c_str(), 1);
    // Quiet: the module and the library print a line per file and state;
    // the results go to the standard output as it was.
    std::fflush(stdout);
    std::fflush(stderr);
    const int out = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    close(null);
    FILE *results = fdopen(out, "w");

    make_device(root / "remote", file_count);
    cp_run(root); // brings the sources into the page cache
    Run best;
    double best_cp = 1e9;
    for (int i = 0; i < 3; ++i) {
        Run run = transfer_run(root);
        if (!run.ok) {
            std::fprintf(results, "transfer_bench: transfer run %d failed\n", i + 1);
            return 1;
        }
        if (best.steps == 0 || run.seconds < best.seconds)
            best = run;
        best_cp = std::min(best_cp, cp_run(root));
    }
    const double total_mb = double(file_count) * double(file_size) / 1e6;
    std::fprintf(results,
                 "transfer_bench: %d files, %.1f MB\n"
                 "  transfer: %.3f s in %ld steps of up to 64 KiB: %.1f us per step (tick 1000 us)\n"
                 "  median step: %.1f us, 99th percentile: %.1f us\n"
                 "  slowest step: %.1f us (step %ld; the last step also writes the database)\n"
                 "  slowest step before the last: %.1f us\n"
                 "  cp:       %.3f s\n"
                 "  ratio transfer / cp: %.2f\n",
                 file_count, total_mb, best.seconds, best.steps, 1e6 * best.seconds / double(best.steps),
                 1e6 * best.median, 1e6 * best.p99, 1e6 * best.slowest_step, best.slowest_index, 1e6 * best.slowest_copy, best_cp, best.seconds / best_cp);
    fs::remove_all(root);
    return 0;
}
