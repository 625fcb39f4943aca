// MPEG-4 audio import: a walk over the file's boxes (a 32-bit big-endian
// size counting the 8-byte header, and a four-character type), taking the
// duration from "mvhd", the sample rate from the audio sample entry, the
// texts and numbers from the iTunes-style "ilst" items and the media bytes
// from "mdat".
#include "ipod_track_from_m4a.h"

#include <cstring>

#include "ipod_import_util.h"
#include "ipod_music_tables.h"

namespace {

constexpr uint32_t box_type(const char (&name)[5]) {
  return (uint32_t)(unsigned char)name[0] << 24 | (uint32_t)(unsigned char)name[1] << 16 |
         (uint32_t)(unsigned char)name[2] << 8 | (uint32_t)(unsigned char)name[3];
}

struct Box {
  uint32_t type;
  uint32_t start;
  uint32_t body;  // after the header
  uint32_t end;   // never past the parent's end
};

// Reads the header of the box at p inside a parent that ends at parent_end.
// Size 0 means "up to the parent's end", size 1 a 64-bit size after the
// type. A box that claims to run past its parent (or the file) is cut at the
// parent's end. False when no box fits there or its size is impossible
// (smaller than its header): the rest of the parent cannot be found then.
bool read_box(ipod_io_t io, uint32_t p, uint32_t parent_end, Box *box) {
  if (p >= parent_end || parent_end - p < 8) return false;
  ipod_io_seek(io, p);
  uint32_t size = ipod_io_getul_be(io);
  box->type = ipod_io_get4cc(io);
  box->start = p;
  box->body = p + 8;
  uint64_t end = (uint64_t)p + size;
  if (size == 1) {
    uint64_t high = ipod_io_getul_be(io);
    uint64_t large = high << 32 | ipod_io_getul_be(io);
    box->body = p + 16;
    end = large >= 16 && parent_end - p >= 16 ? (uint64_t)p + large : 0;
  } else if (size == 0) {
    end = parent_end;
  }
  if (end < (uint64_t)box->body) {
    ipod_error("ipod_track_from_m4a(): Bad box size %lu at offset %lu\n", (unsigned long)size, (unsigned long)p);
    return false;
  }
  box->end = end > parent_end ? parent_end : (uint32_t)end;
  return true;
}

// Calls handle(box) for each box from `from` up to `to`.
template <typename Handler> void for_each_box(ipod_io_t io, uint32_t from, uint32_t to, Handler handle) {
  Box box;
  for (uint32_t p = from; read_box(io, p, to, &box); p = box.end) handle(box);
}

bool find_box(ipod_io_t io, const Box &parent, uint32_t type, Box *found) {
  bool seen = false;
  for_each_box(io, parent.body, parent.end, [&](const Box &box) {
    if (!seen && box.type == type) {
      *found = box;
      seen = true;
    }
  });
  return seen;
}

uint32_t be16(const unsigned char *b) { return (uint32_t)b[0] << 8 | b[1]; }
uint32_t be32(const unsigned char *b) { return be16(b) << 16 | be16(b + 2); }

const struct {
  uint32_t item;
  int text;
} text_items[] = {
    {box_type("\xA9nam"), IPOD_TITLE},   {box_type("\xA9" "ART"), IPOD_ARTIST}, {box_type("\xA9" "alb"), IPOD_ALBUM},
    {box_type("\xA9" "cmt"), IPOD_COMMENT}, {box_type("\xA9" "gen"), IPOD_GENRE},  {box_type("\xA9grp"), IPOD_GROUPING},
    {box_type("\xA9wrt"), IPOD_COMPOSER},
};

class M4aImport {
 public:
  M4aImport(ipod_track_t track, ipod_io_t io) : track_(track), io_(io) {}

