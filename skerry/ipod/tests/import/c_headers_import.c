/* The importers' headers compile as C. */
#include "ipod_music_tables.h"
#include "ipod_track_add.h"
#include "ipod_track_from_m4a.h"
#include "ipod_track_from_mp3.h"

int ipod_c_import_headers_check(void) { return ipod_mp3_sample_rates[12] == 44100; }
