// The library indexes written for a database read from a file (texts still
// in the file image) and for one built in memory agree with a plain ordinal
// sort of the texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "atom_bytes.h"
#include "device_fixture.h"
#include "ipod.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhod.h"
#include "ipod_atom_mhyp.h"

namespace {

std::vector<uint16_t> units_of(const std::string &utf8) {
  size_t n = 0;
  uint16_t *u = ipod_string_utf16_from_utf8(utf8.c_str(), &n);
  std::vector<uint16_t> r(u, u + ipod_string_utf8_to_utf16(utf8.c_str(), u, n));
  ipod_memory_free(u);
  return r;
}

// The expected order: by text (a missing text as "~~~~~"), then track order.
std::vector<uint32_t> reference(const std::vector<std::pair<bool, std::string>> &texts) {
  std::vector<uint32_t> order(texts.size());
  for (uint32_t i = 0; i < order.size(); i++) order[i] = i;
  auto key = [&](uint32_t i) { return texts[i].first ? units_of(texts[i].second) : units_of("~~~~~"); };
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    auto x = key(a), y = key(b);
    return ipod_string_compare_utf16(x.data(), x.size(), y.data(), y.size()) < 0;
  });
  return order;
}

}  // namespace

TEST(LibraryIndex, AgreesWithAPlainSortForFileAndMemoryTexts) {
  DeviceFolder folder;
  ErrorCapture quiet;
  const char *pieces[] = {"a", "A", "\xc3\xa9", "Z", "\xe6\x97\xa5", "ab", " ", "~", "~~~~~"};
  std::mt19937 random(5);
  const int types[5] = {IPOD_TITLE, IPOD_ALBUM, IPOD_ARTIST, IPOD_GENRE, IPOD_COMPOSER};
  std::vector<std::pair<bool, std::string>> texts[5];
  ipod_t ipod = ipod_new(folder.root().c_str());
  for (int i = 0; i < 300; i++) {
    ipod_track_t t = ipod_track_add(ipod);
    for (int f = 0; f < 5; f++) {
      bool present = random() % 7 != 0;
      std::string text;
      for (unsigned k = random() % (f == 0 ? 6 : 2); k-- > 0;) text += pieces[random() % 9];
      if (present) ipod_track_set_text(t, types[f], text.c_str());
      texts[f].emplace_back(present, text);
    }
    ipod_track_free(t);
  }
  for (int pass = 0; pass < 2; pass++) {
    // First from memory, then once more after reading the file back.
    if (pass == 1) {
      ipod_free(ipod);
      ipod = ipod_new(folder.root().c_str());
      ipod_track_t t = ipod_track_get_by_index(ipod, 0);
      ipod_track_set_attribute(t, IPOD_TRACK_RATING, 20);
      ipod_track_free(t);
    }
    ASSERT_EQ(ipod_flush(ipod), 0);
    ipod_atom root = read_atom(read_file(folder.database()), 0);
    ASSERT_NE(root, nullptr);
    auto *master = static_cast<ipod_atom_mhyp_struct *>(
        ipod_atom_list_get(ipod_atom_mhbd_playlist_list(root), 0)->data);
    const uint32_t fields[5] = {3, 4, 5, 7, 18};
    for (int f = 0; f < 5; f++) {
      SCOPED_TRACE(fields[f]);
      const ipod_atom_mhod_library_index_struct *index = nullptr;
      for (uint32_t k = 0; k < master->data_objects->count; k++) {
        auto *o = static_cast<ipod_atom_mhod_struct *>(master->data_objects->items[k]->data);
        if (o->type == 52 && o->body.library_index.sort_field == fields[f]) index = &o->body.library_index;
      }
      ASSERT_NE(index, nullptr);
      EXPECT_EQ(std::vector<uint32_t>(index->positions, index->positions + index->count), reference(texts[f]));
    }
    ipod_atom_free(root);
  }
  ipod_free(ipod);
}
