#include "test_stream.h"

#include <algorithm>
#include <cstring>

static bool spend_call(TestStream *s) {
  s->calls++;
  if (s->calls_left == 0) return false;
  if (s->calls_left > 0) s->calls_left--;
  return true;
}

static int test_read(void *destination, uint32_t count, uint32_t *done, void *user_data) {
  auto *s = static_cast<TestStream *>(user_data);
  *done = 0;
  if (!spend_call(s)) return -1;
  uint32_t left = s->position < s->bytes.size() ? (uint32_t)s->bytes.size() - s->position : 0;
  uint32_t n = std::min({count, left, s->max_chunk});
  if (n) std::memcpy(destination, s->bytes.data() + s->position, n);
  s->position += n;
  *done = n;
  return 0;
}

static int test_write(const void *source, uint32_t count, uint32_t *done, void *user_data) {
  auto *s = static_cast<TestStream *>(user_data);
  *done = 0;
  if (!spend_call(s)) return -1;
  uint32_t n = std::min(count, s->max_chunk);
  if (s->position + n > s->bytes.size()) s->bytes.resize(s->position + n);
  if (n) std::memcpy(s->bytes.data() + s->position, source, n);
  s->position += n;
  *done = n;
  return n == count ? 0 : -1;
}

static int test_tell(uint32_t *position, void *user_data) {
  *position = static_cast<TestStream *>(user_data)->position;
  return 0;
}

static int test_seek(uint32_t position, void *user_data) {
  static_cast<TestStream *>(user_data)->position = position;
  return 0;
}

static int test_length(uint32_t *length, void *user_data) {
  *length = (uint32_t) static_cast<TestStream *>(user_data)->bytes.size();
  return 0;
}

TestStream::TestStream() : TestStream(std::vector<unsigned char>{}) {}

TestStream::TestStream(std::vector<unsigned char> data) : bytes(std::move(data)) {
  io = ipod_io_new(this, test_read, test_write, test_tell, test_seek, test_length);
}

TestStream::~TestStream() { ipod_io_free(io); }
