// ipod-demo-device <folder> [--model N]
//
// Makes a demo iPod in <folder>: iPod_Control/Device/SysInfo (a
// fifth-generation model line, "ModelNumStr: MA147" unless --model gives
// another number), the music folders iPod_Control/Music/F00 to F19 and an
// iTunesDB written by the library: ten tracks by three artists on four
// albums, each with a tiny placeholder MP3 file (ID3 tags and a few silent
// frames) at its own location, and two playlists. Prints what it made.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "ipod.h"

namespace {

struct DemoTrack {
  const char *title, *artist, *album, *genre;
  int number, total, year, seconds;
};

const DemoTrack demo_tracks[] = {
    {"Harbour Lights", "The Skerries", "Low Tide", "Rock", 1, 3, 2004, 214},
    {"Salt and Rope", "The Skerries", "Low Tide", "Rock", 2, 3, 2004, 187},
    {"Lighthouse Keeper", "The Skerries", "Low Tide", "Rock", 3, 3, 2004, 242},
    {"North Wind", "The Skerries", "Spring Swell", "Rock", 1, 2, 2006, 199},
    {"Fog Signal", "The Skerries", "Spring Swell", "Rock", 2, 2, 2006, 263},
    {"Quiet Room", "Ada Lindqvist", "Paper Boats", "Jazz", 1, 3, 2005, 305},
    {"Blue Hour", "Ada Lindqvist", "Paper Boats", "Jazz", 2, 3, 2005, 276},
    {"Little Waltz", "Ada Lindqvist", "Paper Boats", "Jazz", 3, 3, 2005, 158},
    {"Circuit Bloom", "Nordlicht", "Kaltes Feuer", "Electronic", 1, 2, 2003, 331},
    {"Polar Drift", "Nordlicht", "Kaltes Feuer", "Electronic", 2, 2, 2003, 298},
};

bool make_dir(const std::string &path) { return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST; }

bool make_dirs(const std::string &path) {
  for (size_t i = 1; i <= path.size(); i++)
    if ((i == path.size() || path[i] == '/') && !make_dir(path.substr(0, i))) return false;
  return true;
}

void put_frame(std::vector<unsigned char> &out, const char *id, const std::string &text) {
  uint32_t size = (uint32_t)text.size() + 1;
  out.insert(out.end(), id, id + 4);
  for (int shift : {24, 16, 8, 0}) out.push_back((unsigned char)(size >> shift));
  out.push_back(0);
  out.push_back(0);
  out.push_back(0);  // ISO-8859-1
  out.insert(out.end(), text.begin(), text.end());
}

void put_fixed(std::vector<unsigned char> &out, const std::string &text, size_t width) {
  for (size_t i = 0; i < width; i++) out.push_back(i < text.size() ? (unsigned char)text[i] : 0);
}

// An ID3v2.3 tag, twenty silent MPEG-1 Layer III frames (128 kbit/s,
// 44100 Hz) and an ID3v1.1 tag.
std::vector<unsigned char> placeholder_mp3(const DemoTrack &t, int genre_index) {
  std::vector<unsigned char> frames;
  put_frame(frames, "TIT2", t.title);
  put_frame(frames, "TPE1", t.artist);
  put_frame(frames, "TALB", t.album);
  put_frame(frames, "TCON", t.genre);
  put_frame(frames, "TYER", std::to_string(t.year));
  put_frame(frames, "TRCK", std::to_string(t.number) + "/" + std::to_string(t.total));
  std::vector<unsigned char> out = {'I', 'D', '3', 3, 0, 0};
  uint32_t size = (uint32_t)frames.size();
  for (int shift : {21, 14, 7, 0}) out.push_back((unsigned char)((size >> shift) & 0x7F));
  out.insert(out.end(), frames.begin(), frames.end());
  for (int i = 0; i < 20; i++) {
    const unsigned char header[4] = {0xFF, 0xFB, 0x90, 0x00};
    out.insert(out.end(), header, header + 4);
    out.insert(out.end(), 417 - 4, 0);
  }
  out.insert(out.end(), {'T', 'A', 'G'});
  put_fixed(out, t.title, 30);
  put_fixed(out, t.artist, 30);
  put_fixed(out, t.album, 30);
  put_fixed(out, std::to_string(t.year), 4);
  put_fixed(out, "", 28);
  out.push_back(0);
  out.push_back((unsigned char)t.number);
  out.push_back((unsigned char)genre_index);
  return out;
}

int genre_index(const char *genre) {
  if (!strcmp(genre, "Rock")) return 17;
  if (!strcmp(genre, "Jazz")) return 8;
  return 52;  // Electronic
}

void quiet(void *, const char *, va_list) {}

}  // namespace

