// The atom kinds of the database and preset files.
#include <gtest/gtest.h>

#include <cstring>

#include "atom_bytes.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_list.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhip.h"
#include "ipod_atom_mhit.h"
#include "ipod_atom_mhlp.h"
#include "ipod_atom_mhlt.h"
#include "ipod_atom_mhod.h"
#include "ipod_atom_mhsd.h"
#include "ipod_atom_mhyp.h"
#include "ipod_atom_mqed.h"
#include "ipod_atom_pqed.h"
#include "ipod_io_memory.h"
#include "ipod_memory.h"
#include "test_stream.h"
#include "test_support.h"

static ipod_atom add_track(ipod_atom root, uint32_t id, const char *title) {
  ipod_atom track = ipod_atom_new_for_tag(IPOD_TAG_MHIT, 0);
  ipod_atom_mhit_set_attribute(track, 2000, id);
  if (title) ipod_atom_mhit_set_text_utf8(track, 1, title);
  ipod_atom_list_append(ipod_atom_mhbd_track_list(root), track);
  return track;
}

static ipod_atom master_of(ipod_atom root) { return ipod_atom_list_get(ipod_atom_mhbd_playlist_list(root), 0); }

static std::vector<uint32_t> data_set_types(const Bytes &b) {
  std::vector<uint32_t> types;
  for (size_t p = le32(b, 4); p + 16 <= b.size() && std::memcmp(b.data() + p, "mhsd", 4) == 0; p += le32(b, p + 8))
    types.push_back(le32(b, p + 12));
  return types;
}

TEST(Database, DefaultTreeByVersion) {
  ErrorCapture errors;
  struct Case {
    uint32_t version, written;
    std::vector<uint32_t> types;
  } cases[] = {{0, 14, {1, 3, 2}}, {12, 12, {1, 2}}, {13, 13, {1, 3, 2}}};
  for (auto &c : cases) {
    ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, c.version);
    Bytes b = prepare_and_write(root, 0);
    EXPECT_EQ(le32(b, 4), 104u);
    EXPECT_EQ(le32(b, 8), b.size());  // total size is the file length
    EXPECT_EQ(le32(b, 16), c.written);
    EXPECT_EQ(le32(b, 32), 2u);
    EXPECT_EQ(data_set_types(b), c.types);
    ipod_atom master = master_of(root);
    EXPECT_EQ(ipod_atom_mhyp_get_attribute(master, 1000), 1u);
    EXPECT_EQ(ipod_atom_mhyp_get_attribute(master, 1002), 500u);
    ipod_string title = ipod_atom_mhyp_get_text_utf8(master, 1, nullptr);
    EXPECT_STREQ(title, "iPod");
    ipod_string_free(title);
    auto *m = static_cast<ipod_atom_mhyp_struct *>(master->data);
    ASSERT_EQ(m->data_objects->count, 6u);
    uint32_t fields[5] = {3, 4, 5, 7, 18};
    for (int i = 0; i < 5; i++) {
      auto *o = static_cast<ipod_atom_mhod_struct *>(m->data_objects->items[i + 1]->data);
      EXPECT_EQ(o->type, 52u);
      EXPECT_EQ(o->body.library_index.sort_field, fields[i]);
    }
    ipod_atom_free(root);
  }
}

TEST(Database, LongerRootHeaderIsWrittenBackWhole) {
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  Bytes b = prepare_and_write(root, 0);
  ipod_atom_free(root);
  // Grow the header from 104 to 188 bytes.
  Bytes longer(b.begin(), b.begin() + 104);
  longer.insert(longer.end(), 84, 0xAB);
  longer.insert(longer.end(), b.begin() + 104, b.end());
  longer[4] = 188;
  uint32_t total = (uint32_t)longer.size();
  std::memcpy(longer.data() + 8, &total, 4);
  ipod_atom again = read_atom(longer, 0);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(write_atom(again, 0), longer);
  // A copy keeps the header bytes too.
  ipod_atom copy = ipod_atom_copy(again);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(write_atom(copy, 0), longer);
  ipod_atom_free(copy);
  ipod_atom_free(again);
}

