/* Facts about music files shared by the importers: the ID3v1 genre list,
   the sample-rate and bit-rate tables of MPEG audio frame headers, and the
   small text readers that map tag texts to genres, years and numbers. */
#ifndef IPOD_MUSIC_TABLES_H
#define IPOD_MUSIC_TABLES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define IPOD_MUSIC_GENRE_COUNT 148

/* The ID3v1 genre list with the Winamp extensions, indexed 0-147. */
extern const char *const ipod_music_genres[IPOD_MUSIC_GENRE_COUNT];

/* Indexed by the header's version bits * 4 + sample-rate bits. */
extern const uint32_t ipod_mp3_sample_rates[16];

/* kbit/s, indexed by version bits, layer row (0 Layer I, 1 Layer II,
   2 Layer III) and bit-rate index. */
extern const uint32_t ipod_mp3_bit_rates[4][3][16];

/* The genre name of an index, or null outside the list. */
const char *ipod_music_genre_name(uint32_t index);

/* The year that the first four characters of a text spell as decimal
   digits, or 0 when the text is shorter or any of them is not a digit. */
uint32_t ipod_music_year_of(const char *text, size_t length);

#ifdef __cplusplus
}
#endif

#endif
