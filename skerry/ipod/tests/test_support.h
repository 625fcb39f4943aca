// Helpers shared by the library's tests: capturing reports, failing
// allocations on purpose, temporary folders, small file helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Collects every report of the library while it lives (then the hook that
// was installed before is back).
struct ErrorCapture {
  std::vector<std::string> messages;
  void *previous_func;
  void *previous_data;
  ErrorCapture();
  ~ErrorCapture();
  bool contains(const std::string &text) const;
  size_t count(const std::string &text) const;
};

// Makes the allocation number `fail_at` (counting from 0 after install) and,
// when `fail_all_after` is set, every later one fail.
struct FailingAllocator {
  long counter = 0;
  long fail_at;
  bool fail_all_after;
  explicit FailingAllocator(long fail_at, bool fail_all_after = false);
  ~FailingAllocator();
};

struct TempDir {
  std::string path;
  TempDir();
  ~TempDir();
  std::string operator/(const std::string &name) const { return path + "/" + name; }
};

std::vector<unsigned char> read_file(const std::string &path);
void write_file(const std::string &path, const std::vector<unsigned char> &bytes);
void make_dirs(const std::string &path);
