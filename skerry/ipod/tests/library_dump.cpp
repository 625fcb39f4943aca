#include "library_dump.h"

#include <cstdio>

static void text(std::string &out, ipod_track_t t, const char *key, int type) {
  ipod_string s = ipod_track_get_text(t, type, nullptr);
  if (s[0]) out += std::string(" ") + key + "=" + s;
  ipod_string_free(s);
}

std::string dump_library(ipod_t ipod) {
  std::string out;
  char buffer[512];
  for (uint32_t i = 0; i < ipod_track_count(ipod); i++) {
    ipod_track_t t = ipod_track_get_by_index(ipod, (int)i);
    snprintf(buffer, sizeof buffer, "track id=%u", ipod_track_get_attribute(t, IPOD_TRACK_ID));
    out += buffer;
    text(out, t, "title", IPOD_TITLE);
    text(out, t, "location", IPOD_LOCATION);
    text(out, t, "album", IPOD_ALBUM);
    text(out, t, "artist", IPOD_ARTIST);
    text(out, t, "genre", IPOD_GENRE);
    text(out, t, "filetype", IPOD_FILETYPE);
    text(out, t, "comment", IPOD_COMMENT);
    text(out, t, "composer", IPOD_COMPOSER);
    snprintf(buffer, sizeof buffer,
             " size=%u length=%d number=%d total=%d year=%d bitrate=%d samplerate=%u disc=%d/%d playcount=%u "
             "rating=%u\n",
             ipod_track_get_attribute(t, IPOD_TRACK_SIZE), (int)ipod_track_get_attribute(t, IPOD_TRACK_LENGTH),
             (int)ipod_track_get_attribute(t, IPOD_TRACK_NUMBER), (int)ipod_track_get_attribute(t, IPOD_TRACK_TOTAL),
             (int)ipod_track_get_attribute(t, IPOD_TRACK_YEAR), (int)ipod_track_get_attribute(t, IPOD_TRACK_BITRATE),
             ipod_track_get_attribute(t, IPOD_TRACK_SAMPLE_RATE),
             (int)ipod_track_get_attribute(t, IPOD_TRACK_DISC_NUMBER),
             (int)ipod_track_get_attribute(t, IPOD_TRACK_DISC_TOTAL),
             ipod_track_get_attribute(t, IPOD_TRACK_PLAY_COUNT), ipod_track_get_attribute(t, IPOD_TRACK_RATING));
    out += buffer;
    ipod_track_free(t);
  }
  for (uint32_t i = 0; i < ipod_playlist_count(ipod); i++) {
    ipod_playlist_t p = ipod_playlist_get_by_index(ipod, (int)i);
    ipod_string name = ipod_playlist_get_text(p, IPOD_TITLE, nullptr);
    out += std::string("playlist name=") + name + " master=" +
           (ipod_playlist_get_attribute(p, IPOD_PLAYLIST_HIDDEN) ? "1" : "0") + " items=";
    ipod_string_free(name);
    for (uint32_t k = 0; k < ipod_track_item_count(p); k++) {
      ipod_track_item_t item = ipod_track_item_get_by_index(p, (int)k);
      out += std::to_string(ipod_track_item_get_attribute(item, IPOD_TRACK_ITEM_TRACK_ID)) + ",";
      ipod_track_item_free(item);
    }
    out += "\n";
    ipod_playlist_free(p);
  }
  return out;
}
