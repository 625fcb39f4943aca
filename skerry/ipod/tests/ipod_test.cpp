// The library interface: devices, tracks, playlists, items, presets, files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <sys/stat.h>

#include "device_fixture.h"
#include "ipod.h"
#include "ipod_atom.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct OpenDevice {
  DeviceFolder folder;
  ErrorCapture errors;
  ipod_t ipod;
  explicit OpenDevice(int music_folders = 20) : folder(music_folders), ipod(ipod_new(folder.root().c_str())) {}
  ~OpenDevice() { ipod_free(ipod); }
};

uint32_t add_track(ipod_t ipod, const char *title, const char *location) {
  ipod_track_t t = ipod_track_add(ipod);
  ipod_track_set_text(t, IPOD_TITLE, title);
  if (location) ipod_track_set_text(t, IPOD_LOCATION, location);
  uint32_t id = ipod_track_get_attribute(t, IPOD_TRACK_ID);
  ipod_track_free(t);
  return id;
}

std::string text_of(ipod_track_t t, int tag) {
  ipod_string s = ipod_track_get_text(t, tag, nullptr);
  std::string r = s;
  ipod_string_free(s);
  return r;
}

}  // namespace

TEST(Device, NewDatabaseIsCreatedInMemoryWithReports) {
  OpenDevice d;
  ASSERT_NE(d.ipod, nullptr);
  EXPECT_TRUE(d.errors.contains("ipod_new(): Can't find ipod database at " + d.folder.database() + ", creating\n"));
  EXPECT_TRUE(d.errors.contains("ipod_new(): Can't find eq presets database at "));
  EXPECT_EQ(ipod_version(d.ipod), 14u);
  EXPECT_EQ(ipod_track_count(d.ipod), 0u);
  EXPECT_EQ(ipod_playlist_count(d.ipod), 1u);
  EXPECT_EQ(ipod_eq_preset_count(d.ipod), 22u);
  // Dirty: the first flush writes it.
  EXPECT_EQ(ipod_flush(d.ipod), 0);
  EXPECT_FALSE(read_file(d.folder.database()).empty());
  EXPECT_EQ(ipod_new(nullptr), nullptr);
}

TEST(Device, UnchangedDatabaseIsNotWritten) {
  DeviceFolder folder;
  ErrorCapture errors;
  ipod_t ipod = ipod_new(folder.root().c_str());
  add_track(ipod, "a", nullptr);
  ASSERT_EQ(ipod_flush(ipod), 0);
  ipod_free(ipod);
  struct stat before;
  stat(folder.database().c_str(), &before);
  ipod = ipod_new(folder.root().c_str());
  ASSERT_NE(ipod, nullptr);
  EXPECT_EQ(ipod_flush(ipod), 0);
  ipod_free(ipod);
  struct stat after;
  stat(folder.database().c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);  // not replaced by a new file
  EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
}

TEST(Device, UnreadableDatabaseIsNeverReplaced) {
  DeviceFolder folder;
  ErrorCapture errors;
  struct Case {
    const char *name;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"not a database", {'h', 'e', 'l', 'l', 'o', 0, 0, 0, 0, 0, 0, 0}},
      {"cut short", {'m', 'h', 'b', 'd', 104, 0, 0, 0, 0, 0x10, 0, 0}},
  };
  for (auto &c : cases) {
    SCOPED_TRACE(c.name);
    write_file(folder.database(), c.bytes);
    EXPECT_EQ(ipod_new(folder.root().c_str()), nullptr);
    EXPECT_TRUE(errors.contains("ipod_new(): Can't read ipod database at " + folder.database() + "\n"));
    EXPECT_EQ(read_file(folder.database()), c.bytes);
  }
  // A database cut anywhere fails cleanly instead of crashing.
  ipod_t ipod = ipod_new(DeviceFolder().root().c_str());
  ipod_free(ipod);
  {
    DeviceFolder good;
    ipod = ipod_new(good.root().c_str());
    add_track(ipod, "one", ":iPod_Control:Music:F00:A.mp3");
    ipod_flush(ipod);
    ipod_free(ipod);
    Bytes whole = read_file(good.database());
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
      write_file(folder.database(), Bytes(whole.begin(), whole.begin() + cut));
      EXPECT_EQ(ipod_new(folder.root().c_str()), nullptr) << cut;
    }
  }
}

