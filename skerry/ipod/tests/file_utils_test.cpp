#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ipod_file_utils.h"
#include "test_support.h"

static void record(uint64_t done, uint64_t total, void *user_data) {
  static_cast<std::vector<std::pair<uint64_t, uint64_t>> *>(user_data)->emplace_back(done, total);
}

TEST(FileUtils, ExistenceAndDeletion) {
  TempDir dir;
  write_file(dir / "a", {1});
  EXPECT_EQ(ipod_file_exists((dir / "a").c_str()), 1);
  EXPECT_EQ(ipod_file_exists((dir / "b").c_str()), 0);
  EXPECT_EQ(ipod_directory_exists(dir.path.c_str()), 1);
  EXPECT_EQ(ipod_directory_exists((dir / "a").c_str()), 0);
  EXPECT_EQ(ipod_delete_file((dir / "a").c_str()), 0);
  EXPECT_NE(ipod_delete_file((dir / "a").c_str()), 0);
}

TEST(FileUtils, CopyReportsProgressPerChunk) {
  TempDir dir;
  std::vector<unsigned char> data(40000);
  for (size_t i = 0; i < data.size(); i++) data[i] = (unsigned char)i;
  write_file(dir / "src", data);
  std::vector<std::pair<uint64_t, uint64_t>> calls;
  EXPECT_EQ(ipod_copy_file((dir / "src").c_str(), (dir / "dst").c_str(), record, &calls), 0);
  EXPECT_EQ(read_file(dir / "dst"), data);
  std::vector<std::pair<uint64_t, uint64_t>> expected = {{0, 40000}, {16384, 40000}, {32768, 40000}, {40000, 40000}};
  EXPECT_EQ(calls, expected);

  write_file(dir / "empty", {});
  calls.clear();
  EXPECT_EQ(ipod_copy_file((dir / "empty").c_str(), (dir / "e2").c_str(), record, &calls), 0);
  EXPECT_EQ(calls, (std::vector<std::pair<uint64_t, uint64_t>>{{0, 0}}));
}

TEST(FileUtils, CopyErrors) {
  TempDir dir;
  ErrorCapture errors;
  std::string missing = dir / "missing";
  EXPECT_EQ(ipod_copy_file(missing.c_str(), (dir / "x").c_str(), nullptr, nullptr), -1);
  EXPECT_TRUE(errors.contains("ipod_copy_file(): Can't stat() " + missing + "\n"));
  write_file(dir / "src", {1, 2});
  std::string bad = dir / "no/such/dir/x";
  EXPECT_EQ(ipod_copy_file((dir / "src").c_str(), bad.c_str(), nullptr, nullptr), -1);
  EXPECT_TRUE(errors.contains("ipod_copy_file(): Can't write " + bad + "\n"));
  // A directory can be stat()ed and opened but not read: the copy fails.
  EXPECT_EQ(ipod_copy_file(dir.path.c_str(), (dir / "y").c_str(), nullptr, nullptr), -1);
}

TEST(FileUtils, ExtensionAndName) {
  EXPECT_STREQ(ipod_file_name_of("/mnt/x/y.mp3"), "/y.mp3");
  EXPECT_STREQ(ipod_file_name_of("y.mp3"), "y.mp3");
  EXPECT_STREQ(ipod_extension_of("a.b/c", ".mp3"), ".b/c");
  EXPECT_STREQ(ipod_extension_of("/x/song", ".mp3"), ".mp3");
  EXPECT_STREQ(ipod_extension_of("/x/song.m4a", ".mp3"), ".m4a");
}
