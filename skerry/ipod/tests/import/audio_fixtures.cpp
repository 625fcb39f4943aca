#include "audio_fixtures.h"

#include <algorithm>

Bytes operator+(Bytes a, const Bytes &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes text_bytes(const std::string &s) { return Bytes(s.begin(), s.end()); }
Bytes be16(uint32_t v) { return {(unsigned char)(v >> 8), (unsigned char)v}; }
Bytes be32(uint32_t v) { return {(unsigned char)(v >> 24), (unsigned char)(v >> 16), (unsigned char)(v >> 8), (unsigned char)v}; }
Bytes syncsafe(uint32_t v) {
  return {(unsigned char)((v >> 21) & 0x7F), (unsigned char)((v >> 14) & 0x7F), (unsigned char)((v >> 7) & 0x7F),
          (unsigned char)(v & 0x7F)};
}
Bytes zeros(size_t n) { return Bytes(n, 0); }

static const int sample_rates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
static const int mpeg1_rates[3][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}};
static const int mpeg2_rates[3][16] = {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
                                       {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
                                       {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};

uint32_t frame_length(const Frame &f) {
  int rate = (f.version == 3 ? mpeg1_rates : mpeg2_rates)[f.layer - 1][f.rate_index];
  int sr = sample_rates[f.version][f.sample_index];
  if (rate == 0 || sr == 0) return 4;  // not a real frame: the header alone
  if (f.layer == 1) return (12000 * rate / sr + f.padding) * 4;
  int factor = (f.layer == 3 && f.version != 3) ? 72000 : 144000;
  return factor * rate / sr + f.padding;
}

Bytes frame_header(const Frame &f) {
  return {0xFF, (unsigned char)(0xE0 | f.version << 3 | (4 - f.layer) << 1 | (f.crc ? 0 : 1)),
          (unsigned char)(f.rate_index << 4 | f.sample_index << 2 | f.padding << 1),
          (unsigned char)(f.mono ? 0xC0 : 0x00)};
}

Bytes mp3_frame(const Frame &f) {
  Bytes b(frame_length(f), 0);
  const Bytes header = frame_header(f);
  std::copy(header.begin(), header.end(), b.begin());
  return b;
}

Bytes mp3_frames(const Frame &f, int count) {
  Bytes one = mp3_frame(f), all;
  all.reserve(one.size() * count);
  for (int i = 0; i < count; i++) all.insert(all.end(), one.begin(), one.end());
  return all;
}

static Bytes fixed(const std::string &s, size_t n) {
  Bytes b = text_bytes(s.substr(0, n));
  b.resize(n, 0);
  return b;
}

Bytes id3v1(const std::string &title, const std::string &artist, const std::string &album, const std::string &year,
            const std::string &comment, int track, int genre) {
  Bytes b = text_bytes("TAG") + fixed(title, 30) + fixed(artist, 30) + fixed(album, 30) + fixed(year, 4);
  if (track < 0)
    b = b + fixed(comment, 30);
  else
    b = b + fixed(comment, 28) + Bytes{0, (unsigned char)track};
  return b + Bytes{(unsigned char)genre};
}

Bytes id3v2_frame(int version, const std::string &id, const Bytes &body) {
  if (version == 2) {
    uint32_t n = (uint32_t)body.size();
    return text_bytes(id) + Bytes{(unsigned char)(n >> 16), (unsigned char)(n >> 8), (unsigned char)n} + body;
  }
  return text_bytes(id) + (version == 4 ? syncsafe((uint32_t)body.size()) : be32((uint32_t)body.size())) +
         Bytes{0, 0} + body;
}

Bytes id3v2_text(int version, const std::string &id, const std::string &latin1) {
  return id3v2_frame(version, id, Bytes{0} + text_bytes(latin1));
}

Bytes id3v2_tag(int version, const Bytes &frames, int flags, const Bytes &extended_header) {
  Bytes body = extended_header + frames + zeros(16);  // with some padding
  return text_bytes("ID3") + Bytes{(unsigned char)version, 0, (unsigned char)flags} +
         syncsafe((uint32_t)body.size()) + body;
}

Bytes box(const std::string &type, const Bytes &body) {
  return be32((uint32_t)body.size() + 8) + text_bytes(type) + body;
}

Bytes full_box(const std::string &type, int version, const Bytes &body) {
  return box(type, Bytes{(unsigned char)version, 0, 0, 0} + body);
}

Bytes data_item(const std::string &type, uint32_t data_type, const Bytes &value) {
  return box(type, box("data", be32(data_type) + be32(0) + value));
}

Bytes mvhd(uint32_t modified, uint32_t scale, uint32_t duration) {
  return full_box("mvhd", 0, be32(modified) + be32(modified) + be32(scale) + be32(duration) + be32(0x10000) + zeros(76));
}

Bytes audio_track(const std::string &format, uint32_t sample_rate) {
  Bytes entry = text_bytes(format) + zeros(6) + be16(1) + zeros(8) + be16(2) + be16(16) + be16(0) + be16(0) +
                be32(sample_rate << 16) + zeros(20);
  Bytes stsd = full_box("stsd", 0, be32(1) + be32((uint32_t)entry.size() + 4) + entry);
  return box("trak", box("tkhd", zeros(84)) +
                         box("mdia", full_box("mdhd", 0, zeros(20)) + full_box("hdlr", 0, zeros(20)) +
                                         box("minf", box("stbl", stsd + full_box("stts", 0, be32(0))))));
}

Bytes ilst_in_udta(const Bytes &items) {
  return box("udta", full_box("meta", 0, full_box("hdlr", 0, zeros(8) + text_bytes("mdirappl") + zeros(9)) +
                                             box("ilst", items)));
}
