// MP3 import: the ID3v1 tag at the end of the file, ID3v2 tags wherever the
// scan meets them, and a count of the MPEG audio frames for the bit rate,
// the sample rate and the duration.
#include "ipod_track_from_mp3.h"

#include <cstring>

#include "ipod_import_util.h"
#include "ipod_music_tables.h"

namespace {

const uint32_t id3v1_size = 128;
const uint32_t id3v2_header_size = 10;

// The frame scan looks at every byte between frames; it reads the file in
// large windows so that a byte costs no call into the stream.
class ScanWindow {
 public:
  ScanWindow(ipod_io_t io, uint32_t end) : io_(io), end_(end), block_(size) {}
  bool ok() const { return block_.data != nullptr; }

  // The bytes from position p on, wanting `want` of them; *available is how
  // many the window holds (fewer only near the end of the data).
  const unsigned char *at(uint32_t p, uint32_t want, uint32_t *available) {
    uint64_t window_end = (uint64_t)base_ + filled_;
    bool inside = p >= base_ && p < window_end;
    if (!inside || ((uint64_t)p + want > window_end && window_end < end_)) refill(p);
    window_end = (uint64_t)base_ + filled_;
    *available = p >= base_ && p < window_end ? (uint32_t)(window_end - p) : 0;
    return block_.data + (p - base_);
  }

 private:
  static const uint32_t size = 64 * 1024;

  void refill(uint32_t p) {
    base_ = p;
    ipod_io_seek(io_, p);
    filled_ = ipod_io_read_all(io_, block_.data, p < end_ ? min(size, end_ - p) : 0);
  }

  ipod_io_t io_;
  uint32_t end_;
  ipod_import_block block_;
  uint32_t base_ = 0;
  uint32_t filled_ = 0;
};

struct FrameHeader {
  uint32_t version;      // 0 MPEG 2.5, 2 MPEG 2, 3 MPEG 1
  uint32_t layer;        // 1, 2 or 3
  uint32_t rate_index;   // bit-rate index
  uint32_t rate_slot;    // index into ipod_mp3_sample_rates
  uint32_t bit_rate;     // kbit/s
  uint32_t sample_rate;  // Hz
  uint32_t samples;      // per frame
  uint32_t length;       // bytes, header and check word included
  bool protected_;       // a 16-bit check word follows the header
  bool mono;
};

// Decodes a frame header. A header with a reserved version or layer, a
// free-format or invalid bit rate or no sample rate starts no frame: its
// length could not be known (or would be zero) and the scan would stall.
bool decode_frame_header(const unsigned char *b, FrameHeader *h) {
  if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return false;
  h->version = (b[1] >> 3) & 3;
  uint32_t layer_bits = (b[1] >> 1) & 3;
  if (h->version == 1 || layer_bits == 0) return false;
  h->layer = 4 - layer_bits;
  h->protected_ = (b[1] & 1) == 0;
  h->rate_index = b[2] >> 4;
  h->rate_slot = h->version * 4 + ((b[2] >> 2) & 3);
  uint32_t padding = (b[2] >> 1) & 1;
  h->bit_rate = ipod_mp3_bit_rates[h->version][h->layer - 1][h->rate_index];
  h->sample_rate = ipod_mp3_sample_rates[h->rate_slot];
  if (h->bit_rate == 0 || h->sample_rate == 0) return false;
  h->mono = (b[3] >> 6) == 3;
  // MPEG 2 and 2.5 Layer III frames hold half as many samples as MPEG 1.
  bool half = h->layer == 3 && h->version != 3;
  if (h->layer == 1) {
    h->samples = 384;
    h->length = (12000 * h->bit_rate / h->sample_rate + padding) * 4;
  } else {
    h->samples = half ? 576 : 1152;
    h->length = (half ? 72000 : 144000) * h->bit_rate / h->sample_rate + padding;
  }
  return true;
}

// The first frame of many encoders holds no sound but a "Xing" or "Info"
// block (frame count, seek table) after the side information.
bool is_info_frame(ScanWindow &window, uint32_t p, const FrameHeader &h) {
  if (h.layer != 3) return false;
  uint32_t side = h.version == 3 ? (h.mono ? 17 : 32) : (h.mono ? 9 : 17);
  uint32_t offset = 4 + (h.protected_ ? 2 : 0) + side;
  uint32_t available = 0;
  const unsigned char *b = window.at(p, offset + 4, &available);
  if (available < offset + 4) return false;
  return std::memcmp(b + offset, "Xing", 4) == 0 || std::memcmp(b + offset, "Info", 4) == 0;
}

struct FrameCount {
  uint32_t histogram[16] = {};          // frames by bit-rate index
  uint64_t frames = 0;
  uint64_t rate_sum = 0;                // kbit/s summed over frames
  uint64_t samples_by_slot[16] = {};    // samples by sample rate
  uint32_t sample_rate = 0;             // of the last frame

