/* Library strings (heap UTF-8 text) and the UTF-16 / UTF-8 / ISO-8859-1
   conversions used between the database and the interface. */
#ifndef IPOD_STRING_H
#define IPOD_STRING_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef char *ipod_string;

extern unsigned long ipod_string_allocs;
extern unsigned long ipod_string_frees;

ipod_string ipod_string_new(void);
ipod_string ipod_string_new_from(const char *text);
ipod_string ipod_string_new_from_array(const char *bytes, size_t length);
void ipod_string_free(ipod_string s);
ipod_string ipod_string_realloc(ipod_string s, size_t length);
ipod_string ipod_string_set(ipod_string s, const char *text);
ipod_string ipod_string_zero(ipod_string s);
ipod_string ipod_string_append(ipod_string s, const char *text);
void ipod_string_replace_char(ipod_string s, char from, char to);
void ipod_string_report(void);

size_t ipod_string_utf16_to_utf8_length(const uint16_t *units, size_t count);
size_t ipod_string_utf16_to_utf8(const uint16_t *units, size_t count, char *destination, size_t room);
size_t ipod_string_utf8_to_utf16_length(const char *text);
size_t ipod_string_utf8_to_utf16(const char *text, uint16_t *destination, size_t room);

/* The blocks below come from ipod_memory_alloc (free with ipod_memory_free). */
char *ipod_string_utf8_from_utf16(const uint16_t *units, size_t count);
uint16_t *ipod_string_utf16_from_utf8(const char *text, size_t *count);
uint16_t *ipod_string_utf16_from_iso8859(const char *text, size_t *count);
char *ipod_string_iso8859_from_utf16(const uint16_t *units, size_t count);
char *ipod_string_utf8_from_iso8859(const char *text);
char *ipod_string_iso8859_from_utf8(const char *text);

int ipod_string_compare_utf16(const uint16_t *a, size_t count_a, const uint16_t *b, size_t count_b);

#ifdef __cplusplus
}
#endif

#endif