TEST(Tracks, IdsTimesAndAttributes) {
  OpenDevice d;
  ipod_track_t t = ipod_track_add(d.ipod);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_ID), 1000u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_DBIDHI), 1000u);
  uint32_t added = ipod_track_get_attribute(t, IPOD_TRACK_ADDED_TIME_NATIVE);
  EXPECT_LE((uint32_t)time(nullptr) - added, 5u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_ADDED_TIME), added + 2082844800u);
  ipod_track_free(t);
  t = ipod_track_add(d.ipod);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_ID), 1002u);
  ipod_track_set_attribute(t, IPOD_TRACK_ID, 5000);
  ipod_track_free(t);
  t = ipod_track_add(d.ipod);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_ID), 5002u);
  ipod_track_free(t);
  t = ipod_track_get_by_track_id(d.ipod, 5000);
  ASSERT_NE(t, nullptr);
  ipod_track_free(t);
  EXPECT_EQ(ipod_track_get_by_track_id(d.ipod, 1), nullptr);
  // Out of range: a handle that every call reports as bad.
  t = ipod_track_get_by_index(d.ipod, 3);
  EXPECT_TRUE(d.errors.contains("ipod_atom_list_get(): Index out of range (3)\n"));
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_ID), 0u);
  EXPECT_TRUE(d.errors.contains("ipod_track_get_attribute(): Bad track "));
  ipod_track_free(t);
}

TEST(Tracks, TextsFullPathAndReadOnlyTag) {
  OpenDevice d;
  add_track(d.ipod, "Song", ":iPod_Control:Music:F03:ABCD.mp3");
  ipod_track_t t = ipod_track_get_by_index(d.ipod, 0);
  EXPECT_EQ(text_of(t, IPOD_FULL_PATH), d.folder.root() + "/iPod_Control/Music/F03/ABCD.mp3");
  EXPECT_EQ(ipod_track_set_text(t, IPOD_FULL_PATH, "/x"), 1);
  EXPECT_TRUE(d.errors.contains("ipod_track_set_text(): Tag 3000 is read-only\n"));
  EXPECT_EQ(text_of(t, IPOD_TITLE), "Song");
  EXPECT_EQ(ipod_track_has_text(t, IPOD_ALBUM), 0);
  ipod_track_free(t);
  ipod_track_get_text(nullptr, IPOD_TITLE, nullptr);
  EXPECT_TRUE(d.errors.contains("ipod_track_get_text(): Bad track 0\n"));
}

TEST(Tracks, UnsafeLocationsTouchNoFile) {
  OpenDevice d;
  // A file outside the device that a bad location would reach (named after
  // this test's folder, so that parallel runs do not meet).
  std::string name = d.folder.dir.path.substr(d.folder.dir.path.rfind('/') + 1) + "-outside";
  std::string outside = d.folder.dir / ("../" + name);
  write_file(outside, {1, 2, 3});
  write_file(d.folder.dir / "rootfile", {4});
  std::string climb = ":iPod_Control:..:..:" + name;
  const char *bad[] = {climb.c_str(), "iPod_Control:Music:F00:A.mp3", ":..", ":a/../../x", ""};
  for (const char *location : bad) {
    SCOPED_TRACE(location);
    d.errors.messages.clear();
    add_track(d.ipod, "x", location);
    ipod_track_t t = ipod_track_get_by_index(d.ipod, (int)ipod_track_count(d.ipod) - 1);
    EXPECT_EQ(text_of(t, IPOD_FULL_PATH), "");
    EXPECT_EQ(ipod_track_download(t, (d.folder.dir / "copy").c_str(), nullptr, nullptr), -1);
    EXPECT_EQ(ipod_track_upload(t, (d.folder.dir / "rootfile").c_str(), nullptr, nullptr), -1);
    ipod_track_remove(t);
    EXPECT_TRUE(d.errors.contains("has no usable location"));
    ipod_track_free(t);
  }
  EXPECT_EQ(read_file(outside), (Bytes{1, 2, 3}));
  EXPECT_FALSE(ipod_file_exists((d.folder.dir / "copy").c_str()));
  remove(outside.c_str());
}

