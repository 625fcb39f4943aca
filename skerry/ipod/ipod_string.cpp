#include "ipod_string.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <cstring>

unsigned long ipod_string_allocs = 0;
unsigned long ipod_string_frees = 0;

static ipod_string new_block(const char *bytes, size_t length) {
  char *s = static_cast<char *>(ipod_memory_alloc(length + 1));
  if (!s) return nullptr;
  if (length) std::memcpy(s, bytes, length);
  s[length] = 0;
  ipod_string_allocs++;
  return s;
}

ipod_string ipod_string_new(void) { return new_block("", 0); }

ipod_string ipod_string_new_from(const char *text) {
  return text ? new_block(text, std::strlen(text)) : ipod_string_new();
}

ipod_string ipod_string_new_from_array(const char *bytes, size_t length) {
  return (bytes && length) ? new_block(bytes, length) : ipod_string_new();
}

void ipod_string_free(ipod_string s) {
  if (!s) {
    ipod_error("ipod_string_free(): freeing NULL string\n");
    return;
  }
  ipod_string_frees++;
  ipod_memory_free(s);
}

ipod_string ipod_string_realloc(ipod_string s, size_t length) {
  if (!s) {
    // Resizing nothing makes a new string of that size.
    ipod_string fresh = static_cast<char *>(ipod_memory_alloc(length + 1));
    if (!fresh) return nullptr;
    std::memset(fresh, 0, length + 1);
    ipod_string_allocs++;
    return fresh;
  }
  char *p = static_cast<char *>(ipod_memory_realloc(s, length + 1));
  if (!p) {
    // The old string stays valid; the caller keeps it.
    ipod_error("ipod_string_realloc(): Cannot resize string to %lu bytes\n", (unsigned long)length);
    return s;
  }
  p[length] = 0;
  return p;
}

ipod_string ipod_string_set(ipod_string s, const char *text) {
  if (!text) text = "";
  size_t n = std::strlen(text);
  if (!s) return ipod_string_new_from(text);
  char *p = static_cast<char *>(ipod_memory_realloc(s, n + 1));
  if (!p) {
    ipod_error("ipod_string_set(): Cannot resize string to %lu bytes\n", (unsigned long)n);
    return s;
  }
  std::memcpy(p, text, n + 1);
  return p;
}

ipod_string ipod_string_zero(ipod_string s) {
  if (!s) return ipod_string_new();
  char *p = static_cast<char *>(ipod_memory_realloc(s, 1));
  if (!p) p = s;  // shrinking failed: the old block still holds room for the terminator
  p[0] = 0;
  return p;
}

ipod_string ipod_string_append(ipod_string s, const char *text) {
  if (!s) {
    ipod_error("ipod_string_append(): NULL string, creating...\n");
    s = ipod_string_new();
    if (!s) return nullptr;
  }
  if (!text || !*text) return s;
  size_t a = std::strlen(s), b = std::strlen(text);
  char *p = static_cast<char *>(ipod_memory_realloc(s, a + b + 1));
  if (!p) {
    ipod_error("ipod_string_append(): Cannot resize string to %lu bytes\n", (unsigned long)(a + b));
    return s;
  }
  std::memcpy(p + a, text, b + 1);
  return p;
}

void ipod_string_replace_char(ipod_string s, char from, char to) {
  if (!s) {
    ipod_error("ipod_string_replace(): NULL string\n");
    return;
  }
  for (char *p = s; *p; p++)
    if (*p == from) *p = to;
}

void ipod_string_report(void) {
  ipod_error("ipod_string_report(): ipod_string allocs %lu frees %lu delta %ld\n", ipod_string_allocs,
             ipod_string_frees, (long)(ipod_string_allocs - ipod_string_frees));
}

size_t ipod_string_utf16_to_utf8_length(const uint16_t *units, size_t count) {
  if (!units) return 0;
  size_t n = 0;
  for (size_t i = 0; i < count; i++) n += units[i] < 0x80 ? 1 : units[i] < 0x800 ? 2 : 3;
  return n;
}

size_t ipod_string_utf16_to_utf8(const uint16_t *units, size_t count, char *destination, size_t room) {
  if (!units || !destination || !room) return 0;
  unsigned char *d = reinterpret_cast<unsigned char *>(destination);
  size_t w = 0;
  for (size_t i = 0; i < count; i++) {
    uint16_t u = units[i];
    size_t need = u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
    if (w + need > room) return w;  // the unit does not fit: stop, no terminator room left
    if (need == 1) {
      d[w++] = (unsigned char)u;
    } else if (need == 2) {
      d[w++] = (unsigned char)(0xC0 | (u >> 6));
      d[w++] = (unsigned char)(0x80 | (u & 0x3F));
    } else {
      d[w++] = (unsigned char)(0xE0 | (u >> 12));
      d[w++] = (unsigned char)(0x80 | ((u >> 6) & 0x3F));
      d[w++] = (unsigned char)(0x80 | (u & 0x3F));
    }
  }
  if (w < room) d[w] = 0;
  return w;
}

