// The MP3 importer on files made byte by byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "import_support.h"
#include "ipod_track_from_mp3.h"

namespace {

Bytes cbr(int count) { return mp3_frames(Frame{}, count); }

struct Mp3 : ::testing::Test {
  Device device;
  ErrorCapture errors;
};

TEST_F(Mp3, ConstantBitRateFramesGiveRateSampleRateAndDuration) {
  Bytes file = cbr(1000);
  Imported t(device.ipod, ipod_track_from_mp3, file);
  ASSERT_NE(t.track, nullptr);
  EXPECT_EQ(t.attr(IPOD_TRACK_BITRATE), 128u);
  EXPECT_EQ(t.attr(IPOD_TRACK_SAMPLE_RATE), 44100u);
  // 1 152 000 samples at 44100 Hz, to the millisecond.
  EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), 26122u);
  EXPECT_EQ(t.attr(IPOD_TRACK_VBR), 0x100u);
  EXPECT_EQ(t.attr(IPOD_TRACK_SIZE), file.size());
  EXPECT_EQ(t.text(IPOD_FILETYPE), "MPEG audio file");
  EXPECT_EQ(ipod_track_count(device.ipod), 1u);
}

TEST_F(Mp3, TwoBitRatesMarkAVariableBitRate) {
  Frame fast;
  fast.rate_index = 11;  // 192 kbit/s
  Imported t(device.ipod, ipod_track_from_mp3, cbr(500) + mp3_frames(fast, 500));
  EXPECT_EQ(t.attr(IPOD_TRACK_VBR), 0x101u);
  EXPECT_EQ(t.attr(IPOD_TRACK_BITRATE), 160u);
}

TEST_F(Mp3, EveryVersionAndLayerIsWalkedFrameByFrame) {
  struct Case {
    const char *name;
    Frame frame;
    uint32_t bit_rate, sample_rate, length_ms;
  } cases[] = {
      {"MPEG 1 Layer II", {3, 2, 10, 1, 0, false, false}, 192, 48000, 2400},
      {"MPEG 2 Layer III, 576 samples a frame", {2, 3, 8, 0, 0, false, false}, 64, 22050, 2612},
      {"MPEG 2.5 Layer III", {0, 3, 2, 2, 0, false, false}, 16, 8000, 7200},
      {"MPEG 1 Layer I, padded", {3, 1, 1, 0, 1, false, false}, 32, 44100, 870},
      // The check word lies inside the frame's length.
      {"MPEG 1 Layer III with check words", {3, 3, 9, 0, 0, true, false}, 128, 44100, 2612},
  };
  for (const Case &c : cases) {
    Imported t(device.ipod, ipod_track_from_mp3, mp3_frames(c.frame, 100));
    EXPECT_EQ(t.attr(IPOD_TRACK_BITRATE), c.bit_rate) << c.name;
    EXPECT_EQ(t.attr(IPOD_TRACK_SAMPLE_RATE), c.sample_rate) << c.name;
    EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), c.length_ms) << c.name;
    EXPECT_EQ(t.attr(IPOD_TRACK_VBR), 0x100u) << c.name;
  }
}

TEST_F(Mp3, HeadersWithoutAKnownLengthAreStepsNotFrames) {
  Bytes free_format = {0xFF, 0xFB, 0x00, 0x00};   // bit-rate index 0
  Bytes bad_rate = {0xFF, 0xFB, 0xF0, 0x00};      // bit-rate index 15
  Bytes no_layer = {0xFF, 0xF9, 0x90, 0x00};      // reserved layer
  Bytes no_version = {0xFF, 0xEB, 0x90, 0x00};    // reserved version: no sample rate
  Bytes file = Bytes(300, 0xFF) + cbr(10) + free_format + bad_rate + no_layer + no_version + zeros(7) + cbr(10);
  Imported t(device.ipod, ipod_track_from_mp3, file);
  EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), 20u * 1152000 / 44100);
  EXPECT_EQ(t.attr(IPOD_TRACK_BITRATE), 128u);

  Imported nothing(device.ipod, ipod_track_from_mp3, Bytes(5000, 0xFF));
  ASSERT_NE(nothing.track, nullptr);  // a track is made all the same
  EXPECT_EQ(nothing.attr(IPOD_TRACK_LENGTH), 0u);
  EXPECT_EQ(nothing.attr(IPOD_TRACK_SAMPLE_RATE), 0u);
  EXPECT_EQ(nothing.attr(IPOD_TRACK_BITRATE), 0u);
  EXPECT_EQ(nothing.attr(IPOD_TRACK_SIZE), 5000u);
}

