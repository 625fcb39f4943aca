// Importing a local music file: parse it into a new track, name the track
// after the file when its tags gave no title, and copy the file to the
// device. A failed step leaves no track behind.
#include "ipod_track_add.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "ipod_io_file.h"
#include "ipod_track_from_m4a.h"
#include "ipod_track_from_mp3.h"

namespace {

typedef ipod_track_t (*track_parser)(ipod_t ipod, ipod_io_t io);

// Opens a regular file for reading; null for a missing file, a folder, ...
FILE *open_regular_file(const char *path) {
  FILE *file = std::fopen(path, "rb");
  struct stat st;
  if (file && (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode))) {
    std::fclose(file);
    file = nullptr;
  }
  return file;
}

ipod_track_t parse_file(ipod_t ipod, const char *path, track_parser parse, const char *caller) {
  FILE *file = open_regular_file(path);
  if (!file) {
    ipod_error("%s(): Cannot open file %s\n", caller, path);
    return nullptr;
  }
  ipod_io_t io = ipod_io_file_new(file);
  ipod_track_t track = io ? parse(ipod, io) : nullptr;
  ipod_io_file_free(io);
  std::fclose(file);
  return track;
}

void discard(ipod_track_t track) {
  ipod_track_remove(track);
  ipod_track_free(track);
}

}  // namespace

ipod_track_t ipod_track_add_from(ipod_t ipod, const char *path) {
  if (!ipod || !path) {
    ipod_error("ipod_track_add_from(): No ipod or no path\n");
    return nullptr;
  }
  // The extension of the file's name: a dot in a folder name is no extension.
  const char *name = ipod_file_name_of(path);
  if (name[0] == '/') name++;
  const char *extension = ipod_extension_of(name, ".mp3");

  track_parser parse = nullptr;
  const char *caller = nullptr;
  if (std::strcmp(extension, ".mp3") == 0) {
    parse = ipod_track_from_mp3;
    caller = "ipod_track_add_from_mp3";
  } else if (std::strcmp(extension, ".m4a") == 0) {
    parse = ipod_track_from_m4a;
    caller = "ipod_track_add_from_m4a";
  } else if (std::strcmp(extension, ".wav") == 0) {
    FILE *file = open_regular_file(path);
    if (!file) {
      ipod_error("ipod_track_add_from_wav(): Cannot open file %s\n", path);
      return nullptr;
    }
    std::fclose(file);
    ipod_error("ipod_track_add_from(): WAV files are not imported: %s\n", path);
    return nullptr;
  } else {
    ipod_error("ipod_track_add_from(): Unrecognized file extension for %s\n", path);
    return nullptr;
  }

  // The location is chosen first (a device without music folders takes no
  // track), from the name's extension, so that the copy does not take a dot
  // in a folder name for one.
  ipod_string location = ipod_unique_track_location_wrapper(ipod, extension);
  if (!location) return nullptr;
  ipod_track_t track = parse_file(ipod, path, parse, caller);
  if (track) ipod_track_set_text(track, IPOD_LOCATION, location);
  ipod_string_free(location);
  if (!track) return nullptr;

  // Neither frames nor a movie header: not audio of that kind.
  if (ipod_track_get_attribute(track, IPOD_TRACK_LENGTH) == 0 &&
      ipod_track_get_attribute(track, IPOD_TRACK_SAMPLE_RATE) == 0) {
    ipod_error("ipod_track_add_from(): No audio found in %s\n", path);
    discard(track);
    return nullptr;
  }

  ipod_string title = ipod_track_get_text(track, IPOD_TITLE, nullptr);
  if (title && !title[0]) ipod_track_set_text(track, IPOD_TITLE, name);
  if (title) ipod_string_free(title);

  // A failed copy (its own message says why) must not leave a track whose
  // file is missing; removing the track deletes what was copied.
  if (ipod_track_upload(track, path, nullptr, nullptr) != 0) {
    discard(track);
    return nullptr;
  }
  return track;
}