// Sequence length by the lead byte's high nibble; 0 marks a continuation byte.
static const unsigned char utf8_lengths[16] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 2, 2, 3, 4};

size_t ipod_string_utf8_to_utf16_length(const char *text) {
  if (!text) return 0;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  size_t n = 0;
  while (*p) {
    if (*p > 0xF6) {
      p++;
      continue;
    }
    unsigned len = utf8_lengths[*p >> 4];
    if (len == 0) {
      p++;
      continue;
    }
    n += len == 4 ? 2 : 1;
    for (unsigned i = 0; i < len && *p; i++) p++;
  }
  return n;
}

size_t ipod_string_utf8_to_utf16(const char *text, uint16_t *destination, size_t room) {
  if (!text || !destination || !room) return 0;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  size_t w = 0;
  while (*p && w < room) {
    unsigned char c = *p;
    if (c < 0x80) {
      destination[w++] = c;
      p++;
      continue;
    }
    unsigned len = utf8_lengths[c >> 4];
    if (len == 0) {
      p++;
      continue;
    }
    if (len == 4) {
      destination[w++] = '?';
      p++;
      continue;
    }
    uint32_t value = c & (len == 2 ? 0x1F : 0x0F);
    p++;
    for (unsigned i = 1; i < len; i++) {
      if (!*p) return w;  // cut short by the end of the text
      value = (value << 6) | (*p & 0x3F);
      p++;
    }
    destination[w++] = (uint16_t)value;
  }
  return w;
}

char *ipod_string_utf8_from_utf16(const uint16_t *units, size_t count) {
  size_t n = ipod_string_utf16_to_utf8_length(units, count);
  char *s = static_cast<char *>(ipod_memory_alloc(n + 1));
  if (!s) return nullptr;
  s[0] = 0;
  ipod_string_utf16_to_utf8(units, count, s, n + 1);
  s[n] = 0;
  return s;
}

uint16_t *ipod_string_utf16_from_utf8(const char *text, size_t *count) {
  size_t n = ipod_string_utf8_to_utf16_length(text);
  uint16_t *u = static_cast<uint16_t *>(ipod_memory_alloc(2 * n));
  if (count) *count = u ? n : 0;
  if (!u) return nullptr;
  std::memset(u, 0, 2 * n);
  ipod_string_utf8_to_utf16(text, u, n);
  return u;
}

uint16_t *ipod_string_utf16_from_iso8859(const char *text, size_t *count) {
  size_t n = text ? std::strlen(text) : 0;
  uint16_t *u = static_cast<uint16_t *>(ipod_memory_alloc(2 * n));
  if (count) *count = u ? n : 0;
  if (!u) return nullptr;
  for (size_t i = 0; i < n; i++) u[i] = (unsigned char)text[i];
  return u;
}

char *ipod_string_iso8859_from_utf16(const uint16_t *units, size_t count) {
  char *s = static_cast<char *>(ipod_memory_alloc(count + 1));
  if (!s) return nullptr;
  for (size_t i = 0; i < count; i++) s[i] = (char)(units[i] & 0xFF);
  s[count] = 0;
  return s;
}

char *ipod_string_utf8_from_iso8859(const char *text) {
  size_t n = 0;
  uint16_t *u = ipod_string_utf16_from_iso8859(text, &n);
  if (!u) return nullptr;
  char *s = ipod_string_utf8_from_utf16(u, n);
  ipod_memory_free(u);
  return s;
}

char *ipod_string_iso8859_from_utf8(const char *text) {
  size_t n = 0;
  uint16_t *u = ipod_string_utf16_from_utf8(text, &n);
  if (!u) return nullptr;
  // The block may be longer than the units written ("?" stands for a
  // four-byte sequence); the zero units left over end the text early.
  char *s = ipod_string_iso8859_from_utf16(u, n);
  ipod_memory_free(u);
  return s;
}

int ipod_string_compare_utf16(const uint16_t *a, size_t count_a, const uint16_t *b, size_t count_b) {
  size_t n = count_a < count_b ? count_a : count_b;
  for (size_t i = 0; i < n; i++)
    if (a[i] != b[i]) return (int)a[i] - (int)b[i];
  return (int)count_a - (int)count_b;
}
