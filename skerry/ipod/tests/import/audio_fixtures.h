// Builders for audio files made byte by byte: MPEG audio frames with chosen
// headers, ID3v1 and ID3v2 tags, and MPEG-4 boxes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

Bytes operator+(Bytes a, const Bytes &b);
Bytes text_bytes(const std::string &s);
Bytes be16(uint32_t v);
Bytes be32(uint32_t v);
Bytes syncsafe(uint32_t v);
Bytes zeros(size_t n);

// One MPEG audio frame: the header with the given fields, then zero bytes up
// to the frame's length as the standard defines it.
struct Frame {
  int version = 3;     // header bits: 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5
  int layer = 3;       // 1, 2 or 3
  int rate_index = 9;  // 128 kbit/s for MPEG 1 Layer III
  int sample_index = 0;
  int padding = 0;
  bool crc = false;  // protection bit 0: a check word follows the header
  bool mono = false;
};
uint32_t frame_length(const Frame &f);
Bytes frame_header(const Frame &f);
Bytes mp3_frame(const Frame &f);
Bytes mp3_frames(const Frame &f, int count);

// ID3v1 (track < 0 makes an ID3v1.0 tag whose comment fills 30 bytes).
Bytes id3v1(const std::string &title, const std::string &artist, const std::string &album,
            const std::string &year, const std::string &comment, int track, int genre);

// ID3v2: a frame (3-character ids for version 2) and a tag around frames.
Bytes id3v2_frame(int version, const std::string &id, const Bytes &body);
Bytes id3v2_text(int version, const std::string &id, const std::string &latin1);
Bytes id3v2_tag(int version, const Bytes &frames, int flags = 0, const Bytes &extended_header = {});

// MPEG-4 boxes.
Bytes box(const std::string &type, const Bytes &body);
Bytes full_box(const std::string &type, int version, const Bytes &body);
Bytes data_item(const std::string &type, uint32_t data_type, const Bytes &value);
Bytes mvhd(uint32_t modified, uint32_t scale, uint32_t duration);
Bytes audio_track(const std::string &format, uint32_t sample_rate);
Bytes ilst_in_udta(const Bytes &items);