TEST(Tracks, UploadDownloadAndRemove) {
  OpenDevice d;
  write_file(d.folder.dir / "song.m4a", Bytes(50000, 7));
  ipod_track_t t = ipod_track_add(d.ipod);
  ASSERT_EQ(ipod_track_upload(t, (d.folder.dir / "song.m4a").c_str(), nullptr, nullptr), 0);
  std::string location = text_of(t, IPOD_LOCATION);
  EXPECT_EQ(location.rfind(":iPod_Control:Music:F", 0), 0u);
  EXPECT_EQ(location.substr(location.size() - 4), ".m4a");
  std::string path = text_of(t, IPOD_FULL_PATH);
  EXPECT_EQ(read_file(path), Bytes(50000, 7));
  ASSERT_EQ(ipod_track_download(t, (d.folder.dir / "back").c_str(), nullptr, nullptr), 0);
  EXPECT_EQ(read_file(d.folder.dir / "back"), Bytes(50000, 7));
  uint32_t id = ipod_track_get_attribute(t, IPOD_TRACK_ID);

  ipod_playlist_t p = ipod_playlist_add(d.ipod);
  ipod_track_item_t item = ipod_track_item_add(p);
  ipod_track_item_set_attribute(item, IPOD_TRACK_ITEM_TRACK_ID, id);
  ipod_track_item_free(item);
  ASSERT_EQ(ipod_flush(d.ipod), 0);
  EXPECT_EQ(ipod_track_item_count(p), 1u);

  ipod_track_remove(t);
  ipod_track_free(t);
  EXPECT_FALSE(ipod_file_exists(path.c_str()));  // deleted at once
  EXPECT_EQ(ipod_track_count(d.ipod), 0u);
  d.errors.messages.clear();
  ASSERT_EQ(ipod_flush(d.ipod), 0);
  EXPECT_EQ(ipod_track_item_count(p), 0u);  // dropped at the next flush
  // The master playlist and the playlist, each also in the podcast copy.
  EXPECT_EQ(d.errors.count("Removing missing track " + std::to_string(id)), 4u);
  ipod_playlist_free(p);
}

TEST(Locations, UniqueOverTheFoldersWithoutGaps) {
  OpenDevice d;
  make_dirs(d.folder.dir / "iPod_Control/Music/F21");
  std::set<std::string> folders;
  for (int i = 0; i < 400; i++) {
    ipod_string l = ipod_unique_track_location_wrapper(d.ipod, ".mp3");
    ASSERT_NE(l, nullptr);
    std::string s = l;
    ipod_string_free(l);
    ASSERT_EQ(s.size(), strlen(":iPod_Control:Music:F07:QKZB.mp3"));
    folders.insert(s.substr(20, 3));
    for (size_t k = 24; k < 28; k++) EXPECT_TRUE(s[k] >= 'A' && s[k] <= 'Z');
  }
  EXPECT_EQ(folders.size(), 20u);
  EXPECT_EQ(folders.count("F21"), 0u);
  EXPECT_EQ(folders.count("F20"), 0u);

  // A taken name is never given out: with every name of one folder taken but
  // one, that one comes back.
  OpenDevice one(1);
  srandom(7);
  ipod_string first = ipod_unique_track_location_wrapper(one.ipod, ".mp3");
  std::string taken = one.folder.root() + "/iPod_Control/Music/F00/" + std::string(first).substr(24);
  write_file(taken, {1});
  srandom(7);
  ipod_string second = ipod_unique_track_location_wrapper(one.ipod, ".mp3");
  EXPECT_STRNE(first, second);
  ipod_string_free(first);
  ipod_string_free(second);
}