TEST(Database, PodcastSetBecomesACopyOfThePlaylists) {
  ErrorCapture errors;
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  ipod_atom podcasts = ipod_atom_mhbd_podcasts(root);
  ipod_atom_list podcast_list = ipod_atom_mhlp_playlists(ipod_atom_mhsd_podcasts(podcasts));
  ipod_atom_mhyp_set_text_utf8(ipod_atom_list_get(podcast_list, 0), 1, "Old podcasts");
  Bytes b = prepare_and_write(root, 0);
  EXPECT_NE(ipod_atom_mhbd_podcasts(root), podcasts);  // replaced
  ipod_string title = ipod_atom_mhyp_get_text_utf8(
      ipod_atom_list_get(ipod_atom_mhlp_playlists(ipod_atom_mhsd_podcasts(ipod_atom_mhbd_podcasts(root))), 0), 1, nullptr);
  EXPECT_STREQ(title, "iPod");
  ipod_string_free(title);
  // Both data sets hold the same bytes apart from their type.
  size_t p1 = le32(b, 4) + le32(b, le32(b, 4) + 8);
  size_t p2 = p1 + le32(b, p1 + 8);
  Bytes s3(b.begin() + p1, b.begin() + p2), s2(b.begin() + p2, b.begin() + p2 + le32(b, p2 + 8));
  s3[12] = 2;
  EXPECT_EQ(s3, s2);
  ipod_atom_free(root);
}

TEST(Track, HeaderSizeByVersionAndDerivedFields) {
  ipod_atom track = ipod_atom_new_for_tag(IPOD_TAG_MHIT, 0);
  ipod_atom_mhit_set_attribute(track, 2013, 44100);
  ipod_atom_mhit_set_attribute(track, 2018, 7);
  ipod_atom_mhit_set_attribute(track, 2025, 0x11111111);
  ipod_atom_mhit_set_attribute(track, 2026, 0x22222222);
  ipod_atom_mhit_set_attribute(track, 2100, 0);
  ipod_atom_mhit_set_text_utf8(track, 1, "T");
  ipod_atom_prepare_to_write(track, nullptr, 0);
  Bytes v11 = write_atom(track, 11), v14 = write_atom(track, 14);
  EXPECT_EQ(le32(v11, 4), 156u);
  EXPECT_EQ(le32(v14, 4), 244u);
  EXPECT_EQ(le32(v14, 12), 1u);
  EXPECT_EQ(le32(v14, 32), 2082844800u);
  EXPECT_EQ(le32(v14, 84), 7u);
  float rate;
  std::memcpy(&rate, v14.data() + 136, 4);
  EXPECT_EQ(rate, 44100.0f);
  EXPECT_EQ(le32(v14, 168), 0x11111111u);
  EXPECT_EQ(le32(v14, 172), 0x22222222u);
  EXPECT_EQ(le32(v14, 164), 2u);
  EXPECT_EQ(le32(v14, 176), 0x10000u);
  EXPECT_EQ(ipod_atom_mhit_get_attribute(track, 2100), 0u);
  EXPECT_EQ(ipod_atom_mhit_get_attribute(track, 2006), 2082844800u);
  // One- and two-byte fields keep only their low bits.
  ipod_atom_mhit_set_attribute(track, 2004, 0x1FF);
  EXPECT_EQ(ipod_atom_mhit_get_attribute(track, 2004), 0xFFu);
  ipod_atom_free(track);
}

TEST(Track, HeaderBytesBeyondTheKnownFieldsSurvive) {
  ipod_atom track = ipod_atom_new_for_tag(IPOD_TAG_MHIT, 0);
  ipod_atom_mhit_set_text_utf8(track, 1, "x");
  Bytes b = write_atom(track, 14);
  ipod_atom_free(track);
  // A 584-byte header as other programs write it.
  Bytes wide(b.begin(), b.begin() + 244);
  for (int i = 0; i < 340; i++) wide.push_back((unsigned char)(i * 3));
  wide.insert(wide.end(), b.begin() + 244, b.end());
  wide[4] = 584 & 0xFF;
  wide[5] = 584 >> 8;
  uint32_t total = (uint32_t)wide.size();
  std::memcpy(wide.data() + 8, &total, 4);
  for (uint32_t version : {14u, 11u}) {
    ipod_atom again = read_atom(wide, version);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(write_atom(again, version), wide) << version;
    ipod_atom_free(again);
  }
}

