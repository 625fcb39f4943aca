#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "ipod_io.h"
#include "ipod_io_file.h"
#include "ipod_io_memory.h"
#include "test_stream.h"
#include "test_support.h"

using Bytes = std::vector<unsigned char>;

extern "C" int ipod_c_headers_tag_check(void);

TEST(CHeaders, CompileAsCAndLink) { EXPECT_EQ(ipod_c_headers_tag_check(), 1); }

static Bytes written(const std::function<void(ipod_io_t)> &put) {
  ipod_io_t io = ipod_io_memory_new();
  put(io);
  auto *d = static_cast<unsigned char *>(ipod_io_memory_data(io));
  Bytes b(d, d + ipod_io_memory_size(io));
  ipod_io_memory_free(io);
  return b;
}

TEST(IoPrimitives, GetAndPutKeepValuesAndByteOrder) {
  struct Case {
    const char *name;
    std::function<void(ipod_io_t)> put;
    Bytes bytes;
    std::function<int64_t(ipod_io_t)> get;
    int64_t value;
  };
  std::vector<Case> cases = {
      {"b", [](ipod_io_t io) { ipod_io_putb(io, -2); }, {0xFE}, [](ipod_io_t io) { return (int64_t)ipod_io_getb(io); }, -2},
      {"ub", [](ipod_io_t io) { ipod_io_putub(io, 0xFE); }, {0xFE}, [](ipod_io_t io) { return (int64_t)ipod_io_getub(io); }, 254},
      {"w", [](ipod_io_t io) { ipod_io_putw(io, -2); }, {0xFE, 0xFF}, [](ipod_io_t io) { return (int64_t)ipod_io_getw(io); }, -2},
      {"uw", [](ipod_io_t io) { ipod_io_putuw(io, 0x1234); }, {0x34, 0x12}, [](ipod_io_t io) { return (int64_t)ipod_io_getuw(io); }, 0x1234},
      {"w_be", [](ipod_io_t io) { ipod_io_putw_be(io, -1); }, {0xFF, 0xFF}, [](ipod_io_t io) { return (int64_t)ipod_io_getw_be(io); }, -1},
      {"w_be 511", [](ipod_io_t io) { ipod_io_putw_be(io, 511); }, {0x01, 0xFF}, [](ipod_io_t io) { return (int64_t)ipod_io_getw_be(io); }, 511},
      {"uw_be", [](ipod_io_t io) { ipod_io_putuw_be(io, 0xFFFE); }, {0xFF, 0xFE}, [](ipod_io_t io) { return (int64_t)ipod_io_getuw_be(io); }, 0xFFFE},
      {"l", [](ipod_io_t io) { ipod_io_putl(io, -3); }, {0xFD, 0xFF, 0xFF, 0xFF}, [](ipod_io_t io) { return (int64_t)ipod_io_getl(io); }, -3},
      {"ul", [](ipod_io_t io) { ipod_io_putul(io, 0x12345678); }, {0x78, 0x56, 0x34, 0x12}, [](ipod_io_t io) { return (int64_t)ipod_io_getul(io); }, 0x12345678},
      {"l_be", [](ipod_io_t io) { ipod_io_putl_be(io, 65535); }, {0, 0, 0xFF, 0xFF}, [](ipod_io_t io) { return (int64_t)ipod_io_getl_be(io); }, 65535},
      {"l_be neg", [](ipod_io_t io) { ipod_io_putl_be(io, -2); }, {0xFF, 0xFF, 0xFF, 0xFE}, [](ipod_io_t io) { return (int64_t)ipod_io_getl_be(io); }, -2},
      {"ul_be", [](ipod_io_t io) { ipod_io_putul_be(io, 0xDEADBEEF); }, {0xDE, 0xAD, 0xBE, 0xEF}, [](ipod_io_t io) { return (int64_t)ipod_io_getul_be(io); }, 0xDEADBEEF},
      {"4cc", [](ipod_io_t io) { ipod_io_put4cc(io, 0x6d686264); }, {'m', 'h', 'b', 'd'}, [](ipod_io_t io) { return (int64_t)ipod_io_get4cc(io); }, 0x6d686264},
      {"ul3", [](ipod_io_t io) { ipod_io_putul3(io, 0x010600); }, {0x01, 0x06, 0x00}, [](ipod_io_t io) { return (int64_t)ipod_io_getul3(io); }, 0x010600},
  };
  for (auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(written(c.put), c.bytes);
    ipod_io_t io = ipod_io_memory_new_from_memory(c.bytes.data(), (uint32_t)c.bytes.size());
    EXPECT_EQ(c.get(io), c.value);
    EXPECT_EQ(ipod_io_tell(io), c.bytes.size());
    ipod_io_memory_free(io);
  }
}