TEST_F(Mp3, AnEncoderInfoFrameIsNotSound) {
  Bytes info = mp3_frame(Frame{});
  std::copy_n("Info", 4, info.begin() + 4 + 32);
  Frame mono;
  mono.mono = true;
  Bytes xing = mp3_frame(mono);
  std::copy_n("Xing", 4, xing.begin() + 4 + 17);
  Imported a(device.ipod, ipod_track_from_mp3, info + cbr(100));
  Imported b(device.ipod, ipod_track_from_mp3, xing + mp3_frames(mono, 100));
  EXPECT_EQ(a.attr(IPOD_TRACK_LENGTH), 2612u);
  EXPECT_EQ(b.attr(IPOD_TRACK_LENGTH), 2612u);
}

TEST_F(Mp3, Id3v1TagsOfBothVersions) {
  Imported v11(device.ipod, ipod_track_from_mp3,
               cbr(10) + id3v1("Caf\xE9 Song", "Artist   ", "Album", "2006", "A comment", 5, 17));
  EXPECT_EQ(v11.text(IPOD_TITLE), "Caf\xC3\xA9 Song");
  EXPECT_EQ(v11.text(IPOD_ARTIST), "Artist");  // blank padding dropped
  EXPECT_EQ(v11.text(IPOD_ALBUM), "Album");
  EXPECT_EQ(v11.text(IPOD_COMMENT), "A comment");
  EXPECT_EQ(v11.attr(IPOD_TRACK_YEAR), 2006u);
  EXPECT_EQ(v11.attr(IPOD_TRACK_NUMBER), 5u);
  EXPECT_EQ(v11.text(IPOD_GENRE), "Rock");
  EXPECT_EQ(v11.attr(IPOD_TRACK_SIZE), 10u * 417 + 128);
  EXPECT_EQ(v11.attr(IPOD_TRACK_LENGTH), 10u * 1152000 / 44100);

  // ID3v1.0: the comment fills its 30 bytes; no track number; the year is
  // not digits; 255 is no genre; an empty field adds no text.
  Imported v10(device.ipod, ipod_track_from_mp3,
               cbr(10) + id3v1("", "X", "Y", "19x7", "This comment fills thirty byte", -1, 255));
  EXPECT_EQ(v10.text(IPOD_COMMENT), "This comment fills thirty byte");
  EXPECT_EQ(v10.attr(IPOD_TRACK_NUMBER), 0u);
  EXPECT_EQ(v10.attr(IPOD_TRACK_YEAR), 0u);
  EXPECT_FALSE(v10.has(IPOD_GENRE));
  EXPECT_FALSE(v10.has(IPOD_TITLE));
}

TEST_F(Mp3, Id3v1BytesThatLookLikeAFrameAreNotCounted) {
  Imported t(device.ipod, ipod_track_from_mp3, cbr(10) + id3v1("T", "A", "B", "2000", "\xFF\xFB\x90\x44xyz", 1, 0));
  EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), 10u * 1152000 / 44100);
  EXPECT_EQ(t.attr(IPOD_TRACK_VBR), 0x100u);
}