TEST(Locations, NoMusicFolderIsReported) {
  OpenDevice d(0);
  EXPECT_EQ(ipod_unique_track_location_wrapper(d.ipod, ".mp3"), nullptr);
  EXPECT_TRUE(d.errors.contains("ipod_unique_track_location(): No music folder under "));
  write_file(d.folder.dir / "a.mp3", {1});
  ipod_track_t t = ipod_track_add(d.ipod);
  EXPECT_EQ(ipod_track_upload(t, (d.folder.dir / "a.mp3").c_str(), nullptr, nullptr), -1);
  ipod_track_free(t);
}

TEST(Playlists, IdsTextsItems) {
  OpenDevice d;
  ipod_playlist_t a = ipod_playlist_add(d.ipod);
  EXPECT_EQ(ipod_playlist_get_attribute(a, IPOD_PLAYLIST_PLAYLIST_ID_LO), 502u);  // after the master's 500
  ipod_playlist_t b = ipod_playlist_add(d.ipod);
  EXPECT_EQ(ipod_playlist_get_attribute(b, IPOD_PLAYLIST_PLAYLIST_ID_LO), 504u);
  EXPECT_LE((uint32_t)time(nullptr) - ipod_playlist_get_attribute(b, IPOD_PLAYLIST_TIMESTAMP_NATIVE), 5u);
  ipod_playlist_set_text(b, IPOD_TITLE, "Mix \xc3\xa9t\xc3\xa9");
  ipod_string s = ipod_playlist_get_text(b, IPOD_TITLE, nullptr);
  EXPECT_STREQ(s, "Mix \xc3\xa9t\xc3\xa9");
  ipod_string_free(s);
  EXPECT_EQ(ipod_playlist_count(d.ipod), 3u);
  ipod_track_item_t item = ipod_track_item_add(b);
  ipod_track_item_set_attribute(item, IPOD_TRACK_ITEM_TRACK_ID, 1234);
  EXPECT_LE((uint32_t)time(nullptr) - ipod_track_item_get_attribute(item, IPOD_TRACK_ITEM_TIMESTAMP_NATIVE), 5u);
  ipod_track_item_t again = ipod_track_item_get_by_index(b, 0);
  EXPECT_EQ(ipod_track_item_get_attribute(again, IPOD_TRACK_ITEM_TRACK_ID), 1234u);
  ipod_track_item_remove(item);
  EXPECT_EQ(ipod_track_item_count(b), 0u);
  EXPECT_EQ(ipod_track_item_get_by_index(b, 0), nullptr);
  EXPECT_TRUE(d.errors.contains("ipod_track_item_get_by_index(): Cannot find track item for index 0\n"));
  ipod_track_item_free(item);
  ipod_track_item_free(again);
  EXPECT_EQ(ipod_playlist_remove(a), 1);
  EXPECT_EQ(ipod_playlist_count(d.ipod), 2u);
  ipod_playlist_free(a);
  ipod_playlist_free(b);
  EXPECT_EQ(ipod_playlist_remove(nullptr), 1);
  EXPECT_TRUE(d.errors.contains("ipod_playlist_remove(): Bad playlist 0"));
}

TEST(Presets, ThroughHandles) {
  OpenDevice d;
  ipod_eq_preset_t p = ipod_eq_preset_get_by_index(d.ipod, 3);
  ipod_string name = ipod_eq_preset_get_text(p, 1, nullptr);
  EXPECT_STREQ(name, "Classical");
  ipod_string_free(name);
  EXPECT_EQ(ipod_eq_preset_get_attribute(p, 5005), -150);
  ipod_eq_preset_set_attribute(p, 5005, 12);
  EXPECT_EQ(ipod_eq_preset_get_attribute(p, 5005), 12);
  ipod_eq_preset_t added = ipod_eq_preset_add(d.ipod);
  EXPECT_EQ(ipod_eq_preset_count(d.ipod), 23u);
  ipod_eq_preset_remove(added);
  EXPECT_EQ(ipod_eq_preset_count(d.ipod), 22u);
  ipod_atom_free(*reinterpret_cast<ipod_atom *>(added));  // removed presets are the caller's
  ipod_eq_preset_free(added);
  ipod_eq_preset_free(p);
  EXPECT_EQ(ipod_eq_preset_get_attribute(nullptr, 5000), 0);
  EXPECT_TRUE(d.errors.contains("ipod_eq_preset_get_attribute(): Bad preset 0\n"));
}