  void read_file(uint32_t length) {
    for_each_box(io_, 0, length, [&](const Box &box) {
      if (box.type == box_type("moov")) read_movie(box);
      if (box.type == box_type("mdat")) media_bytes_ += box.end - box.body;
    });
  }

  uint64_t media_bytes() const { return media_bytes_; }
  uint32_t duration_ms() const { return duration_ms_; }

 private:
  void read_movie(const Box &moov) {
    for_each_box(io_, moov.body, moov.end, [&](const Box &box) {
      if (box.type == box_type("mvhd")) read_movie_header(box);
      if (box.type == box_type("udta")) read_user_data(box);
      if (box.type == box_type("trak")) read_track(box);
    });
  }

  void read_movie_header(const Box &mvhd) {
    ipod_io_seek(io_, mvhd.body);
    uint32_t version = ipod_io_getub(io_);
    ipod_io_skip(io_, 3);
    // Version 1 has 64-bit times and duration.
    if (mvhd.end - mvhd.body < (version == 1 ? 32u : 20u)) return;
    uint64_t modified, duration;
    uint32_t scale;
    if (version == 1) {
      ipod_io_skip(io_, 8);
      modified = (uint64_t)ipod_io_getul_be(io_) << 32;
      modified |= ipod_io_getul_be(io_);
      scale = ipod_io_getul_be(io_);
      duration = (uint64_t)ipod_io_getul_be(io_) << 32;
      duration |= ipod_io_getul_be(io_);
    } else {
      ipod_io_skip(io_, 4);
      modified = ipod_io_getul_be(io_);
      scale = ipod_io_getul_be(io_);
      duration = ipod_io_getul_be(io_);
    }
    // Seconds since 1904 like the database's times. Many encoders leave it
    // 0, which would make the track look added in 1904: keep "now" then.
    if (modified != 0 && modified <= 0xFFFFFFFFu) ipod_track_set_attribute(track_, IPOD_TRACK_ADDED_TIME, (uint32_t)modified);
    uint64_t ms = scale ? duration / scale * 1000 + duration % scale * 1000 / scale : 0;
    duration_ms_ = ms > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)ms;
    ipod_track_set_attribute(track_, IPOD_TRACK_LENGTH, duration_ms_);
  }

  void read_user_data(const Box &udta) {
    Box meta, ilst;
    if (!find_box(io_, udta, box_type("meta"), &meta)) return;
    // "meta" is a full box (version and flags first), except in files whose
    // writers followed the older QuickTime layout and start with "hdlr".
    ipod_io_seek(io_, meta.body + 4);
    if (meta.end - meta.body >= 8 && ipod_io_get4cc(io_) != box_type("hdlr")) meta.body += 4;
    if (!find_box(io_, meta, box_type("ilst"), &ilst)) return;
    for_each_box(io_, ilst.body, ilst.end, [&](const Box &item) { read_item(item); });
  }

