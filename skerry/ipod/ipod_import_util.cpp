#include "ipod_import_util.h"

#include <cstring>

#include "ipod_music_tables.h"

void ipod_import_set_text(ipod_track_t track, int type, ipod_string text) {
  if (!text) return;
  if (text[0]) ipod_track_set_text(track, type, text);
  ipod_string_free(text);
}

ipod_string ipod_import_latin1_text(const unsigned char *bytes, size_t length) {
  size_t n = 0;
  while (n < length && bytes[n]) n++;
  ipod_string latin1 = ipod_string_new_from_array(reinterpret_cast<const char *>(bytes), n);
  if (!latin1 || !latin1[0]) return latin1;
  char *utf8 = ipod_string_utf8_from_iso8859(latin1);
  ipod_string_free(latin1);
  if (!utf8) return nullptr;
  ipod_string text = ipod_string_new_from(utf8);
  ipod_memory_free(utf8);
  return text;
}

ipod_string ipod_import_utf16_text(const uint16_t *units, size_t count) {
  size_t n = 0;
  while (n < count && units[n]) n++;
  if (n == 0) return ipod_string_new();
  char *utf8 = ipod_string_utf8_from_utf16(units, n);
  if (!utf8) return nullptr;
  ipod_string text = ipod_string_new_from(utf8);
  ipod_memory_free(utf8);
  return text;
}

// Reads leading decimal digits (after blanks); false when there are none.
static bool read_number(const char *&p, uint32_t *value) {
  while (*p == ' ') p++;
  if (*p < '0' || *p > '9') return false;
  uint64_t v = 0;
  while (*p >= '0' && *p <= '9') {
    if (v < 0xFFFFFFFFu) v = v * 10 + (uint64_t)(*p - '0');
    p++;
  }
  *value = v > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)v;
  return true;
}

void ipod_import_set_genre_text(ipod_track_t track, const char *text) {
  if (!text || !text[0]) return;
  const char *p = text[0] == '(' ? text + 1 : text;
  uint32_t index = 0;
  bool numbered = read_number(p, &index) && (text[0] == '(' ? *p == ')' : *p == 0);
  if (!numbered) {
    ipod_track_set_text(track, IPOD_GENRE, text);
    return;
  }
  // A reference outside the list names nothing.
  const char *name = ipod_music_genre_name(index);
  if (name) ipod_track_set_text(track, IPOD_GENRE, name);
}

void ipod_import_number_pair(const char *text, uint32_t *first, uint32_t *second) {
  *first = *second = 0;
  if (!text || !read_number(text, first)) return;
  if (*text == '/') {
    text++;
    read_number(text, second);
  }
}