TEST(IoPrimitives, SyncsafeAndFloat) {
  Bytes ss = {0x00, 0x00, 0x02, 0x01};
  ipod_io_t io = ipod_io_memory_new_from_memory(ss.data(), 4);
  EXPECT_EQ(ipod_io_getul_ss(io), 257u);
  ipod_io_memory_free(io);

  Bytes f = written([](ipod_io_t io) { ipod_io_putf(io, 44100.0f); });
  EXPECT_EQ(f, (Bytes{0x00, 0x44, 0x2C, 0x47}));
  io = ipod_io_memory_new_from_memory(f.data(), 4);
  EXPECT_EQ(ipod_io_getf(io), 44100.0f);
  ipod_io_memory_free(io);
}

TEST(IoPrimitives, ShortReadsAndExhaustedStream) {
  TestStream s(Bytes{0x78, 0x56, 0x34, 0x12, 0xAA});
  s.max_chunk = 1;
  EXPECT_EQ(ipod_io_getul(s.io), 0x12345678u);
  // Only one byte is left: the missing bytes read as zero.
  EXPECT_EQ(ipod_io_getul(s.io), 0xAAu);
  EXPECT_EQ(ipod_io_getul(s.io), 0u);
}

TEST(IoMemory, GrowsInSteps_of8KiB) {
  ipod_io_t io = ipod_io_memory_new();
  auto *state = static_cast<ipod_io_memory_state *>(io->user_data);
  EXPECT_EQ(state->capacity, 0u);
  Bytes ten(10, 1);
  uint32_t done = 0;
  ipod_io_write(io, ten.data(), 10, &done);
  EXPECT_EQ(done, 10u);
  EXPECT_EQ(state->capacity, 8192u);
  EXPECT_EQ(ipod_io_memory_size(io), 10u);
  Bytes more(8190, 2);
  ipod_io_write(io, more.data(), 8190, &done);
  EXPECT_EQ(ipod_io_memory_size(io), 8200u);
  EXPECT_EQ(state->capacity, 16384u);
  // Seeking back keeps the data; seeking past the end extends with zeros.
  ipod_io_seek(io, 4);
  EXPECT_EQ(ipod_io_length(io), 8200u);
  EXPECT_EQ(ipod_io_getub(io), 1);
  ipod_io_seek(io, 20000);
  EXPECT_EQ(ipod_io_length(io), 20000u);
  EXPECT_EQ(state->capacity, 24576u);
  EXPECT_EQ(static_cast<unsigned char *>(ipod_io_memory_data(io))[19999], 0);
  ipod_io_memory_free(io);
}

TEST(IoMemory, InvalidStateDoesNothing) {
  ipod_io_t io = ipod_io_memory_new();
  ipod_io_putul(io, 7);
  auto *state = static_cast<ipod_io_memory_state *>(io->user_data);
  state->magic = 0;
  uint32_t done = 99;
  unsigned char b[4];
  ipod_io_read(io, b, 4, &done);
  EXPECT_EQ(done, 0u);
  EXPECT_EQ(ipod_io_tell(io), 0u);
  EXPECT_EQ(ipod_io_length(io), 0u);
  EXPECT_EQ(ipod_io_memory_size(io), 0u);
  EXPECT_EQ(ipod_io_memory_data(io), nullptr);
  state->magic = IPOD_IO_MEMORY_MAGIC;
  ipod_io_memory_free(io);
}

TEST(IoMemory, CallerMemoryIsNeverResized) {
  ErrorCapture errors;
  unsigned char data[4] = {1, 2, 3, 4};
  ipod_io_t io = ipod_io_memory_new_from_memory(data, 4);
  ipod_io_seek(io, 2);
  ipod_io_putul(io, 0xFFFFFFFF);  // would run past the caller's 4 bytes
  EXPECT_EQ(data[2], 3);
  EXPECT_TRUE(io->write_failed);
  ipod_io_memory_free(io);
}

TEST(IoMemory, FailedGrowthLeavesStreamIntact) {
  ipod_io_t io = ipod_io_memory_new();
  ipod_io_putul(io, 0x01020304);
  {
    ErrorCapture errors;
    FailingAllocator fail(0, true);
    Bytes big(9000, 5);
    uint32_t done = 0;
    EXPECT_NE(ipod_io_write(io, big.data(), 9000, &done), 0);
    EXPECT_EQ(done, 0u);
    EXPECT_TRUE(errors.contains("Cannot grow stream"));
  }
  EXPECT_EQ(ipod_io_memory_size(io), 4u);
  ipod_io_seek(io, 0);
  EXPECT_EQ(ipod_io_getul(io), 0x01020304u);
  ipod_io_memory_free(io);
}