TEST(Track, TextsAndTheirErrors) {
  ErrorCapture errors;
  ipod_atom track = ipod_atom_new_for_tag(IPOD_TAG_MHIT, 0);
  ipod_atom_mhit_set_text_utf8(track, 2, ":first");
  ipod_atom_mhit_set_text_utf8(track, 2, ":iPod_Control:Music:F01:\xc3\x89T\xc3\x89.mp3");
  auto *d = static_cast<ipod_atom_mhit_struct *>(track->data);
  EXPECT_EQ(d->children->count, 1u);
  ipod_string s = ipod_atom_mhit_get_text_utf8(track, 2, nullptr);
  EXPECT_STREQ(s, ":iPod_Control:Music:F01:\xc3\x89T\xc3\x89.mp3");
  EXPECT_EQ(ipod_atom_mhit_has_text(track, 2), 1);
  EXPECT_EQ(ipod_atom_mhit_has_text(track, 1), 0);
  s = ipod_atom_mhit_get_text_utf8(track, 1, s);
  EXPECT_STREQ(s, "");
  ipod_atom_mhit_set_text_utf8(track, 60, "x");
  EXPECT_TRUE(errors.contains("ipod_atom_mhit_set_text_utf8(): Non-string type 60\n"));
  ipod_atom_mhit_set_text_utf8(track, 15, "http://x");
  EXPECT_TRUE(errors.contains("ipod_atom_new_mhod_url(): Not yet implemented\n"));
  EXPECT_EQ(ipod_atom_mhit_get_attribute(track, 1999), 0u);
  EXPECT_TRUE(errors.contains("ipod_atom_mhit_get_attribute(): Invalid tag 1999\n"));
  ipod_atom_mhit_set_attribute(nullptr, 2000, 1);
  EXPECT_TRUE(errors.contains("ipod_atom_mhit_set_attribute(): Invalid track atom\n"));
  ipod_string_free(s);
  ipod_atom_free(track);
}

TEST(DataObject, RawObjectsSurviveByteForByte) {
  Bytes raw = {'m', 'h', 'o', 'd', 24, 0, 0, 0, 0, 0, 0, 0, 50, 0, 0, 0, 9, 0, 0, 0, 8, 0, 0, 0};
  for (int i = 0; i < 37; i++) raw.push_back((unsigned char)(i * 11 + 1));
  uint32_t total = (uint32_t)raw.size();
  std::memcpy(raw.data() + 8, &total, 4);
  ipod_atom atom = read_atom(raw, 14);
  ASSERT_NE(atom, nullptr);
  EXPECT_EQ(write_atom(atom, 14), raw);
  ipod_atom copy = ipod_atom_copy(atom);
  EXPECT_EQ(write_atom(copy, 14), raw);
  ipod_atom_free(copy);
  ipod_atom_free(atom);
}

TEST(DataObject, DamagedObjectsFailToRead) {
  ErrorCapture errors;
  ipod_atom text = ipod_atom_new_mhod_string(1, "abc");
  Bytes good = write_atom(text, 14);
  ipod_atom_free(text);
  Bytes long_text = good;
  long_text[28] = 200;  // text length beyond the atom
  Bytes short_total = good;
  short_total[8] = 20;  // total smaller than the header
  for (const Bytes &bad : {long_text, short_total, Bytes(good.begin(), good.end() - 2)}) {
    EXPECT_EQ(read_atom(bad, 14), nullptr);
  }
}

TEST(LibraryIndex, OrdinalOrderAndMissingTitlesLast) {
  ErrorCapture errors;
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  add_track(root, 100, "b");
  add_track(root, 102, "A");
  add_track(root, 104, "a");
  add_track(root, 106, nullptr);
  add_track(root, 108, "Zz");
  ipod_atom_prepare_to_write(root, root, 0);
  auto *m = static_cast<ipod_atom_mhyp_struct *>(master_of(root)->data);
  auto *by_title = static_cast<ipod_atom_mhod_struct *>(m->data_objects->items[1]->data);
  ASSERT_EQ(by_title->body.library_index.sort_field, 3u);
  ASSERT_EQ(by_title->body.library_index.count, 5u);
  std::vector<uint32_t> order(by_title->body.library_index.positions, by_title->body.library_index.positions + 5);
  EXPECT_EQ(order, (std::vector<uint32_t>{1, 4, 2, 0, 3}));
  // Written and read back as part of the file.
  Bytes b = write_atom(root, 0);
  ipod_atom again = read_atom(b, 0);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(write_atom(again, 0), b);
  ipod_atom_free(again);
  ipod_atom_free(root);
}

