/* The music database library: find mounted iPods, open one (its iTunesDB and
   iTunesEQPresets), read and change tracks, playlists, playlist items and
   equalizer presets through small handles, place music files on the device
   and write everything back.

   Handles are created by the library and freed by the caller with the
   matching *_free function (which frees only the handle, never the data in
   the database). Library strings are UTF-8 and freed with ipod_string_free.
   Problems are reported through ipod_error (see ipod_error.h). */
#ifndef IPOD_H
#define IPOD_H

#include <stdint.h>

#include "ipod_error.h"
#include "ipod_file_utils.h"
#include "ipod_memory.h"
#include "ipod_string.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The track list that ipod_unique_track_location takes (see ipod_atom_list.h). */
typedef struct ipod_atom_list_struct *ipod_atom_list;

typedef struct ipod_struct *ipod_t;
typedef struct ipod_track_struct *ipod_track_t;
typedef struct ipod_playlist_struct *ipod_playlist_t;
typedef struct ipod_track_item_struct *ipod_track_item_t;
typedef struct ipod_eq_preset_struct *ipod_eq_preset_t;

/* Text types of tracks (ipod_track_get_text and friends). */
#define IPOD_TITLE 1
#define IPOD_LOCATION 2 /* ":iPod_Control:Music:F07:QKZB.mp3" */
#define IPOD_ALBUM 3
#define IPOD_ARTIST 4
#define IPOD_GENRE 5
#define IPOD_FILETYPE 6
#define IPOD_EQSETTING 7
#define IPOD_COMMENT 8
#define IPOD_CATEGORY 9
#define IPOD_COMPOSER 12
#define IPOD_GROUPING 13
#define IPOD_DESCRIPTION 14
#define IPOD_FULL_PATH 3000 /* read-only: root path + location with "/" */

/* Track attributes (ipod_track_get_attribute / ipod_track_set_attribute). */
#define IPOD_TRACK_ID 2000
#define IPOD_TRACK_VISIBLE 2001
#define IPOD_TRACK_FILETYPE_MARKER 2002
#define IPOD_TRACK_VBR 2003
#define IPOD_TRACK_COMPILATION 2004
#define IPOD_TRACK_RATING 2005
#define IPOD_TRACK_LAST_MODIFIED_TIME 2006
#define IPOD_TRACK_SIZE 2007
#define IPOD_TRACK_LENGTH 2008 /* milliseconds */
#define IPOD_TRACK_NUMBER 2009
#define IPOD_TRACK_TOTAL 2010
#define IPOD_TRACK_YEAR 2011
#define IPOD_TRACK_BITRATE 2012 /* kbit/s */
#define IPOD_TRACK_SAMPLE_RATE 2013
#define IPOD_TRACK_VOLUME 2014
#define IPOD_TRACK_START_TIME 2015
#define IPOD_TRACK_STOP_TIME 2016
#define IPOD_TRACK_SOUND_CHECK 2017
#define IPOD_TRACK_PLAY_COUNT 2018
#define IPOD_TRACK_LAST_PLAYED_TIME 2019
#define IPOD_TRACK_DISC_NUMBER 2020
#define IPOD_TRACK_DISC_TOTAL 2021
#define IPOD_TRACK_USER_ID 2022
#define IPOD_TRACK_ADDED_TIME 2023
#define IPOD_TRACK_BOOKMARK_TIME 2024
#define IPOD_TRACK_DBIDLO 2025
#define IPOD_TRACK_DBIDHI 2026
#define IPOD_TRACK_CHECKED 2027
#define IPOD_TRACK_APPLICATION_RATING 2028
#define IPOD_TRACK_BEATS_PER_MINUTE 2029
#define IPOD_TRACK_ARTWORK_COUNT 2030
#define IPOD_TRACK_ARTWORK_SIZE 2031
#define IPOD_TRACK_DBID2LO 2032
#define IPOD_TRACK_DBID2HI 2033
#define IPOD_TRACK_SAMPLE_COUNT 2034
#define IPOD_TRACK_LAST_MODIFIED_TIME_NATIVE 2100 /* Unix time */
#define IPOD_TRACK_LAST_PLAYED_TIME_NATIVE 2101 /* Unix time */
#define IPOD_TRACK_ADDED_TIME_NATIVE 2102       /* Unix time */

/* Playlist attributes. */
#define IPOD_PLAYLIST_HIDDEN 1000 /* non-zero for the master playlist */
#define IPOD_PLAYLIST_TIMESTAMP 1001
#define IPOD_PLAYLIST_PLAYLIST_ID_LO 1002
#define IPOD_PLAYLIST_PLAYLIST_ID_HI 1003
#define IPOD_PLAYLIST_SORT_ORDER 1004
#define IPOD_PLAYLIST_TIMESTAMP_NATIVE 1100 /* Unix time */

/* Playlist item attributes. */
#define IPOD_TRACK_ITEM_PODCAST_GROUPING_FLAG 4000
#define IPOD_TRACK_ITEM_GROUP_ID 4001
#define IPOD_TRACK_ITEM_TRACK_ID 4002 /* the track's IPOD_TRACK_ID */
#define IPOD_TRACK_ITEM_TIMESTAMP 4003
#define IPOD_TRACK_ITEM_PODCAST_GROUPING_REFERENCE 4004
#define IPOD_TRACK_ITEM_TIMESTAMP_NATIVE 4100 /* Unix time */