  void add(const FrameHeader &h) {
    histogram[h.rate_index]++;
    frames++;
    rate_sum += h.bit_rate;
    samples_by_slot[h.rate_slot] += h.samples;
    sample_rate = h.sample_rate;
  }

  uint32_t duration_ms() const {
    uint64_t ms = 0;
    for (int i = 0; i < 16; i++)
      if (samples_by_slot[i]) ms += samples_by_slot[i] * 1000 / ipod_mp3_sample_rates[i];
    return ms > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)ms;
  }

  bool variable() const {
    int used = 0;
    for (uint32_t n : histogram) used += n ? 1 : 0;
    return used > 1;
  }
};

// ID3v2 frames this importer takes, by their ID3v2.2 and ID3v2.3/2.4 ids.
enum class Field { title, artist, album, composer, year, genre, track, disc };

struct FrameField {
  const char *v2;
  const char *v3;
  Field field;
};

const FrameField frame_fields[] = {
    {"TT2", "TIT2", Field::title},    {"TP1", "TPE1", Field::artist}, {"TAL", "TALB", Field::album},
    {"TCM", "TCOM", Field::composer}, {"TYE", "TYER", Field::year},   {"TCO", "TCON", Field::genre},
    {"TRK", "TRCK", Field::track},    {"TPA", "TPOS", Field::disc},
    // ID3v2.4 replaced the year by the recording time, which begins with it.
    {nullptr, "TDRC", Field::year},
};

const FrameField *field_of(const char *id, int version) {
  for (const FrameField &f : frame_fields) {
    const char *name = version == 2 ? f.v2 : f.v3;
    if (name && std::strcmp(name, id) == 0) return &f;
  }
  return nullptr;
}

void apply_field(ipod_track_t track, Field field, ipod_string text) {
  uint32_t first = 0, second = 0;
  switch (field) {
    case Field::title: ipod_import_set_text(track, IPOD_TITLE, text); return;
    case Field::artist: ipod_import_set_text(track, IPOD_ARTIST, text); return;
    case Field::album: ipod_import_set_text(track, IPOD_ALBUM, text); return;
    case Field::composer: ipod_import_set_text(track, IPOD_COMPOSER, text); return;
    case Field::year:
      first = ipod_music_year_of(text, std::strlen(text));
      if (first) ipod_track_set_attribute(track, IPOD_TRACK_YEAR, first);
      break;
    case Field::genre: ipod_import_set_genre_text(track, text); break;
    case Field::track:
      ipod_import_number_pair(text, &first, &second);
      ipod_track_set_attribute(track, IPOD_TRACK_NUMBER, first);
      ipod_track_set_attribute(track, IPOD_TRACK_TOTAL, second);
      break;
    case Field::disc:
      ipod_import_number_pair(text, &first, &second);
      ipod_track_set_attribute(track, IPOD_TRACK_DISC_NUMBER, first);
      ipod_track_set_attribute(track, IPOD_TRACK_DISC_TOTAL, second);
      break;
  }
  ipod_string_free(text);
}