TEST(Playlist, MasterCompletionAndRemovalReports) {
  ErrorCapture errors;
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  for (uint32_t id : {1000u, 1002u, 1004u}) add_track(root, id, "t");
  ipod_atom master = master_of(root);
  ipod_atom other = ipod_atom_new_for_tag(IPOD_TAG_MHYP, 0);
  ipod_atom_list_append(ipod_atom_mhbd_playlist_list(root), other);
  for (uint32_t id : {1004u, 999u, 1000u, 998u}) ipod_atom_mhip_set_attribute(ipod_atom_mhyp_new_track_item(other), 4002, id);

  ipod_atom_prepare_to_write(root, root, 0);
  // Both playlist data sets are prepared (the podcast copy too), so each
  // report comes twice.
  EXPECT_EQ(errors.count("ipod_atom_mhyp_check_master_playlist(): Adding missing track 1000 to master playlist\n"), 2u);
  EXPECT_EQ(errors.count("Adding missing track"), 6u);
  EXPECT_EQ(errors.count("ipod_atom_mhyp_check_playlist(): Removing missing track 999 from playlist\n"), 2u);
  EXPECT_EQ(errors.count("Removing missing track"), 4u);
  ASSERT_EQ(ipod_atom_mhyp_track_item_count(master), 3u);
  for (int i = 0; i < 3; i++)
    EXPECT_EQ(ipod_atom_mhip_get_attribute(ipod_atom_mhyp_get_track_item_by_index(master, i), 4002), 1000u + 2 * i);
  ASSERT_EQ(ipod_atom_mhyp_track_item_count(other), 2u);
  EXPECT_EQ(ipod_atom_mhip_get_attribute(ipod_atom_mhyp_get_track_item_by_index(other, 0), 4002), 1004u);
  EXPECT_EQ(ipod_atom_mhip_get_attribute(ipod_atom_mhyp_get_track_item_by_index(other, 1), 4002), 1000u);
  // A second pass finds nothing to do.
  errors.messages.clear();
  ipod_atom_prepare_to_write(root, root, 0);
  EXPECT_TRUE(errors.messages.empty());
  ipod_atom_free(root);
}

TEST(Playlist, PositionObjectsByVersion) {
  ErrorCapture errors;
  for (uint32_t version : {12u, 13u}) {
    ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, version);
    for (uint32_t id : {1000u, 1002u}) add_track(root, id, "t");
    ipod_atom master = master_of(root);
    ipod_atom_prepare_to_write(root, root, 0);
    ipod_atom_mhip_set_attribute(ipod_atom_mhyp_get_track_item_by_index(master, 0), 4001, 77);
    Bytes b = write_atom(root, 0);
    std::vector<size_t> items = find_tags(b, "mhip");
    ASSERT_GE(items.size(), 2u);
    size_t item = items[items.size() - 2];  // the playlist data set is written last
    if (version == 12) {
      EXPECT_EQ(le32(b, item + 8), 76u);
      size_t position = item + 76;
      EXPECT_EQ(std::string(b.begin() + position, b.begin() + position + 4), "mhod");
      EXPECT_EQ(le32(b, position + 8), 44u);
      EXPECT_EQ(le32(b, position + 12), 100u);
      EXPECT_EQ(le32(b, position + 24), 0u);
      EXPECT_EQ(le32(b, items.back() + 76 + 24), 1u);
    } else {
      EXPECT_EQ(le32(b, item + 8), 120u);
      EXPECT_EQ(le32(b, item + 76 + 24), 77u);
    }
    // Reading drops the position objects; writing makes them again.
    ipod_atom again = read_atom(b, 0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ipod_atom_mhyp_track_item_count(master_of(again)), 2u);
    EXPECT_EQ(write_atom(again, 0), b);
    ipod_atom_free(again);
    ipod_atom_free(root);
  }
}