/* Equalizer preset attributes: 5000 preamp, 5001-5010 the ten bands,
   5011-5015 the five bands, in hundredths of a decibel. Text 1 is the name. */
#define IPOD_EQ_PRESET_PREAMP 5000
#define IPOD_EQ_PRESET_BAND_A_BASE 5001
#define IPOD_EQ_PRESET_BAND_B_BASE 5011

/* Device. */
/* Lists the mount points under /mnt (below $SKERRY_ROOT when that is set)
   that hold a music database. *paths becomes an array from ipod_memory_alloc
   of library strings; free each with ipod_string_free and the array with
   ipod_memory_free. Returns the count. */
int ipod_discover(ipod_string **paths);
/* Opens the device mounted at root_path; a missing database or preset file
   is created in memory. Null when the database exists but cannot be read. */
ipod_t ipod_new(const char *root_path);
void ipod_free(ipod_t ipod);
/* Writes the database (and an existing iTunesSD) when something changed,
   through a temporary file renamed over the old one. 0, or -1 on failure
   (the files on the device are then unchanged). */
int ipod_flush(ipod_t ipod);
uint32_t ipod_version(ipod_t ipod);
void ipod_disk_usage(ipod_t ipod, uint64_t *total, uint64_t *free_bytes);
void ipod_report(void);

/* Tracks. */
uint32_t ipod_track_count(ipod_t ipod);
ipod_track_t ipod_track_get_by_index(ipod_t ipod, int index);
ipod_track_t ipod_track_get_by_track_id(ipod_t ipod, uint32_t track_id);
void ipod_track_free(ipod_track_t track);
ipod_track_t ipod_track_add(ipod_t ipod);
void ipod_track_remove(ipod_track_t track);
ipod_string ipod_track_get_text(ipod_track_t track, int tag, ipod_string s);
int ipod_track_set_text(ipod_track_t track, int tag, const char *text);
int ipod_track_has_text(ipod_track_t track, int tag);
uint32_t ipod_track_get_attribute(ipod_track_t track, int attribute);
void ipod_track_set_attribute(ipod_track_t track, int attribute, uint32_t value);
/* Copies a local file to the track's place on the device (a new unique
   location when it has none). 0, or -1 on failure. */
int ipod_track_upload(ipod_track_t track, const char *local_file, ipod_file_transfer_func progress,
                      void *user_data);
/* Copies the track's file from the device to a local file. 0, or -1. */
int ipod_track_download(ipod_track_t track, const char *local_file, ipod_file_transfer_func progress,
                        void *user_data);
/* A new location (":iPod_Control:Music:Fnn:ABCD.ext") where no file exists
   yet; null when the device has no music folder. */
ipod_string ipod_unique_track_location(ipod_atom_list tracks, ipod_t ipod, const char *extension);
ipod_string ipod_unique_track_location_wrapper(ipod_t ipod, const char *extension);

/* Playlists (those of the playlist data set). */
uint32_t ipod_playlist_count(ipod_t ipod);
ipod_playlist_t ipod_playlist_get_by_index(ipod_t ipod, int index);
void ipod_playlist_free(ipod_playlist_t playlist);
ipod_playlist_t ipod_playlist_add(ipod_t ipod);
int ipod_playlist_remove(ipod_playlist_t playlist);
ipod_string ipod_playlist_get_text(ipod_playlist_t playlist, int tag, ipod_string s);
void ipod_playlist_set_text(ipod_playlist_t playlist, int tag, const char *text);
int ipod_playlist_has_text(ipod_playlist_t playlist, int tag);
uint32_t ipod_playlist_get_attribute(ipod_playlist_t playlist, int attribute);
void ipod_playlist_set_attribute(ipod_playlist_t playlist, int attribute, uint32_t value);

/* Playlist items. */
uint32_t ipod_track_item_count(ipod_playlist_t playlist);
ipod_track_item_t ipod_track_item_get_by_index(ipod_playlist_t playlist, int index);
void ipod_track_item_free(ipod_track_item_t item);
ipod_track_item_t ipod_track_item_add(ipod_playlist_t playlist);
void ipod_track_item_remove(ipod_track_item_t item);
uint32_t ipod_track_item_get_attribute(ipod_track_item_t item, int attribute);
void ipod_track_item_set_attribute(ipod_track_item_t item, int attribute, uint32_t value);

/* Equalizer presets (read from iTunesEQPresets, never written back). */
uint32_t ipod_eq_preset_count(ipod_t ipod);
ipod_eq_preset_t ipod_eq_preset_get_by_index(ipod_t ipod, int index);
void ipod_eq_preset_free(ipod_eq_preset_t preset);
ipod_eq_preset_t ipod_eq_preset_add(ipod_t ipod);
void ipod_eq_preset_remove(ipod_eq_preset_t preset);
ipod_string ipod_eq_preset_get_text(ipod_eq_preset_t preset, int tag, ipod_string s);
void ipod_eq_preset_set_text(ipod_eq_preset_t preset, int tag, const char *text);
int ipod_eq_preset_has_text(ipod_eq_preset_t preset, int tag);
int32_t ipod_eq_preset_get_attribute(ipod_eq_preset_t preset, int attribute);
void ipod_eq_preset_set_attribute(ipod_eq_preset_t preset, int attribute, int32_t value);

#ifdef __cplusplus
}
#endif

#endif
