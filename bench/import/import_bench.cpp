// Imports about 200 MB of MP3 files into a device folder (tags, frame scan,
// copy to a unique place, database write) against `cat` reading the same
// bytes, both with the files in the page cache. Best of three runs each.
// The two halves of an import, reading the file into a track and copying it
// with the library's ipod_copy_file, are also timed on their own.
//
//   import_bench [work folder]      (default /tmp/import-bench; removed after)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ipod.h"
#include "ipod_io_file.h"
#include "ipod_track_add.h"
#include "ipod_track_from_mp3.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

static double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

static void append(Bytes &b, const std::string &s) { b.insert(b.end(), s.begin(), s.end()); }
static void append_be32(Bytes &b, uint32_t v) {
  for (int shift : {24, 16, 8, 0}) b.push_back((unsigned char)(v >> shift));
}

static void text_frame(Bytes &b, const char *id, const std::string &text) {
  append(b, id);
  append_be32(b, (uint32_t)text.size() + 1);
  b.insert(b.end(), {0, 0, 0});
  append(b, text);
}

// An MP3 of `frames` MPEG 1 Layer III frames at 128 kbit/s and 44100 Hz
// (padded as an encoder pads them) with pseudo-random payload, an ID3v2.3
// tag with texts and a 30 KB picture, and an ID3v1 tag.
static Bytes make_mp3(int index, int frames, uint32_t &seed) {
  Bytes tag;
  text_frame(tag, "TIT2", "Benchmark song " + std::to_string(index));
  text_frame(tag, "TPE1", "Artist " + std::to_string(index % 17));
  text_frame(tag, "TALB", "Album " + std::to_string(index / 10));
  text_frame(tag, "TRCK", std::to_string(index % 12 + 1) + "/12");
  text_frame(tag, "TCON", "(17)");
  append(tag, "APIC");
  append_be32(tag, 30000);
  tag.insert(tag.end(), 30002, 0);
  Bytes file;
  append(file, "ID3");
  file.insert(file.end(), {3, 0, 0});
  uint32_t size = (uint32_t)tag.size();
  for (int shift : {21, 14, 7, 0}) file.push_back((unsigned char)((size >> shift) & 0x7F));
  file.insert(file.end(), tag.begin(), tag.end());
  uint32_t remainder = 0;
  for (int i = 0; i < frames; i++) {
    // 144000 * 128 / 44100 = 417.96: most frames carry a padding byte.
    remainder += 144000 * 128 % 44100;
    bool padding = remainder >= 44100;
    if (padding) remainder -= 44100;
    size_t start = file.size();
    file.insert(file.end(), {0xFF, 0xFB, (unsigned char)(0x90 | (padding ? 2 : 0)), 0x00});
    file.resize(start + 417 + (padding ? 1 : 0));
    for (size_t k = start + 4; k < file.size(); k++) {
      seed = seed * 1103515245u + 12345u;
      file[k] = (unsigned char)(seed >> 16);
    }
  }
  Bytes v1(128, 0);
  std::copy_n("TAG", 3, v1.begin());
  file.insert(file.end(), v1.begin(), v1.end());
  return file;
}

static double time_command(const std::string &command) {
  auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  return seconds_since(start);
}

static fs::path make_device(const fs::path &root) {
  fs::remove_all(root);
  for (int i = 0; i < 20; i++) {
    char name[16];
    std::snprintf(name, sizeof name, "F%02d", i);
    fs::create_directories(root / "iPod_Control/Music" / name);
  }
  fs::create_directories(root / "iPod_Control/iTunes");
  return root;
}

static void quiet(void *, const char *, va_list) {}

int main(int argc, char **argv) {
  fs::path work = argc > 1 ? argv[1] : "/tmp/import-bench";
  fs::remove_all(work);
  fs::create_directories(work / "music");

  // 50 files of 10 000 frames (about 4.2 MB, 4 min 21 s each).
  std::vector<std::string> files;
  uint64_t total = 0;
  uint32_t seed = 1;
  for (int i = 0; i < 50; i++) {
    Bytes mp3 = make_mp3(i, 10000, seed);
    std::string path = (work / "music" / ("song" + std::to_string(i) + ".mp3")).string();
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(mp3.data(), 1, mp3.size(), f) != mp3.size()) return 1;
    std::fclose(f);
    files.push_back(path);
    total += mp3.size();
  }
  std::string all;
  for (auto &f : files) all += " '" + f + "'";
  time_command("cat" + all + " > /dev/null");  // into the page cache

  double cat_best = 1e9, copy_best = 1e9, import_best = 1e9, parse_best = 1e9, file_copy_best = 1e9;
  for (int run = 0; run < 3; run++) {
    cat_best = std::min(cat_best, time_command("cat" + all + " > /dev/null"));
    fs::remove(work / "copy.bin");
    copy_best = std::min(copy_best, time_command("cat" + all + " > '" + (work / "copy.bin").string() + "'"));
    fs::remove(work / "copy.bin");

    fs::path device = make_device(work / "device");
    ipod_error_set_func(quiet, nullptr);  // "creating" the new database
    auto start = std::chrono::steady_clock::now();
    ipod_t ipod = ipod_new(device.c_str());
    size_t imported = 0;
    for (auto &f : files) {
      ipod_track_t t = ipod_track_add_from(ipod, f.c_str());
      imported += t ? 1 : 0;
      ipod_track_free(t);
    }
    int flushed = ipod_flush(ipod);
    ipod_free(ipod);
    import_best = std::min(import_best, seconds_since(start));
    ipod_error_set_func(nullptr, nullptr);

    // The two halves of an import on their own: reading the file into a
    // track, and the library's file copy.
    fs::path scratch = make_device(work / "scratch");
    ipod_error_set_func(quiet, nullptr);
    ipod_t parse_only = ipod_new(scratch.c_str());
    ipod_error_set_func(nullptr, nullptr);
    start = std::chrono::steady_clock::now();
    for (auto &f : files) {
      FILE *file = std::fopen(f.c_str(), "rb");
      ipod_io_t io = ipod_io_file_new(file);
      ipod_track_free(ipod_track_from_mp3(parse_only, io));
      ipod_io_file_free(io);
      std::fclose(file);
    }
    parse_best = std::min(parse_best, seconds_since(start));
    ipod_free(parse_only);
    start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < files.size(); i++)
      ipod_copy_file(files[i].c_str(), (scratch / ("copy" + std::to_string(i))).c_str(), nullptr, nullptr);
    file_copy_best = std::min(file_copy_best, seconds_since(start));

    if (imported != files.size() || flushed != 0) {
      std::fprintf(stderr, "import failed: %zu of %zu files, flush %d\n", imported, files.size(), flushed);
      return 1;
    }
  }
  fs::remove_all(work);

  std::printf("import of %zu MP3 files, %.1f MB (best of 3):\n", files.size(), total / 1e6);
  std::printf("  cat > /dev/null      %.3f s\n", cat_best);
  std::printf("  cat > file (a copy)  %.3f s\n", copy_best);
  std::printf("  ipod_track_add_from  %.3f s (tags, frame scan, copy, database write)\n", import_best);
  std::printf("    of which, alone:  %.3f s reading tags and frames, %.3f s ipod_copy_file\n", parse_best,
              file_copy_best);
  std::printf("ratio import / cat: %.2f (target within 3)\n", import_best / cat_best);
  std::printf("ratio import / cat copy: %.2f\n", import_best / copy_best);
  std::printf("ratio reading tags and frames / cat: %.2f\n", parse_best / cat_best);
  return 0;
}