TEST(Presets, BuiltInTableAndReading) {
  ErrorCapture errors;
  ipod_atom presets = ipod_atom_new_for_tag(IPOD_TAG_MQED, 0);
  ASSERT_EQ(ipod_atom_mqed_preset_count(presets), 22u);
  ipod_string name = ipod_atom_pqed_get_text_utf8(ipod_atom_mqed_get_preset_by_index(presets, 0), 1, nullptr);
  EXPECT_STREQ(name, "Acoustic");
  name = ipod_atom_pqed_get_text_utf8(ipod_atom_mqed_get_preset_by_index(presets, 21), 1, name);
  EXPECT_STREQ(name, "Vocal Booster");
  ipod_string_free(name);
  ipod_atom acoustic = ipod_atom_mqed_get_preset_by_index(presets, 0);
  EXPECT_EQ(ipod_atom_pqed_get_attribute(acoustic, 5001), 500);
  EXPECT_EQ(ipod_atom_pqed_get_attribute(acoustic, 5015), 300);
  EXPECT_EQ(ipod_atom_pqed_get_attribute(ipod_atom_mqed_get_preset_by_index(presets, 2), 5001), -550);

  // The file as written holds the header and every preset; read back the same.
  Bytes b = write_atom(presets, 0);
  ASSERT_EQ(b.size(), 104u + 22 * 588);
  EXPECT_EQ(le32(b, 16), 22u);
  EXPECT_EQ(le32(b, 20), 588u);
  ipod_atom again = read_atom(b, 0);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(write_atom(again, 0), b);
  ipod_atom_free(again);

  // Odd counts and sizes are reported and read all the same; a long name
  // is cut at the field's 255 units.
  Bytes odd = b;
  odd[20] = 0x50;             // preset size
  odd[104 + 520] = 9;         // first band count
  odd[104 + 564] = 6;         // second band count
  odd[104 + 4] = 0xFF;        // name length 0x1FF units
  odd[104 + 5] = 0x01;
  errors.messages.clear();
  again = read_atom(odd, 0);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(errors.contains("ipod_atom_read_mqed(): unexpected child size (592)\n"));
  EXPECT_TRUE(errors.contains("ipod_atom_read_pqed(): bad count for band0 (9, 0x9)\n"));
  EXPECT_TRUE(errors.contains("ipod_atom_read_pqed(): bad count for band1 (6, 0x6)\n"));
  ipod_atom first = ipod_atom_mqed_get_preset_by_index(again, 0);
  EXPECT_EQ(ipod_atom_pqed_get_attribute(first, 5001), 500);
  name = ipod_atom_pqed_get_text_utf8(first, 1, nullptr);
  EXPECT_EQ(strncmp(name, "Acoustic", 8), 0);
  ipod_string_free(name);
  EXPECT_EQ(ipod_atom_mqed_preset_count(again), 22u);
  ipod_atom_free(again);
  ipod_atom_free(presets);
}

TEST(Atoms, CopiesAndFreesBalance) {
  ErrorCapture errors;
  unsigned long atoms = ipod_atom_allocs - ipod_atom_frees;
  unsigned long memory = ipod_memory_allocs - ipod_memory_frees;
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  add_track(root, 1000, "x");
  ipod_atom copy = ipod_atom_copy(root);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(prepare_and_write(copy, 0), prepare_and_write(root, 0));
  ipod_atom_free(copy);
  ipod_atom_free(root);
  EXPECT_EQ(ipod_atom_allocs - ipod_atom_frees, atoms);
  EXPECT_EQ(ipod_memory_allocs - ipod_memory_frees, memory);
}

// Grows an atom's header by `extra` pattern bytes at its end, fixing the
// header and total sizes.
static Bytes widen_header(const Bytes &atom, uint32_t extra) {
  uint32_t header = le32(atom, 4);
  Bytes wide(atom.begin(), atom.begin() + header);
  for (uint32_t i = 0; i < extra; i++) wide.push_back((unsigned char)(0xC0 + i));
  wide.insert(wide.end(), atom.begin() + header, atom.end());
  uint32_t h = header + extra, total = le32(atom, 8) + extra;
  std::memcpy(wide.data() + 4, &h, 4);
  std::memcpy(wide.data() + 8, &total, 4);
  return wide;
}

