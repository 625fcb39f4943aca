// libgpod as an independent oracle: databases it writes are read here with
// the same contents, and databases written here are read by it.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "ipod.h"
#include "device_fixture.h"
#include "library_dump.h"
#include "test_support.h"

static std::string run(const std::string &command) {
  std::string out;
  FILE *p = popen(command.c_str(), "r");
  if (!p) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
  int status = pclose(p);
  EXPECT_EQ(status, 0) << command;
  return out;
}

static std::string helper() { return GPOD_HELPER; }

struct Device : DeviceFolder {
  std::string db() const { return database(); }
};

// The data sets of a database file by type, as raw bytes.
static std::multimap<uint32_t, std::vector<unsigned char>> data_sets(const std::vector<unsigned char> &f) {
  auto le = [&](size_t p) { return (uint32_t)f[p] | f[p + 1] << 8 | f[p + 2] << 16 | (uint32_t)f[p + 3] << 24; };
  std::multimap<uint32_t, std::vector<unsigned char>> sets;
  size_t p = le(4);
  while (p + 16 <= f.size() && std::string(f.begin() + p, f.begin() + p + 4) == "mhsd") {
    size_t total = le(p + 8);
    sets.emplace(le(p + 12), std::vector<unsigned char>(f.begin() + p, f.begin() + p + total));
    p += total;
  }
  return sets;
}

TEST(Interop, ReadsWhatLibgpodWrites) {
  Device d;
  run(helper() + " make " + d.db() + " 40 4 9");
  std::string expected = run(helper() + " dump " + d.db());
  ErrorCapture errors;
  ipod_t ipod = ipod_new(d.dir.path.c_str());
  ASSERT_NE(ipod, nullptr);
  EXPECT_EQ(ipod_track_count(ipod), 40u);
  EXPECT_EQ(ipod_playlist_count(ipod), 5u);
  EXPECT_EQ(dump_library(ipod), expected);
  ipod_free(ipod);
}

TEST(Interop, LibgpodReadsOurChangesAndNothingIsLost) {
  Device d;
  run(helper() + " make " + d.db() + " 30 3 7");
  auto before = read_file(d.db());
  std::string dump_before = run(helper() + " dump " + d.db());
  ErrorCapture errors;
  ipod_t ipod = ipod_new(d.dir.path.c_str());
  ASSERT_NE(ipod, nullptr);
  ipod_track_t t = ipod_track_get_by_index(ipod, 2);
  ipod_track_set_text(t, IPOD_TITLE, "Neuer Titel \xc3\xa4");
  ipod_track_free(t);
  EXPECT_EQ(ipod_flush(ipod), 0);
  ipod_free(ipod);

  std::string dump_after = run(helper() + " dump " + d.db());
  size_t at = dump_before.find("title=\xe6\x97\xa5");  // the third track's title
  ASSERT_NE(at, std::string::npos);
  std::string changed = dump_before;
  size_t end = changed.find(" location=", at);
  changed.replace(at, end - at, "title=Neuer Titel \xc3\xa4");
  EXPECT_EQ(dump_after, changed);

  // The data sets this library does not know are written back byte for byte.
  auto old_sets = data_sets(before), new_sets = data_sets(read_file(d.db()));
  int kept = 0;
  for (auto &[type, bytes] : old_sets) {
    if (type <= 3) continue;
    auto range = new_sets.equal_range(type);
    ASSERT_NE(range.first, range.second) << "data set " << type << " lost";
    EXPECT_EQ(range.first->second, bytes) << "data set " << type;
    kept++;
  }
  EXPECT_GT(kept, 0);

  // So is the root header beyond the fields this library knows (libgpod
  // keeps its database id and language there).
  auto after = read_file(d.db());
  uint32_t header_size = before[4] | before[5] << 8;
  ASSERT_GT(header_size, 104u);
  ASSERT_GE(after.size(), header_size);
  EXPECT_EQ(std::vector<unsigned char>(after.begin() + 36, after.begin() + header_size),
            std::vector<unsigned char>(before.begin() + 36, before.begin() + header_size));
  EXPECT_EQ(after[4] | after[5] << 8, (int)header_size);
}

TEST(Interop, LibgpodReadsADatabaseMadeFromScratch) {
  Device d;
  ErrorCapture errors;
  ipod_t ipod = ipod_new(d.dir.path.c_str());
  ASSERT_NE(ipod, nullptr);
  for (int i = 0; i < 5; i++) {
    ipod_track_t t = ipod_track_add(ipod);
    ipod_track_set_text(t, IPOD_TITLE, (std::string("Titre \xc3\xa9t\xc3\xa9 ") + std::to_string(i)).c_str());
    ipod_track_set_text(t, IPOD_ARTIST, "Sigur R\xc3\xb3s");
    ipod_track_set_text(t, IPOD_ALBUM, "\xe6\x97\xa5\xe6\x9c\xac");
    ipod_track_set_text(t, IPOD_GENRE, "Post-Rock");
    ipod_track_set_text(t, IPOD_FILETYPE, "MPEG audio file");
    ipod_string location = ipod_unique_track_location_wrapper(ipod, ".mp3");
    ipod_track_set_text(t, IPOD_LOCATION, location);
    ipod_string_free(location);
    ipod_track_set_attribute(t, IPOD_TRACK_SIZE, 1000 + i);
    ipod_track_set_attribute(t, IPOD_TRACK_LENGTH, 200000 + i);
    ipod_track_set_attribute(t, IPOD_TRACK_NUMBER, i + 1);
    ipod_track_set_attribute(t, IPOD_TRACK_YEAR, 2001);
    ipod_track_free(t);
  }
  ipod_playlist_t p = ipod_playlist_add(ipod);
  ipod_playlist_set_text(p, IPOD_TITLE, "Favoris");
  for (int id : {1004, 1000}) {
    ipod_track_item_t item = ipod_track_item_add(p);
    ipod_track_item_set_attribute(item, IPOD_TRACK_ITEM_TRACK_ID, id);
    ipod_track_item_free(item);
  }
  ipod_playlist_free(p);
  EXPECT_EQ(ipod_flush(ipod), 0);
  std::string ours = dump_library(ipod);
  ipod_free(ipod);

  std::string theirs = run(helper() + " dump " + d.db());
  // libgpod renumbers nothing on reading: the same ids, texts and playlists.
  EXPECT_EQ(theirs, ours);
  EXPECT_NE(theirs.find("playlist name=Favoris master=0 items=1004,1000,"), std::string::npos);
}