  // An item's value is in its first child, a "data" box: type and locale
  // words, then the value up to the box's end.
  void read_item(const Box &item) {
    Box data;
    if (!read_box(io_, item.body, item.end, &data) || data.type != box_type("data")) return;
    if (data.end - data.body < 8) return;
    uint32_t n = data.end - data.body - 8;
    for (const auto &t : text_items) {
      if (item.type != t.item) continue;
      ipod_import_set_text(track_, t.text, read_text(data.body + 8, n));
      return;
    }
    if (item.type == box_type("\xA9" "day")) {
      ipod_string text = read_text(data.body + 8, n);
      uint32_t year = text ? ipod_music_year_of(text, std::strlen(text)) : 0;
      if (year) ipod_track_set_attribute(track_, IPOD_TRACK_YEAR, year);
      ipod_string_free(text);
      return;
    }
    unsigned char b[8] = {};
    ipod_io_seek(io_, data.body + 8);
    ipod_io_read_all(io_, b, min(n, (uint32_t)sizeof b));
    if (item.type == box_type("trkn") || item.type == box_type("disk")) {
      bool track = item.type == box_type("trkn");
      ipod_track_set_attribute(track_, track ? IPOD_TRACK_NUMBER : IPOD_TRACK_DISC_NUMBER, be32(b));
      ipod_track_set_attribute(track_, track ? IPOD_TRACK_TOTAL : IPOD_TRACK_DISC_TOTAL, be16(b + 4));
    } else if (item.type == box_type("gnre") && n >= 2) {
      // Stored as the genre list's index plus one (Rock, 17, as 18).
      uint32_t stored = be16(b);
      const char *name = stored > 0 ? ipod_music_genre_name(stored - 1) : nullptr;
      if (name) ipod_track_set_text(track_, IPOD_GENRE, name);
    } else if (item.type == box_type("cpil") && n >= 1) {
      ipod_track_set_attribute(track_, IPOD_TRACK_COMPILATION, b[0] ? 1 : 0);
    } else if (item.type == box_type("rtng") && n >= 1) {
      // Taggers write one byte; some files carry two.
      ipod_track_set_attribute(track_, IPOD_TRACK_RATING, n == 1 ? b[0] : be16(b));
    }
  }

  ipod_string read_text(uint32_t start, uint32_t n) {
    ipod_import_block block((size_t)n + 1);
    if (!block.data) {
      ipod_error("ipod_track_from_m4a(): Cannot allocate %lu bytes\n", (unsigned long)n + 1);
      return nullptr;
    }
    ipod_io_seek(io_, start);
    uint32_t got = ipod_io_read_all(io_, block.data, n);
    const char *text = reinterpret_cast<const char *>(block.data);
    return ipod_string_new_from_array(text, strnlen(text, got));
  }

  // trak > mdia > minf > stbl > stsd: the first sample entry of an audio
  // track holds the sample rate as a 16.16 fixed-point word.
  void read_track(const Box &trak) {
    const uint32_t path[] = {box_type("mdia"), box_type("minf"), box_type("stbl"), box_type("stsd")};
    Box box = trak;
    for (uint32_t type : path)
      if (!find_box(io_, box, type, &box)) return;
    if (box.end - box.body < 44) return;
    ipod_io_seek(io_, box.body + 12);
    uint32_t format = ipod_io_get4cc(io_);
    if (format != box_type("mp4a") && format != box_type("drms") && format != box_type("samr")) return;
    ipod_io_seek(io_, box.body + 40);
    ipod_track_set_attribute(track_, IPOD_TRACK_SAMPLE_RATE, ipod_io_getul_be(io_) >> 16);
    ipod_track_set_attribute(track_, IPOD_TRACK_VBR, 0);
  }

  ipod_track_t track_;
  ipod_io_t io_;
  uint64_t media_bytes_ = 0;
  uint32_t duration_ms_ = 0;
};

}  // namespace

ipod_track_t ipod_track_from_m4a(ipod_t ipod, ipod_io_t io) {
  if (!io) {
    ipod_error("ipod_track_from_m4a(): No stream\n");
    return nullptr;
  }
  ipod_track_t track = ipod_track_add(ipod);
  if (!track) return nullptr;
  uint32_t length = ipod_io_length(io);
  M4aImport import(track, io);
  import.read_file(length);
  ipod_track_set_attribute(track, IPOD_TRACK_SIZE, length);
  // kbit/s of 1024 bits; a file without a duration has no bit rate.
  uint32_t bit_rate = 0;
  if (import.duration_ms() > 0) {
    double rate = (double)import.media_bytes() / (import.duration_ms() / 1000.0) / 128.0;
    bit_rate = rate >= 4294967295.0 ? 0xFFFFFFFFu : (uint32_t)rate;
  }
  ipod_track_set_attribute(track, IPOD_TRACK_BITRATE, bit_rate);
  ipod_track_set_text(track, IPOD_FILETYPE, "AAC audio file");
  return track;
}
