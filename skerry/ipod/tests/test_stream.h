// A stream for tests: bytes in a vector, with reads that deliver at most a
// few bytes per call and a failure after a given number of calls.
#pragma once

#include <cstdint>
#include <vector>

#include "ipod_io.h"

struct TestStream {
  std::vector<unsigned char> bytes;
  uint32_t position = 0;
  uint32_t max_chunk = 0xFFFFFFFF;  // most bytes one read or write moves
  long calls_left = -1;             // read/write calls before every call fails (-1: never)
  long calls = 0;
  ipod_io_t io = nullptr;

  TestStream();
  explicit TestStream(std::vector<unsigned char> data);
  ~TestStream();
  TestStream(const TestStream &) = delete;
  TestStream &operator=(const TestStream &) = delete;
};