TEST(IoHeaders, SimpleHeaderBackpatchAndListHeader) {
  ipod_io_t io = ipod_io_memory_new();
  ipod_io_putul(io, 0xEEEEEEEE);  // something before the atom
  uint32_t start = ipod_io_put_simple_header(io, 0x6d686264, 104);
  EXPECT_EQ(start, 4u);
  ipod_io_put_pad(io, start, 104);
  EXPECT_EQ(ipod_io_tell(io), start + 104);
  ipod_io_put_zeros(io, 3);
  EXPECT_EQ(ipod_io_tell(io), start + 116);
  ipod_io_backpatch(io, start);
  EXPECT_EQ(ipod_io_tell(io), start + 116);
  EXPECT_EQ(ipod_io_length(io), start + 116);
  uint32_t list = ipod_io_put_list_header(io, 0x6d686c74, 92);
  ipod_io_putul(io, 5);

  ipod_io_seek(io, start);
  EXPECT_EQ(ipod_io_get4cc(io), 0x6d686264u);
  uint32_t header_end = 0, atom_end = 0;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  EXPECT_EQ(header_end, start + 104);
  EXPECT_EQ(atom_end, start + 116);
  ipod_io_seek(io, list + 4);
  EXPECT_EQ(ipod_io_get_list_header(io), list + 92);
  EXPECT_EQ(ipod_io_getul(io), 5u);
  ipod_io_memory_free(io);
}

TEST(IoHeaders, PaddingWritesOnlyWhatIsMissing) {
  struct Case {
    uint32_t already, size;
    size_t expected;
  } cases[] = {{0, 7, 7}, {12, 12, 0}, {20, 12, 0}, {1, 9, 8}, {0, 0, 0}};
  for (auto c : cases) {
    SCOPED_TRACE(c.size);
    Bytes b = written([&](ipod_io_t io) {
      Bytes pre(c.already, 9);
      uint32_t d;
      ipod_io_write(io, pre.data(), c.already, &d);
      ipod_io_put_pad(io, 0, c.size);
    });
    EXPECT_EQ(b.size(), c.already + c.expected);
    for (size_t i = c.already; i < b.size(); i++) EXPECT_EQ(b[i], 0);
  }
  EXPECT_EQ(written([](ipod_io_t io) { ipod_io_put_zeros(io, 3); }), Bytes(12, 0));
  EXPECT_TRUE(written([](ipod_io_t io) { ipod_io_put_zeros(io, 0); }).empty());
}

TEST(IoFile, BufferedWritesWithSeeksBackLandInTheFile) {
  TempDir dir;
  std::string path = dir / "f.bin";
  FILE *f = fopen(path.c_str(), "w+b");
  ipod_io_t io = ipod_io_file_new(f);
  Bytes expected;
  // Many small atoms whose sizes are patched afterwards, across many windows.
  for (uint32_t i = 0; i < 30000; i++) {
    uint32_t start = ipod_io_put_simple_header(io, 0x6d686f64, 12);
    ipod_io_putul(io, i);
    ipod_io_backpatch(io, start);
    for (unsigned char c : Bytes{'m', 'h', 'o', 'd', 12, 0, 0, 0, 16, 0, 0, 0}) expected.push_back(c);
    for (int k = 0; k < 4; k++) expected.push_back((unsigned char)(i >> (8 * k)));
  }
  // One patch far back, outside the window.
  ipod_io_backpatch(io, 0);
  uint32_t total = (uint32_t)expected.size();
  for (int k = 0; k < 4; k++) expected[8 + k] = (unsigned char)(total >> (8 * k));
  EXPECT_EQ(ipod_io_length(io), total);
  EXPECT_EQ(ipod_io_file_flush(io), 0);
  // Reading back through the same stream.
  ipod_io_seek(io, 16 * 29999 + 12);
  EXPECT_EQ(ipod_io_getul(io), 29999u);
  ipod_io_file_free(io);
  fclose(f);
  EXPECT_EQ(read_file(path), expected);
}

TEST(IoFile, ReadsAcrossWindowsAndReportsLength) {
  TempDir dir;
  std::string path = dir / "r.bin";
  Bytes data(200000);
  for (size_t i = 0; i < data.size(); i++) data[i] = (unsigned char)(i * 7);
  write_file(path, data);
  FILE *f = fopen(path.c_str(), "rb");
  ipod_io_t io = ipod_io_file_new(f);
  EXPECT_EQ(ipod_io_length(io), 200000u);
  Bytes back(200000);
  EXPECT_EQ(ipod_io_read_all(io, back.data(), 3), 3u);
  EXPECT_EQ(ipod_io_read_all(io, back.data() + 3, 199997), 199997u);
  EXPECT_EQ(back, data);
  ipod_io_seek(io, 65535);
  EXPECT_EQ(ipod_io_getuw(io), (uint16_t)(data[65535] | data[65536] << 8));
  ipod_io_seek(io, 199998);
  EXPECT_EQ(ipod_io_getul(io), (uint32_t)(data[199998] | data[199999] << 8));
  // A write to a file opened for reading is a failure the writer can see.
  ipod_io_putul(io, 1);
  EXPECT_NE(ipod_io_file_flush(io), 0);
  {
    ErrorCapture quiet;
    ipod_io_file_free(io);
  }
  fclose(f);
}

TEST(IoTestStream, FailsAfterNCalls) {
  TestStream s;
  s.calls_left = 2;
  ipod_io_putul(s.io, 1);
  ipod_io_putul(s.io, 2);
  EXPECT_FALSE(s.io->write_failed);
  ipod_io_putul(s.io, 3);
  EXPECT_TRUE(s.io->write_failed);
  EXPECT_EQ(s.bytes.size(), 8u);
}
