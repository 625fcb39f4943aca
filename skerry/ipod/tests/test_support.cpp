#include "test_support.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ipod_error.h"
#include "ipod_memory.h"

static void capture(void *user_data, const char *format, va_list args) {
  char buffer[1024];
  vsnprintf(buffer, sizeof buffer, format, args);
  static_cast<ErrorCapture *>(user_data)->messages.emplace_back(buffer);
}

ErrorCapture::ErrorCapture()
    : previous_func(reinterpret_cast<void *>(g_ipod_error_func)), previous_data(g_ipod_error_user_data) {
  ipod_error_set_func(capture, this);
}

ErrorCapture::~ErrorCapture() {
  ipod_error_set_func(reinterpret_cast<ipod_error_func>(previous_func), previous_data);
}

bool ErrorCapture::contains(const std::string &text) const { return count(text) > 0; }

size_t ErrorCapture::count(const std::string &text) const {
  size_t n = 0;
  for (const auto &m : messages)
    if (m.find(text) != std::string::npos) n++;
  return n;
}

static bool should_fail(void *user_data) {
  auto *f = static_cast<FailingAllocator *>(user_data);
  long n = f->counter++;
  return n == f->fail_at || (f->fail_all_after && n > f->fail_at);
}

static void *failing_alloc(size_t size, void *user_data) {
  return should_fail(user_data) ? nullptr : std::malloc(size);
}

static void *failing_realloc(void *p, size_t size, void *user_data) {
  return should_fail(user_data) ? nullptr : std::realloc(p, size);
}

static void plain_free(void *p, void *) { std::free(p); }

FailingAllocator::FailingAllocator(long fail_at_, bool fail_all_after_)
    : fail_at(fail_at_), fail_all_after(fail_all_after_) {
  ipod_memory_set_funcs(failing_alloc, failing_realloc, plain_free, this);
}

FailingAllocator::~FailingAllocator() { ipod_memory_set_funcs(nullptr, nullptr, nullptr, nullptr); }

TempDir::TempDir() {
  char pattern[] = "/tmp/ipod-test-XXXXXX";
  path = mkdtemp(pattern);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
}

std::vector<unsigned char> read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string &path, const std::vector<unsigned char> &bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char *>(bytes.data()), (std::streamsize)bytes.size());
}

void make_dirs(const std::string &path) { std::filesystem::create_directories(path); }