TEST(Playlist, HeaderBytesBeyondTheKnownFieldsSurvive) {
  ipod_atom playlist = ipod_atom_new_for_tag(IPOD_TAG_MHYP, 0);
  ipod_atom_mhyp_set_text_utf8(playlist, 1, "List");
  ipod_atom item = ipod_atom_new_for_tag(IPOD_TAG_MHIP, 0);
  ipod_atom_mhip_set_attribute(item, 4002, 1234);
  for (uint32_t version : {12u, 14u}) {
    Bytes wide_item = widen_header(write_atom(item, version), 24);
    ipod_atom again = read_atom(wide_item, version);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(write_atom(again, version), wide_item);
    ipod_atom_free(again);
  }
  Bytes wide_playlist = widen_header(write_atom(playlist, 14), 76);
  ipod_atom again = read_atom(wide_playlist, 14);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(write_atom(again, 14), wide_playlist);
  ipod_atom_free(again);
  ipod_atom_free(item);
  ipod_atom_free(playlist);
}

TEST(Database, UnknownDataSetsAreKeptInPlace) {
  ErrorCapture errors;
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  Bytes b = prepare_and_write(root, 0);
  ipod_atom_free(root);
  // A data set of type 4 holding an album list, between tracks and podcasts.
  Bytes album_set = {'m', 'h', 's', 'd', 96, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0};
  album_set.resize(96, 0);
  Bytes album_list = {'m', 'h', 'l', 'a', 92, 0, 0, 0, 0, 0, 0, 0};
  album_list.resize(92, 0x5A);
  album_set.insert(album_set.end(), album_list.begin(), album_list.end());
  album_set[8] = (unsigned char)album_set.size();
  size_t first = le32(b, 4), second = first + le32(b, first + 8);
  Bytes with(b.begin(), b.begin() + second);
  with.insert(with.end(), album_set.begin(), album_set.end());
  with.insert(with.end(), b.begin() + second, b.end());
  with[20] = 4;  // data set count
  uint32_t total = (uint32_t)with.size();
  std::memcpy(with.data() + 8, &total, 4);
  ipod_atom again = read_atom(with, 0);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(prepare_and_write(again, 0), with);
  ipod_atom_free(again);
}

TEST(Database, EndlessNestingFailsCleanly) {
  ErrorCapture errors;
  // Data sets that each hold a database root that holds a data set ...
  Bytes b;
  const int levels = 5000;
  for (int i = 0; i < levels; i++) {
    Bytes root = {'m', 'h', 'b', 'd', 36, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 14, 0, 0, 0, 1, 0, 0, 0};
    root.resize(36, 0);
    Bytes set = {'m', 'h', 's', 'd', 16, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    b.insert(b.end(), root.begin(), root.end());
    b.insert(b.end(), set.begin(), set.end());
  }
  for (int i = 0; i < levels; i++) {
    uint32_t rest = (uint32_t)(b.size() - (size_t)i * 52);
    uint32_t set_rest = rest - 36;
    std::memcpy(b.data() + (size_t)i * 52 + 8, &rest, 4);
    std::memcpy(b.data() + (size_t)i * 52 + 36 + 8, &set_rest, 4);
  }
  EXPECT_EQ(read_atom(b, 0), nullptr);
  EXPECT_TRUE(errors.contains("ipod_atom_read_next(): Atoms nested too deeply\n"));
}

TEST(Database, ShortReadsAndFailingStreams) {
  ErrorCapture errors;
  ipod_atom root = ipod_atom_new_for_tag(IPOD_TAG_MHBD, 0);
  for (uint32_t id : {1000u, 1002u, 1004u}) add_track(root, id, "Title \xc3\xa9");
  ipod_atom_mhit_set_text_utf8(ipod_atom_list_get(ipod_atom_mhbd_track_list(root), 1), 4, "Artist");
  Bytes b = prepare_and_write(root, 0);
  ipod_atom_free(root);
  // A stream that hands out three bytes per call reads the same tree.
  {
    TestStream s(b);
    s.max_chunk = 3;
    ipod_atom again = ipod_atom_read_next(s.io, 0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(write_atom(again, 0), b);
    ipod_atom_free(again);
  }
  // A stream that fails part-way makes the read fail, at any point.
  unsigned long atoms = ipod_atom_allocs - ipod_atom_frees;
  long calls;
  {
    TestStream s(b);
    ipod_atom again = ipod_atom_read_next(s.io, 0);
    calls = s.calls;
    ipod_atom_free(again);
  }
  for (long at = 0; at < calls; at++) {
    TestStream s(b);
    s.calls_left = at;
    EXPECT_EQ(ipod_atom_read_next(s.io, 0), nullptr) << at;
  }
  EXPECT_EQ(ipod_atom_allocs - ipod_atom_frees, atoms);
}
