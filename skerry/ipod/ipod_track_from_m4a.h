/* A new track from an MPEG-4 audio file: texts and numbers from its
   iTunes-style metadata, duration, sample rate and bit rate from its
   movie and track boxes. */
#ifndef IPOD_TRACK_FROM_M4A_H
#define IPOD_TRACK_FROM_M4A_H

#include "ipod.h"
#include "ipod_io.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Adds a track to the database and fills it from the stream; the track is
   added even when the stream yields nothing. Null only for a bad ipod or
   stream. */
ipod_track_t ipod_track_from_m4a(ipod_t ipod, ipod_io_t io);

#ifdef __cplusplus
}
#endif

#endif
