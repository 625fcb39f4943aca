// An interrupted flush never leaves an unreadable database: writes failing at
// any point, and the process killed at any time.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <dirent.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "device_fixture.h"
#include "ipod.h"
#include "ipod_internal.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Passes everything to the file stream until `writes_left` writes are used
// up; every write after that fails.
struct FailingWrites {
  ipod_io_t inner = nullptr;
  long writes_left = -1;
  long writes = 0;
  ipod_io_t io = nullptr;
};

int fw_read(void *d, uint32_t n, uint32_t *done, void *u) {
  auto *f = static_cast<FailingWrites *>(u);
  return f->inner->read(d, n, done, f->inner->user_data);
}
int fw_write(const void *s, uint32_t n, uint32_t *done, void *u) {
  auto *f = static_cast<FailingWrites *>(u);
  f->writes++;
  if (f->writes_left == 0) {
    *done = 0;
    return -1;
  }
  if (f->writes_left > 0) f->writes_left--;
  return ipod_io_write(f->inner, s, n, done);
}
int fw_tell(uint32_t *p, void *u) {
  auto *f = static_cast<FailingWrites *>(u);
  return f->inner->tell(p, f->inner->user_data);
}
int fw_seek(uint32_t p, void *u) {
  auto *f = static_cast<FailingWrites *>(u);
  return f->inner->seek(p, f->inner->user_data);
}
int fw_length(uint32_t *n, void *u) {
  auto *f = static_cast<FailingWrites *>(u);
  return f->inner->length(n, f->inner->user_data);
}

ipod_io_t wrap(ipod_io_t file_stream, void *user_data) {
  auto *f = static_cast<FailingWrites *>(user_data);
  f->inner = file_stream;
  if (f->io) ipod_io_free(f->io);
  f->io = ipod_io_new(f, fw_read, fw_write, fw_tell, fw_seek, fw_length);
  return f->io;
}

void make_database(const DeviceFolder &folder, int tracks) {
  ErrorCapture quiet;
  ipod_t ipod = ipod_new(folder.root().c_str());
  for (int i = 0; i < tracks; i++) {
    ipod_track_t t = ipod_track_add(ipod);
    ipod_track_set_text(t, IPOD_TITLE, ("Track " + std::to_string(i)).c_str());
    ipod_track_free(t);
  }
  ipod_playlist_t p = ipod_playlist_add(ipod);
  ipod_playlist_set_text(p, IPOD_TITLE, "List");
  ipod_playlist_free(p);
  ASSERT_EQ(ipod_flush(ipod), 0);
  ipod_free(ipod);
}

std::vector<std::string> files_in(const std::string &folder) {
  std::vector<std::string> names;
  DIR *d = opendir(folder.c_str());
  while (dirent *e = readdir(d))
    if (e->d_name[0] != '.') names.push_back(e->d_name);
  closedir(d);
  return names;
}

}  // namespace

TEST(FlushSafety, FailingWritesLeaveTheOldDatabase) {
  DeviceFolder folder;
  make_database(folder, 6);
  write_file(folder.shuffle(), {0});
  Bytes original = read_file(folder.database());
  FailingWrites fail;
  g_ipod_write_stream_wrapper = wrap;
  g_ipod_write_stream_wrapper_data = &fail;

  ErrorCapture errors;
  ipod_t ipod = ipod_new(folder.root().c_str());
  ASSERT_NE(ipod, nullptr);
  ipod_track_t t = ipod_track_get_by_index(ipod, 3);
  ipod_track_set_text(t, IPOD_TITLE, "Changed");
  ipod_track_free(t);
  Bytes changed;
  // Count the writes of a whole flush (database and shuffle file) on a copy.
  {
    DeviceFolder scratch;
    make_database(scratch, 6);
    write_file(scratch.shuffle(), {0});
    fail.writes = 0;
    ipod_t other = ipod_new(scratch.root().c_str());
    ipod_track_t o = ipod_track_get_by_index(other, 3);
    ipod_track_set_text(o, IPOD_TITLE, "Changed");
    ipod_track_free(o);
    ASSERT_EQ(ipod_flush(other), 0);
    ipod_free(other);
    changed = read_file(scratch.database());
  }
  long total = fail.writes;
  ASSERT_GT(total, 50);
  for (long at = 0; at < total; at += 1 + total / 60) {
    SCOPED_TRACE(at);
    fail.writes_left = at;
    fail.writes = 0;
    int result = ipod_flush(ipod);
    Bytes now = read_file(folder.database());
    // The database is the old one or the new one, never anything between
    // (a failure while writing the shuffle file comes after the database).
    EXPECT_TRUE(now == original || now == changed);
    EXPECT_NE(result, 0);
    EXPECT_TRUE(errors.contains("ipod_flush(): Can't write "));
    // Always one whole database and no temporary file left behind.
    ErrorCapture quiet;
    ipod_t check = ipod_new(folder.root().c_str());
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(ipod_track_count(check), 6u);
    ipod_free(check);
    EXPECT_EQ(files_in(folder.dir / "iPod_Control/iTunes").size(), 2u);
    if (now != original) write_file(folder.database(), original);  // start over
  }
  g_ipod_write_stream_wrapper = nullptr;
  g_ipod_write_stream_wrapper_data = nullptr;
  if (fail.io) ipod_io_free(fail.io);
  // The change is still pending and lands once writing works.
  ASSERT_EQ(ipod_flush(ipod), 0);
  ipod_free(ipod);
  ipod = ipod_new(folder.root().c_str());
  t = ipod_track_get_by_index(ipod, 3);
  ipod_string title = ipod_track_get_text(t, IPOD_TITLE, nullptr);
  EXPECT_STREQ(title, "Changed");
  ipod_string_free(title);
  ipod_track_free(t);
  ipod_free(ipod);
}

TEST(FlushSafety, KilledWhileFlushingLeavesAReadableDatabase) {
  DeviceFolder folder;
  make_database(folder, 2000);
  std::mt19937 random(42);
  for (int round = 0; round < 25; round++) {
    pid_t child = fork();
    if (child == 0) {
      ipod_error_set_func([](void *, const char *, va_list) {}, nullptr);
      ipod_t ipod = ipod_new(folder.root().c_str());
      if (!ipod) _exit(3);
      for (int i = 0;; i++) {
        ipod_track_t t = ipod_track_get_by_index(ipod, i % 2000);
        ipod_track_set_text(t, IPOD_TITLE, ("Round " + std::to_string(i)).c_str());
        ipod_track_free(t);
        ipod_flush(ipod);
      }
    }
    usleep(20000 + random() % 80000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself";
    ErrorCapture quiet;
    ipod_t ipod = ipod_new(folder.root().c_str());
    ASSERT_NE(ipod, nullptr) << "round " << round;
    EXPECT_EQ(ipod_track_count(ipod), 2000u);
    ipod_free(ipod);
  }
  // A later flush clears away what the killed writers left behind.
  write_file(folder.dir / "iPod_Control/iTunes/iTunesDB.new-abc123", {1});
  write_file(folder.dir / "iPod_Control/iTunes/iTunesDB.backup", {2});
  ErrorCapture quiet;
  ipod_t ipod = ipod_new(folder.root().c_str());
  ipod_track_t t = ipod_track_get_by_index(ipod, 0);
  ipod_track_set_text(t, IPOD_TITLE, "last");
  ipod_track_free(t);
  ASSERT_EQ(ipod_flush(ipod), 0);
  ipod_free(ipod);
  std::vector<std::string> left = files_in(folder.dir / "iPod_Control/iTunes");
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"iTunesDB", "iTunesDB.backup"}));
}
