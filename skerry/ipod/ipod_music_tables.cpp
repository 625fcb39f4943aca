#include "ipod_music_tables.h"

const char *const ipod_music_genres[IPOD_MUSIC_GENRE_COUNT] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop",
    "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game",
    "Sound Clip", "Gospel", "Noise", "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative",
    "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial",
    "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta",
    "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave",
    "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka",
    "Retro", "Musical", "Rock & Roll", "Hard Rock",
    // The Winamp extensions.
    "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic",
    "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock", "Symphonic Rock",
    "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson",
    "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire",
    "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul",
    "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall", "Goa",
    "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie", "Britpop", "Afro-Punk", "Polsk Punk",
    "Beat", "Christian Gangsta Rap", "Heavy Metal", "Black Metal", "Crossover", "Contemporary Christian",
    "Christian Rock", "Merengue", "Salsa", "Trash Metal", "Anime", "JPop", "Synthpop",
};

// Rate index 3 is reserved in the standard; the table gives it 50000.
const uint32_t ipod_mp3_sample_rates[16] = {
    11025, 12000, 8000,  50000,  // MPEG 2.5
    0,     0,     0,     0,      // reserved version
    22050, 24000, 16000, 50000,  // MPEG 2
    44100, 48000, 32000, 50000,  // MPEG 1
};

// MPEG 2 and MPEG 2.5 share the lower bit rates of ISO/IEC 13818-3.
#define IPOD_MPEG2_RATES                                                    \
  {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}, \
   {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},      \
   {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}

const uint32_t ipod_mp3_bit_rates[4][3][16] = {
    IPOD_MPEG2_RATES,  // MPEG 2.5
    {},                // reserved version
    IPOD_MPEG2_RATES,  // MPEG 2
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},  // MPEG 1
};
#undef IPOD_MPEG2_RATES

const char *ipod_music_genre_name(uint32_t index) {
  return index < IPOD_MUSIC_GENRE_COUNT ? ipod_music_genres[index] : nullptr;
}

uint32_t ipod_music_year_of(const char *text, size_t length) {
  if (!text || length < 4) return 0;
  uint32_t year = 0;
  for (int i = 0; i < 4; i++) {
    if (text[i] < '0' || text[i] > '9') return 0;
    year = year * 10 + (uint32_t)(text[i] - '0');
  }
  return year;
}