TEST_F(Mp3, TextFrameBodiesInEveryEncoding) {
  struct Case {
    const char *name;
    Bytes body;
    const char *expected;  // null: no text
  } cases[] = {
      {"ISO-8859-1", Bytes{0} + text_bytes("Caf\xE9"), "Caf\xC3\xA9"},
      {"UTF-16 little-endian", Bytes{1, 0xFF, 0xFE, 'C', 0, 'a', 0, 'f', 0, 0xE9, 0}, "Caf\xC3\xA9"},
      {"UTF-16 big-endian mark", Bytes{1, 0xFE, 0xFF, 0, 'C', 0x20, 0xAC}, "C\xE2\x82\xAC"},
      {"UTF-16BE", Bytes{2, 0, 'C', 0, 'a', 0, 'f', 0, 0xE9}, "Caf\xC3\xA9"},
      {"UTF-8", Bytes{3} + text_bytes("Caf\xC3\xA9"), "Caf\xC3\xA9"},
      {"first of several texts", Bytes{0} + text_bytes("One") + Bytes{0} + text_bytes("Two"), "One"},
      {"UTF-16 with terminator", Bytes{1, 0xFF, 0xFE, 'A', 0, 0, 0, 'B', 0}, "A"},
      {"UTF-16 without room for units", Bytes{1, 0xFF}, ""},
      {"empty body", Bytes{}, nullptr},
      {"encoding 4", Bytes{4, 'A'}, nullptr},
      {"encoding 0xFF", Bytes{0xFF, 'A'}, nullptr},
  };
  for (uint32_t chunk : {1u, 0xFFFFFFFFu}) {
    for (const Case &c : cases) {
      TestStream stream(c.body);
      stream.max_chunk = chunk;
      ipod_string s = ipod_mp3_scan_id3v2_text(stream.io, 3, (uint32_t)c.body.size());
      if (!c.expected) {
        EXPECT_EQ(s, nullptr) << c.name;
      } else {
        ASSERT_NE(s, nullptr) << c.name;
        EXPECT_STREQ(s, c.expected) << c.name;
      }
      if (s) ipod_string_free(s);
    }
  }
  // A size far beyond the stream reads what there is.
  TestStream huge(Bytes{0} + text_bytes("Short"));
  ipod_string s = ipod_mp3_scan_id3v2_text(huge.io, 3, 0xFFFFFFFFu);
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(s, "Short");
  ipod_string_free(s);
  EXPECT_EQ(errors.count("ipod_mp3_scan_text(): Invalid text encoding 4\n"), 2u);
  EXPECT_EQ(errors.count("ipod_mp3_scan_text(): Invalid text encoding -1\n"), 2u);
}

TEST_F(Mp3, Id3v2TagsOfEachVersion) {
  struct Ids {
    int version;
    const char *title, *artist, *album, *composer, *year, *genre, *track, *disc;
    const char *year_text;
  } versions[] = {
      {2, "TT2", "TP1", "TAL", "TCM", "TYE", "TCO", "TRK", "TPA", "2006"},
      {3, "TIT2", "TPE1", "TALB", "TCOM", "TYER", "TCON", "TRCK", "TPOS", "2006"},
      {4, "TIT2", "TPE1", "TALB", "TCOM", "TDRC", "TCON", "TRCK", "TPOS", "2006-05-01"},
  };
  for (const Ids &v : versions) {
    // Texts in several encodings; unknown frames are stepped over.
    Bytes frames = id3v2_frame(v.version, v.title, Bytes{1, 0xFF, 0xFE, 'T', 0, 0xFC, 0}) +
                   id3v2_frame(v.version, v.version == 2 ? "COM" : "COMM", Bytes{0, 'e', 'n', 'g', 0, 'x'}) +
                   id3v2_text(v.version, v.artist, "Artist") + id3v2_text(v.version, v.album, "Album") +
                   id3v2_frame(v.version, v.composer, Bytes{v.version == 4 ? (unsigned char)3 : (unsigned char)0} + text_bytes("Composer")) +
                   id3v2_text(v.version, v.year, v.year_text) + id3v2_text(v.version, v.genre, "(17)") +
                   id3v2_text(v.version, v.track, "7/12") + id3v2_text(v.version, v.disc, "1/2");
    Imported t(device.ipod, ipod_track_from_mp3, id3v2_tag(v.version, frames) + cbr(10));
    SCOPED_TRACE(v.version);
    EXPECT_EQ(t.text(IPOD_TITLE), "T\xC3\xBC");
    EXPECT_EQ(t.text(IPOD_ARTIST), "Artist");
    EXPECT_EQ(t.text(IPOD_ALBUM), "Album");
    EXPECT_EQ(t.text(IPOD_COMPOSER), "Composer");
    EXPECT_EQ(t.attr(IPOD_TRACK_YEAR), 2006u);
    EXPECT_EQ(t.text(IPOD_GENRE), "Rock");
    EXPECT_EQ(t.attr(IPOD_TRACK_NUMBER), 7u);
    EXPECT_EQ(t.attr(IPOD_TRACK_TOTAL), 12u);
    EXPECT_EQ(t.attr(IPOD_TRACK_DISC_NUMBER), 1u);
    EXPECT_EQ(t.attr(IPOD_TRACK_DISC_TOTAL), 2u);
    EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), 10u * 1152000 / 44100);
  }
}