TEST(Shuffle, RewrittenOnlyWhenPresent) {
  OpenDevice d;
  add_track(d.ipod, "a", ":iPod_Control:Music:F00:AAAA.mp3");
  add_track(d.ipod, "b", ":iPod_Control:Music:F01:BBBB.m4a");
  ipod_track_t t = ipod_track_get_by_index(d.ipod, 1);
  ipod_track_set_attribute(t, IPOD_TRACK_START_TIME, 0x123456);
  ipod_track_free(t);
  ASSERT_EQ(ipod_flush(d.ipod), 0);
  EXPECT_FALSE(ipod_file_exists(d.folder.shuffle().c_str()));  // never created

  write_file(d.folder.shuffle(), {0});
  add_track(d.ipod, "c", ":iPod_Control:Music:F02:CCCC.wav");
  ASSERT_EQ(ipod_flush(d.ipod), 0);
  Bytes sd = read_file(d.folder.shuffle());
  ASSERT_EQ(sd.size(), 18u + 3 * 558);
  auto u3 = [&](size_t at) { return (uint32_t)sd[at] << 16 | (uint32_t)sd[at + 1] << 8 | sd[at + 2]; };
  EXPECT_EQ(u3(0), 3u);
  EXPECT_EQ(u3(3), 0x010600u);
  EXPECT_EQ(u3(6), 18u);
  size_t e1 = 18 + 558;
  EXPECT_EQ(u3(e1), 558u);
  EXPECT_EQ(u3(e1 + 3), 0x5AA501u);
  EXPECT_EQ(u3(e1 + 6), 0x123456u);
  EXPECT_EQ(u3(e1 + 24), 100u);
  EXPECT_EQ(u3(18 + 27), 1u);  // .mp3
  EXPECT_EQ(u3(e1 + 27), 2u);  // .m4a
  EXPECT_EQ(u3(18 + 2 * 558 + 27), 3u);  // .wav
  EXPECT_EQ(u3(e1 + 30), 0x200u);
  const char *path = "/iPod_Control/Music/F01/BBBB.m4a";
  for (size_t k = 0; k < strlen(path); k++) {
    EXPECT_EQ(sd[e1 + 33 + 2 * k], (unsigned char)path[k]);
    EXPECT_EQ(sd[e1 + 33 + 2 * k + 1], 0);
  }
  EXPECT_EQ(sd[e1 + 33 + 2 * strlen(path)], 0);
  EXPECT_EQ(sd[e1 + 555], 1);
  EXPECT_EQ(sd[e1 + 556], 0);
}

TEST(Device, DiscoverSkipsFloppiesCdromsAndEmptyMounts) {
  TempDir system;
  for (const char *name : {"ipod", "floppy", "cdrom2", "usbdisk", "other"}) make_dirs(system / (std::string("mnt/") + name));
  for (const char *name : {"ipod", "floppy", "cdrom2", "other"}) {
    make_dirs(system / (std::string("mnt/") + name + "/iPod_Control/iTunes"));
    write_file(system / (std::string("mnt/") + name + "/iPod_Control/iTunes/iTunesDB"), {1});
  }
  setenv("SKERRY_ROOT", system.path.c_str(), 1);
  ipod_string *paths = nullptr;
  int n = ipod_discover(&paths);
  unsetenv("SKERRY_ROOT");
  std::set<std::string> found;
  for (int i = 0; i < n; i++) {
    found.insert(paths[i]);
    ipod_string_free(paths[i]);
  }
  ipod_memory_free(paths);
  EXPECT_EQ(found, (std::set<std::string>{system / "mnt/ipod", system / "mnt/other"}));

  ErrorCapture errors;
  setenv("SKERRY_ROOT", (system / "nothing").c_str(), 1);
  EXPECT_EQ(ipod_discover(&paths), 0);
  unsetenv("SKERRY_ROOT");
  ipod_memory_free(paths);
  EXPECT_TRUE(errors.contains("ipod_discover(): Cannot open /mnt directory\n"));
}

