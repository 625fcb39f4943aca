/* A new track from an MP3 file: texts from its ID3v1 and ID3v2 tags, bit
   rate, sample rate and duration from a scan of its MPEG audio frames. */
#ifndef IPOD_TRACK_FROM_MP3_H
#define IPOD_TRACK_FROM_MP3_H

#include <stdint.h>

#include "ipod.h"
#include "ipod_io.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Adds a track to the database and fills it from the stream; the track is
   added even when the stream yields nothing. Null only for a bad ipod or
   stream. */
ipod_track_t ipod_track_from_mp3(ipod_t ipod, ipod_io_t io);

/* Reads one ID3v2 text frame body of frame_size bytes (the encoding byte
   first) at the stream's position and returns its first text as a UTF-8
   library string, or null for an invalid encoding or an empty body. */
ipod_string ipod_mp3_scan_id3v2_text(ipod_io_t io, int version, uint32_t frame_size);

#ifdef __cplusplus
}
#endif

#endif