TEST_F(Mp3, GenreYearAndNumberTexts) {
  struct Case {
    const char *id, *text;
    int attribute;  // 0: check the genre text
    uint32_t number;
    const char *genre;  // null: no genre
  } cases[] = {
      {"TCON", "(17)", 0, 0, "Rock"},
      {"TCON", "Rock", 0, 0, "Rock"},  // a plain name stands as it is
      {"TCON", "Post-Rock", 0, 0, "Post-Rock"},
      {"TCON", "(17)Rock", 0, 0, "Rock"},
      {"TCON", "80", 0, 0, "Folk"},
      {"TCON", "(147)", 0, 0, "Synthpop"},
      {"TCON", "(148)", 0, 0, nullptr},
      {"TCON", "(RX)", 0, 0, "(RX)"},
      {"TRCK", "7/12", IPOD_TRACK_TOTAL, 12, nullptr},
      {"TRCK", "7", IPOD_TRACK_NUMBER, 7, nullptr},
      {"TRCK", "7", IPOD_TRACK_TOTAL, 0, nullptr},
      {"TRCK", "-3", IPOD_TRACK_NUMBER, 0, nullptr},
      {"TYER", "2006", IPOD_TRACK_YEAR, 2006, nullptr},
      {"TYER", "20x6", IPOD_TRACK_YEAR, 0, nullptr},
      {"TYER", "200", IPOD_TRACK_YEAR, 0, nullptr},
  };
  for (const Case &c : cases) {
    Imported t(device.ipod, ipod_track_from_mp3, id3v2_tag(3, id3v2_text(3, c.id, c.text)) + cbr(2));
    std::string what = std::string(c.id) + " " + c.text;
    if (c.attribute) {
      EXPECT_EQ(t.attr(c.attribute), c.number) << what;
    } else if (c.genre) {
      EXPECT_EQ(t.text(IPOD_GENRE), c.genre) << what;
    } else {
      EXPECT_FALSE(t.has(IPOD_GENRE)) << what;
    }
  }
}

TEST_F(Mp3, ExtendedHeadersAreSkippedByTheirVersionsRule) {
  // ID3v2.3: the size (6 or 10) leaves out its own four bytes.
  Bytes v3 = id3v2_tag(3, id3v2_text(3, "TIT2", "Three"), 0x40, be32(6) + Bytes{0, 0} + be32(0));
  // ID3v2.4: a syncsafe size that counts itself.
  Bytes v4 = id3v2_tag(4, id3v2_text(4, "TIT2", "Four"), 0x40, syncsafe(6) + Bytes{1, 0});
  Imported a(device.ipod, ipod_track_from_mp3, v3 + cbr(2));
  Imported b(device.ipod, ipod_track_from_mp3, v4 + cbr(2));
  EXPECT_EQ(a.text(IPOD_TITLE), "Three");
  EXPECT_EQ(b.text(IPOD_TITLE), "Four");
  // A compressed ID3v2.2 tag cannot be read and is passed over.
  Imported c(device.ipod, ipod_track_from_mp3, id3v2_tag(2, id3v2_text(2, "TT2", "Two"), 0x40) + cbr(2));
  EXPECT_FALSE(c.has(IPOD_TITLE));
  EXPECT_EQ(c.attr(IPOD_TRACK_LENGTH), 2u * 1152000 / 44100);
}

