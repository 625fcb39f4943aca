/* The records behind the interface's handles, shared by the files that
   implement the interface. */
#ifndef IPOD_INTERNAL_H
#define IPOD_INTERNAL_H

#include "ipod.h"
#include "ipod_atom.h"
#include "ipod_io.h"

#ifdef __cplusplus
extern "C" {
#endif

struct ipod_struct {
  ipod_string root_path;
  ipod_string database_path;
  ipod_string shuffle_database_path;
  ipod_string presets_path;
  ipod_atom database;
  ipod_atom presets;
  int dirty;
};

struct ipod_track_struct {
  ipod_atom track;
  ipod_t ipod;
};

struct ipod_playlist_struct {
  ipod_atom playlist;
  ipod_t ipod;
};

struct ipod_track_item_struct {
  ipod_atom item;
  ipod_playlist_t playlist;
  ipod_t ipod;
};

struct ipod_eq_preset_struct {
  ipod_atom preset;
  ipod_t ipod;
};

/* 1 when a location (":iPod_Control:Music:F00:ABCD.mp3") names a file below
   the device's root: it begins with ":" and no part of it is "..". */
int ipod_location_is_safe(const char *location);
/* root + location with ":" turned into "/"; null (reported under the
   caller's name) when the track has no location or an unsafe one. */
ipod_string ipod_track_file_path(ipod_track_t track, const char *caller);

/* Writes the iTunesSD shuffle database of the device's tracks. */
void ipod_write_shuffle_database(ipod_t ipod, ipod_io_t io);

/* Writes a file by way of a temporary file in the same folder that is
   flushed to disk and renamed over the old one, so that an interruption
   leaves either the old or the new file. 0, or -1 (the old file untouched). */
typedef void (*ipod_file_writer)(ipod_io_t io, void *context);
int ipod_write_file_safely(const char *path, ipod_file_writer writer, void *context, const char *caller);

/* For tests: wraps the stream that a safe write writes through (for
   example to make it fail after some calls). */
typedef ipod_io_t (*ipod_write_stream_wrapper)(ipod_io_t file_stream, void *user_data);
extern ipod_write_stream_wrapper g_ipod_write_stream_wrapper;
extern void *g_ipod_write_stream_wrapper_data;

/* Seconds since 1970 now. */
uint32_t ipod_now(void);

#ifdef __cplusplus
}
#endif

#endif