int main(int argc, char **argv) {
  std::string folder, model = "MA147";
  for (int i = 1; i < argc; i++) {
    if (!strcmp(argv[i], "--model") && i + 1 < argc)
      model = argv[++i];
    else if (folder.empty() && argv[i][0] != '-')
      folder = argv[i];
    else {
      fprintf(stderr, "usage: ipod-demo-device <folder> [--model N]\n");
      return 2;
    }
  }
  if (folder.empty()) {
    fprintf(stderr, "usage: ipod-demo-device <folder> [--model N]\n");
    return 2;
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::string control = folder + "/iPod_Control";
  struct stat st;
  if (stat((control + "/iTunes/iTunesDB").c_str(), &st) == 0) {
    fprintf(stderr, "ipod-demo-device: %s already holds a music database\n", folder.c_str());
    return 1;
  }
  bool ok = make_dirs(control + "/Device") && make_dirs(control + "/iTunes");
  for (int i = 0; ok && i < 20; i++) {
    char name[8];
    snprintf(name, sizeof name, "F%02d", i);
    ok = make_dirs(control + "/Music/" + name);
  }
  FILE *sysinfo = ok ? fopen((control + "/Device/SysInfo").c_str(), "wb") : nullptr;
  if (!sysinfo) {
    fprintf(stderr, "ipod-demo-device: cannot create folders in %s\n", folder.c_str());
    return 1;
  }
  fprintf(sysinfo, "BoardHwName: iPod Q9\nModelNumStr: %s\nvisibleBuildID: 0x01608000 (1.1)\n", model.c_str());
  fclose(sysinfo);

  ipod_error_set_func(quiet, nullptr);  // "creating" notices of a new database
  ipod_t ipod = ipod_new(folder.c_str());
  if (!ipod) {
    fprintf(stderr, "ipod-demo-device: cannot open %s\n", folder.c_str());
    return 1;
  }
  ipod_error_set_func(nullptr, nullptr);
  printf("demo iPod in %s (ModelNumStr: %s)\n", folder.c_str(), model.c_str());
  std::vector<uint32_t> ids;
  for (const DemoTrack &t : demo_tracks) {
    std::vector<unsigned char> mp3 = placeholder_mp3(t, genre_index(t.genre));
    ipod_track_t track = ipod_track_add(ipod);
    ipod_string location = ipod_unique_track_location_wrapper(ipod, ".mp3");
    ipod_track_set_text(track, IPOD_TITLE, t.title);
    ipod_track_set_text(track, IPOD_ARTIST, t.artist);
    ipod_track_set_text(track, IPOD_ALBUM, t.album);
    ipod_track_set_text(track, IPOD_GENRE, t.genre);
    ipod_track_set_text(track, IPOD_FILETYPE, "MPEG audio file");
    ipod_track_set_text(track, IPOD_LOCATION, location);
    ipod_track_set_attribute(track, IPOD_TRACK_SIZE, (uint32_t)mp3.size());
    ipod_track_set_attribute(track, IPOD_TRACK_LENGTH, (uint32_t)t.seconds * 1000);
    ipod_track_set_attribute(track, IPOD_TRACK_NUMBER, (uint32_t)t.number);
    ipod_track_set_attribute(track, IPOD_TRACK_TOTAL, (uint32_t)t.total);
    ipod_track_set_attribute(track, IPOD_TRACK_YEAR, (uint32_t)t.year);
    ipod_track_set_attribute(track, IPOD_TRACK_BITRATE, 128);
    ipod_track_set_attribute(track, IPOD_TRACK_SAMPLE_RATE, 44100);
    ipod_track_set_attribute(track, IPOD_TRACK_VBR, 0x100);
    ipod_string path = ipod_track_get_text(track, IPOD_FULL_PATH, nullptr);
    FILE *f = fopen(path, "wb");
    if (!f || fwrite(mp3.data(), 1, mp3.size(), f) != mp3.size()) {
      fprintf(stderr, "ipod-demo-device: cannot write %s\n", path);
      return 1;
    }
    fclose(f);
    uint32_t id = ipod_track_get_attribute(track, IPOD_TRACK_ID);
    ids.push_back(id);
    printf("track %u: %s / %s / %s (%s, %d, track %d of %d, %d:%02d) at %s\n", id, t.artist, t.album, t.title,
           t.genre, t.year, t.number, t.total, t.seconds / 60, t.seconds % 60, location);
    ipod_string_free(path);
    ipod_string_free(location);
    ipod_track_free(track);
  }
  struct DemoPlaylist {
    const char *name;
    std::vector<int> tracks;
  } playlists[] = {{"Favourites", {0, 5, 8}}, {"Road Trip", {3, 4, 9, 1}}};
  for (const DemoPlaylist &p : playlists) {
    ipod_playlist_t playlist = ipod_playlist_add(ipod);
    ipod_playlist_set_text(playlist, IPOD_TITLE, p.name);
    printf("playlist %s:", p.name);
    for (int index : p.tracks) {
      ipod_track_item_t item = ipod_track_item_add(playlist);
      ipod_track_item_set_attribute(item, IPOD_TRACK_ITEM_TRACK_ID, ids[(size_t)index]);
      ipod_track_item_free(item);
      printf(" %u", ids[(size_t)index]);
    }
    printf("\n");
    ipod_playlist_free(playlist);
  }
  ipod_error_set_func(quiet, nullptr);  // the master playlist's completion notices
  int result = ipod_flush(ipod);
  ipod_error_set_func(nullptr, nullptr);
  ipod_free(ipod);
  if (result != 0) {
    fprintf(stderr, "ipod-demo-device: cannot write the database\n");
    return 1;
  }
  printf("database %s/iTunes/iTunesDB: %zu tracks, 3 artists, 4 albums, 2 playlists\n", control.c_str(),
         sizeof demo_tracks / sizeof demo_tracks[0]);
  return 0;
}