TEST(Device, DiskUsage) {
  OpenDevice d;
  uint64_t total = 1, free_bytes = 1;
  ipod_disk_usage(d.ipod, &total, &free_bytes);
  EXPECT_GT(total, 0u);
  EXPECT_LE(free_bytes, total);
  ipod_disk_usage(nullptr, &total, &free_bytes);
  EXPECT_EQ(total, 0u);
  EXPECT_TRUE(d.errors.contains("ipod_disk_usage(): invalid ipod (0x0)\n"));
}

TEST(Device, CountersReturnToZero) {
  unsigned long memory = ipod_memory_allocs - ipod_memory_frees;
  unsigned long strings = ipod_string_allocs - ipod_string_frees;
  unsigned long atoms = ipod_atom_allocs - ipod_atom_frees;
  {
    OpenDevice d;
    write_file(d.folder.dir / "x.mp3", {1, 2});
    for (int i = 0; i < 5; i++) {
      ipod_track_t t = ipod_track_add(d.ipod);
      ipod_track_set_text(t, IPOD_TITLE, "t");
      ipod_track_upload(t, (d.folder.dir / "x.mp3").c_str(), nullptr, nullptr);
      ipod_track_free(t);
    }
    ipod_flush(d.ipod);
    ipod_t again = ipod_new(d.folder.root().c_str());
    ipod_track_t t = ipod_track_get_by_index(again, 2);
    std::string title = text_of(t, IPOD_TITLE);
    ipod_track_remove(t);
    ipod_track_free(t);
    ipod_flush(again);
    ipod_free(again);
  }
  EXPECT_EQ(ipod_memory_allocs - ipod_memory_frees, memory);
  EXPECT_EQ(ipod_string_allocs - ipod_string_frees, strings);
  EXPECT_EQ(ipod_atom_allocs - ipod_atom_frees, atoms);
}

TEST(Device, AllocationFailuresWhileOpeningAndWriting) {
  DeviceFolder folder;
  {
    ErrorCapture quiet;
    ipod_t ipod = ipod_new(folder.root().c_str());
    for (int i = 0; i < 3; i++) add_track(ipod, "t", ":iPod_Control:Music:F00:A.mp3");
    ipod_flush(ipod);
    ipod_free(ipod);
  }
  Bytes original = read_file(folder.database());
  unsigned long memory = ipod_memory_allocs - ipod_memory_frees;
  for (long at = 0; at < 400; at += 3) {
    ErrorCapture quiet;
    ipod_t ipod;
    {
      FailingAllocator fail(at);
      ipod = ipod_new(folder.root().c_str());
      if (ipod) {
        ipod_track_t t = ipod_track_get_by_index(ipod, 0);
        ipod_track_set_text(t, IPOD_TITLE, "changed");
        ipod_track_free(t);
        ipod_flush(ipod);
      }
    }
    if (ipod) ipod_free(ipod);
    // Whatever failed, the database on the device is one of the two states.
    ErrorCapture also_quiet;
    ipod_t check = ipod_new(folder.root().c_str());
    ASSERT_NE(check, nullptr) << at;
    EXPECT_EQ(ipod_track_count(check), 3u);
    ipod_free(check);
    write_file(folder.database(), original);
  }
  EXPECT_EQ(ipod_memory_allocs - ipod_memory_frees, memory);
}
