#include <gtest/gtest.h>

#include <cstdlib>

#include "ipod_memory.h"
#include "test_support.h"

struct HookLog {
  int allocs = 0, reallocs = 0, frees = 0;
};

static void *log_alloc(size_t n, void *u) {
  static_cast<HookLog *>(u)->allocs++;
  return std::malloc(n);
}
static void *log_realloc(void *p, size_t n, void *u) {
  static_cast<HookLog *>(u)->reallocs++;
  return std::realloc(p, n);
}
static void log_free(void *p, void *u) {
  static_cast<HookLog *>(u)->frees++;
  std::free(p);
}

TEST(Memory, CountersAndHooks) {
  HookLog log;
  ipod_memory_set_funcs(log_alloc, log_realloc, log_free, &log);
  unsigned long a = ipod_memory_allocs, f = ipod_memory_frees;
  void *p = ipod_memory_alloc(10);
  p = ipod_memory_realloc(p, 100);
  void *q = ipod_memory_realloc(nullptr, 5);
  ipod_memory_free(p);
  ipod_memory_free(q);
  ipod_memory_free(nullptr);
  ipod_memory_set_funcs(nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(log.allocs, 1);
  EXPECT_EQ(log.reallocs, 2);
  EXPECT_EQ(log.frees, 3);  // null is passed on to the hook
  EXPECT_EQ(ipod_memory_allocs - a, 3u);
  EXPECT_EQ(ipod_memory_frees - f, 3u);
}

TEST(Memory, FailedAllocationsAreNotCounted) {
  void *p = ipod_memory_alloc(8);
  unsigned long a = ipod_memory_allocs, f = ipod_memory_frees;
  {
    FailingAllocator fail(0, true);
    EXPECT_EQ(ipod_memory_alloc(8), nullptr);
    EXPECT_EQ(ipod_memory_realloc(p, 64), nullptr);  // the old block stays alive
  }
  EXPECT_EQ(ipod_memory_allocs, a);
  EXPECT_EQ(ipod_memory_frees, f);
  ipod_memory_free(p);
}

TEST(Memory, ReportText) {
  ErrorCapture errors;
  ipod_memory_report();
  ASSERT_EQ(errors.messages.size(), 1u);
  char expected[200];
  snprintf(expected, sizeof expected, "ipod_memory_report(): allocs %lu frees %lu delta %ld\n",
           ipod_memory_allocs, ipod_memory_frees, (long)(ipod_memory_allocs - ipod_memory_frees));
  EXPECT_EQ(errors.messages[0], expected);
}