// Reads the frames of the ID3v2 tag that starts at `start`; returns the
// position after the tag.
uint32_t read_id3v2_tag(ipod_track_t track, ipod_io_t io, uint32_t start) {
  ipod_io_seek(io, start + 3);
  int major = ipod_io_getub(io);
  int revision = ipod_io_getub(io);
  int flags = ipod_io_getub(io);
  uint32_t size = ipod_io_getul_ss(io);
  uint32_t body = start + id3v2_header_size;
  uint64_t end64 = (uint64_t)body + size;
  uint32_t end = end64 > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)end64;
  if (major < 2 || major > 4) {
    ipod_error("ipod_mp3_scan_id3v3(): Unsupported ID3v2 version (%d.%d)\n", major, revision);
    return end;
  }
  if (flags & 0x40) {
    // In ID3v2.2 this flag marks a compressed tag, which cannot be read.
    if (major == 2) return end;
    // The extended header's size counts itself in ID3v2.4 only.
    uint32_t extended = major == 4 ? ipod_io_getul_ss(io) : ipod_io_getul_be(io) + 4;
    ipod_io_seek(io, body + extended);
  }
  uint32_t header_size = major == 2 ? 6 : 10;
  uint32_t p = ipod_io_tell(io);
  while (p >= body && (uint64_t)p + header_size <= end) {
    char id[5] = {};
    uint32_t frame_size;
    int frame_flags = 0;
    if (major == 2) {
      ipod_io_read_all(io, id, 3);
      frame_size = ipod_io_getul3(io);
    } else {
      ipod_io_read_all(io, id, 4);
      frame_size = major == 4 ? ipod_io_getul_ss(io) : ipod_io_getul_be(io);
      frame_flags = ipod_io_getuw_be(io);
    }
    if (id[0] == 0) break;  // padding
    uint32_t frame_body = p + header_size;
    // A frame running past the tag is cut off; what follows it is lost.
    if ((uint64_t)frame_body + frame_size > end) break;
    // Compressed or encrypted frames are not read.
    bool unreadable = major == 3 ? (frame_flags & 0x00C0) != 0 : major == 4 && (frame_flags & 0x000C) != 0;
    const FrameField *f = unreadable ? nullptr : field_of(id, major);
    if (f) {
      ipod_string text = ipod_mp3_scan_id3v2_text(io, major, frame_size);
      if (text) apply_field(track, f->field, text);
    }
    p = frame_body + frame_size;
    ipod_io_seek(io, p);
  }
  return end;
}

// The ID3v1 tag in the last 128 bytes; false when there is none.
bool read_id3v1_tag(ipod_track_t track, ipod_io_t io, uint32_t length) {
  if (length < id3v1_size) return false;
  unsigned char tag[id3v1_size] = {};
  ipod_io_seek(io, length - id3v1_size);
  if (ipod_io_read_all(io, tag, id3v1_size) != id3v1_size || std::memcmp(tag, "TAG", 3) != 0) return false;
  // Older taggers pad the fields with blanks instead of zero bytes.
  auto field = [&](uint32_t offset, uint32_t size) {
    size = (uint32_t)strnlen(reinterpret_cast<const char *>(tag + offset), size);
    while (size > 0 && tag[offset + size - 1] == ' ') size--;
    return ipod_import_latin1_text(tag + offset, size);
  };
  ipod_import_set_text(track, IPOD_TITLE, field(3, 30));
  ipod_import_set_text(track, IPOD_ARTIST, field(33, 30));
  ipod_import_set_text(track, IPOD_ALBUM, field(63, 30));
  uint32_t year = ipod_music_year_of(reinterpret_cast<const char *>(tag + 93), 4);
  if (year) ipod_track_set_attribute(track, IPOD_TRACK_YEAR, year);
  // ID3v1.1 keeps the track number in the comment's last byte, after a zero
  // byte; in ID3v1.0 both bytes belong to the comment.
  bool v11 = tag[125] == 0;
  ipod_import_set_text(track, IPOD_COMMENT, field(97, v11 ? 28 : 30));
  if (v11) ipod_track_set_attribute(track, IPOD_TRACK_NUMBER, tag[126]);
  const char *genre = ipod_music_genre_name(tag[127]);
  if (genre) ipod_track_set_text(track, IPOD_GENRE, genre);
  return true;
}

}  // namespace

