/* Adding a music file to the device: a new track filled from the file's
   tags and stream headers, and the file copied to a new unique location in
   the device's music folders. */
#ifndef IPOD_TRACK_ADD_H
#define IPOD_TRACK_ADD_H

#include "ipod.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Imports the local file by its extension (".mp3", ".m4a"; a name without
   one is taken as MP3; ".wav" and others are refused). A track without a
   title is named after the file. Returns the new track, or null (reported)
   when the file cannot be read, holds no audio or cannot be copied; no
   track is left behind then. */
ipod_track_t ipod_track_add_from(ipod_t ipod, const char *path);

#ifdef __cplusplus
}
#endif

#endif