TEST_F(Mp3, DamagedTagsAreSkippedAndTheFramesStillCounted) {
  Imported unsupported(device.ipod, ipod_track_from_mp3, id3v2_tag(5, id3v2_text(3, "TIT2", "Five")) + cbr(10));
  EXPECT_TRUE(errors.contains("ipod_mp3_scan_id3v3(): Unsupported ID3v2 version (5.0)\n"));
  EXPECT_FALSE(unsupported.has(IPOD_TITLE));
  EXPECT_EQ(unsupported.attr(IPOD_TRACK_LENGTH), 10u * 1152000 / 44100);

  // The second frame claims more bytes than the tag holds.
  Bytes tag = id3v2_tag(3, id3v2_text(3, "TIT2", "Kept") + text_bytes("TPE1") + be32(100000) + Bytes{0, 0, 0} +
                               text_bytes("Lost"));
  Imported overlong(device.ipod, ipod_track_from_mp3, tag + cbr(10));
  EXPECT_EQ(overlong.text(IPOD_TITLE), "Kept");
  EXPECT_FALSE(overlong.has(IPOD_ARTIST));
  EXPECT_EQ(overlong.attr(IPOD_TRACK_LENGTH), 10u * 1152000 / 44100);

  // Compressed frames are not read as text.
  Bytes compressed = text_bytes("TIT2") + be32(5) + Bytes{0x00, 0x80} + Bytes{0} + text_bytes("Zip!");
  Imported zipped(device.ipod, ipod_track_from_mp3, id3v2_tag(3, compressed + id3v2_text(3, "TPE1", "A")) + cbr(2));
  EXPECT_FALSE(zipped.has(IPOD_TITLE));
  EXPECT_EQ(zipped.text(IPOD_ARTIST), "A");
}

TEST_F(Mp3, Id3v2TextsWinOverId3v1) {
  Imported t(device.ipod, ipod_track_from_mp3,
             id3v2_tag(3, id3v2_text(3, "TIT2", "New")) + cbr(3) + id3v1("Old", "Old artist", "", "1999", "", 2, 0));
  EXPECT_EQ(t.text(IPOD_TITLE), "New");
  EXPECT_EQ(t.text(IPOD_ARTIST), "Old artist");
  EXPECT_EQ(t.attr(IPOD_TRACK_YEAR), 1999u);
}

TEST_F(Mp3, TheScanReadsInLargeBlocks) {
  Bytes file = id3v2_tag(3, id3v2_text(3, "TIT2", "Blocks") + id3v2_frame(3, "APIC", zeros(200000))) +
               zeros(100000) + cbr(2000) + id3v1("T", "A", "B", "2001", "", 1, 1);
  TestStream stream(file);
  ipod_track_t track = ipod_track_from_mp3(device.ipod, stream.io);
  EXPECT_EQ(ipod_track_get_attribute(track, IPOD_TRACK_LENGTH), 2000u * 1152000 / 44100);
  // About 1.2 MB: a call per byte or per frame would be thousands.
  EXPECT_LT(stream.calls, 200);
  ipod_track_free(track);
}

TEST_F(Mp3, BadArgumentsAreReported) {
  EXPECT_EQ(ipod_track_from_mp3(device.ipod, nullptr), nullptr);
  EXPECT_TRUE(errors.contains("ipod_track_from_mp3(): No stream\n"));
  TestStream stream(cbr(1));
  EXPECT_EQ(ipod_track_from_mp3(nullptr, stream.io), nullptr);
  EXPECT_EQ(ipod_track_count(device.ipod), 0u);
}

}  // namespace