ipod_string ipod_mp3_scan_id3v2_text(ipod_io_t io, int, uint32_t frame_size) {
  if (!io || frame_size == 0) return nullptr;
  int encoding = ipod_io_getb(io);
  if (encoding < 0 || encoding > 3) {
    ipod_error("ipod_mp3_scan_text(): Invalid text encoding %d\n", encoding);
    return nullptr;
  }
  // A size beyond the end of the stream reads what there is.
  uint32_t position = ipod_io_tell(io), length = ipod_io_length(io);
  uint32_t n = min(frame_size - 1, position < length ? length - position : 0);
  ipod_import_block block((size_t)n + 2);
  if (!block.data) {
    ipod_error("ipod_mp3_scan_text(): Cannot allocate %lu bytes\n", (unsigned long)n + 2);
    return nullptr;
  }
  uint32_t got = ipod_io_read_all(io, block.data, n);
  std::memset(block.data + got, 0, (size_t)n + 2 - got);
  const unsigned char *b = block.data;
  if (encoding == 0) return ipod_import_latin1_text(b, n);
  if (encoding == 3) {
    size_t length = strnlen(reinterpret_cast<const char *>(b), n);
    return ipod_string_new_from_array(reinterpret_cast<const char *>(b), length);
  }
  // UTF-16: with a byte-order mark (0xFE first for big-endian), or
  // big-endian without one.
  bool big_endian = encoding == 2 || (n >= 2 && b[0] == 0xFE);
  if (encoding == 1) {
    b += n >= 2 ? 2 : n;
    n = n >= 2 ? n - 2 : 0;
  }
  size_t count = n / 2;
  ipod_import_block units(count * 2 + 2);
  if (!units.data) return nullptr;
  uint16_t *u = reinterpret_cast<uint16_t *>(units.data);
  for (size_t i = 0; i < count; i++)
    u[i] = big_endian ? (uint16_t)(b[2 * i] << 8 | b[2 * i + 1]) : (uint16_t)(b[2 * i + 1] << 8 | b[2 * i]);
  return ipod_import_utf16_text(u, count);
}

ipod_track_t ipod_track_from_mp3(ipod_t ipod, ipod_io_t io) {
  if (!io) {
    ipod_error("ipod_track_from_mp3(): No stream\n");
    return nullptr;
  }
  ipod_track_t track = ipod_track_add(ipod);
  if (!track) return nullptr;
  uint32_t length = ipod_io_length(io);
  // The ID3v1 tag is not audio: the scan stops before it.
  uint32_t scan_end = read_id3v1_tag(track, io, length) ? length - id3v1_size : length;

  FrameCount count;
  ScanWindow window(io, scan_end);
  if (!window.ok()) ipod_error("ipod_track_from_mp3(): Cannot allocate the read buffer\n");
  uint32_t p = 0;
  while (window.ok() && p < scan_end) {
    uint32_t available = 0;
    const unsigned char *b = window.at(p, id3v2_header_size, &available);
    if (available == 0) break;  // the stream gives no more
    if (available >= id3v2_header_size && b[0] == 'I' && b[1] == 'D' && b[2] == '3') {
      p = read_id3v2_tag(track, io, p);
      continue;
    }
    FrameHeader h;
    if (available >= 4 && decode_frame_header(b, &h)) {
      if (count.frames > 0 || !is_info_frame(window, p, h)) count.add(h);
      uint64_t next = (uint64_t)p + h.length;
      p = next > scan_end ? scan_end : (uint32_t)next;
      continue;
    }
    p++;
  }

  ipod_track_set_attribute(track, IPOD_TRACK_SIZE, length);
  ipod_track_set_attribute(track, IPOD_TRACK_BITRATE, count.frames ? (uint32_t)(count.rate_sum / count.frames) : 0);
  ipod_track_set_attribute(track, IPOD_TRACK_SAMPLE_RATE, count.sample_rate);
  ipod_track_set_attribute(track, IPOD_TRACK_LENGTH, count.duration_ms());
  ipod_track_set_attribute(track, IPOD_TRACK_VBR, 0x100 + (count.variable() ? 1 : 0));
  ipod_track_set_text(track, IPOD_FILETYPE, "MPEG audio file");
  return track;
}
