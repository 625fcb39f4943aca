// The MPEG-4 importer on files made byte by byte.
#include <gtest/gtest.h>

#include "import_support.h"
#include "ipod_track_from_m4a.h"

namespace {

Bytes ftyp() { return box("ftyp", text_bytes("M4A ") + be32(0) + text_bytes("M4A mp42isom")); }

Bytes m4a(const Bytes &moov_children, uint32_t media_bytes = 1000) {
  return ftyp() + box("moov", moov_children) + box("mdat", zeros(media_bytes));
}

Bytes text_item(const std::string &type, const std::string &text) { return data_item(type, 1, text_bytes(text)); }

struct M4a : ::testing::Test {
  Device device;
  ErrorCapture errors;
};

TEST_F(M4a, EveryMetadataItem) {
  Bytes items = text_item("\xA9nam", "Titre \xC3\xA9t\xC3\xA9") + text_item("\xA9" "ART", "Artist") +
                text_item("\xA9" "alb", "Album") + text_item("\xA9" "cmt", "Comment") +
                text_item("\xA9gen", "Post-Rock") + text_item("\xA9grp", "Grouping") +
                text_item("\xA9wrt", "Writer") + text_item("\xA9" "day", "2006-05-01") +
                data_item("trkn", 0, be32(3) + be16(12) + be16(0)) + data_item("disk", 0, be32(1) + be16(2)) +
                data_item("cpil", 21, Bytes{1}) + data_item("rtng", 21, Bytes{4}) +
                data_item("covr", 13, zeros(3000));
  Bytes file = m4a(mvhd(3000000000u, 1000, 7300) + audio_track("mp4a", 44100) + ilst_in_udta(items), 116800);
  Imported t(device.ipod, ipod_track_from_m4a, file);
  ASSERT_NE(t.track, nullptr);
  EXPECT_EQ(t.text(IPOD_TITLE), "Titre \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(t.text(IPOD_ARTIST), "Artist");
  EXPECT_EQ(t.text(IPOD_ALBUM), "Album");
  EXPECT_EQ(t.text(IPOD_COMMENT), "Comment");
  EXPECT_EQ(t.text(IPOD_GENRE), "Post-Rock");
  EXPECT_EQ(t.text(IPOD_GROUPING), "Grouping");
  EXPECT_EQ(t.text(IPOD_COMPOSER), "Writer");
  EXPECT_EQ(t.attr(IPOD_TRACK_YEAR), 2006u);
  EXPECT_EQ(t.attr(IPOD_TRACK_NUMBER), 3u);
  EXPECT_EQ(t.attr(IPOD_TRACK_TOTAL), 12u);
  EXPECT_EQ(t.attr(IPOD_TRACK_DISC_NUMBER), 1u);
  EXPECT_EQ(t.attr(IPOD_TRACK_DISC_TOTAL), 2u);
  EXPECT_EQ(t.attr(IPOD_TRACK_COMPILATION), 1u);
  EXPECT_EQ(t.attr(IPOD_TRACK_RATING), 4u);
  EXPECT_EQ(t.attr(IPOD_TRACK_ADDED_TIME), 3000000000u);
  EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), 7300u);
  EXPECT_EQ(t.attr(IPOD_TRACK_SAMPLE_RATE), 44100u);
  EXPECT_EQ(t.attr(IPOD_TRACK_VBR), 0u);
  EXPECT_EQ(t.attr(IPOD_TRACK_SIZE), file.size());
  // 116 800 bytes in 7.3 s: 16 000 bytes a second, 125 kbit/s of 1024 bits.
  EXPECT_EQ(t.attr(IPOD_TRACK_BITRATE), 125u);
  EXPECT_EQ(t.text(IPOD_FILETYPE), "AAC audio file");
}

TEST_F(M4a, GenreNumbersAndRatingsAsTaggersWriteThem) {
  struct Case {
    Bytes item;
    int attribute;  // 0: check the genre text
    uint32_t number;
    const char *genre;  // null: no genre
  } cases[] = {
      {data_item("gnre", 0, be16(18)), 0, 0, "Rock"},  // index plus one
      {data_item("gnre", 0, be16(1)), 0, 0, "Blues"},
      {data_item("gnre", 0, be16(148)), 0, 0, "Synthpop"},
      {data_item("gnre", 0, be16(0)), 0, 0, nullptr},
      {data_item("gnre", 0, be16(149)), 0, 0, nullptr},
      {data_item("rtng", 21, Bytes{1}), IPOD_TRACK_RATING, 1, nullptr},
      {data_item("rtng", 21, be16(2)), IPOD_TRACK_RATING, 2, nullptr},
      {data_item("cpil", 21, Bytes{0}), IPOD_TRACK_COMPILATION, 0, nullptr},
      {text_item("\xA9" "day", "abcd"), IPOD_TRACK_YEAR, 0, nullptr},
      {text_item("\xA9" "day", "1987"), IPOD_TRACK_YEAR, 1987, nullptr},
  };
  for (const Case &c : cases) {
    Imported t(device.ipod, ipod_track_from_m4a, m4a(mvhd(0, 1000, 1000) + ilst_in_udta(c.item)));
    if (c.attribute) {
      EXPECT_EQ(t.attr(c.attribute), c.number);
    } else if (c.genre) {
      EXPECT_EQ(t.text(IPOD_GENRE), c.genre);
    } else {
      EXPECT_FALSE(t.has(IPOD_GENRE));
    }
  }
}

TEST_F(M4a, MovieHeaderVersionsAndZeroDurations) {
  Bytes v1 = full_box("mvhd", 1, be32(0) + be32(1) + be32(0) + be32(3000000000u) + be32(44100) + be32(0) +
                                     be32(441000) + zeros(80));
  Imported a(device.ipod, ipod_track_from_m4a, m4a(v1));
  EXPECT_EQ(a.attr(IPOD_TRACK_LENGTH), 10000u);
  EXPECT_EQ(a.attr(IPOD_TRACK_ADDED_TIME), 3000000000u);

  // No duration, or no time scale: no bit rate, and no division by zero.
  for (const Bytes &header : {mvhd(0, 1000, 0), mvhd(0, 0, 5000)}) {
    Imported t(device.ipod, ipod_track_from_m4a, m4a(header + audio_track("mp4a", 48000)));
    EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), 0u);
    EXPECT_EQ(t.attr(IPOD_TRACK_BITRATE), 0u);
    EXPECT_EQ(t.attr(IPOD_TRACK_SAMPLE_RATE), 48000u);
    // A movie time of 0 leaves the time the track was added.
    EXPECT_NE(t.attr(IPOD_TRACK_ADDED_TIME), 0u);
  }
}

TEST_F(M4a, SampleEntriesOfAudioFormatsOnly) {
  struct Case {
    const char *format;
    uint32_t rate;
  } cases[] = {{"mp4a", 44100}, {"drms", 32000}, {"samr", 8000}, {"avc1", 0}};
  for (const Case &c : cases) {
    Imported t(device.ipod, ipod_track_from_m4a, m4a(mvhd(0, 1000, 1000) + audio_track(c.format, c.rate ? c.rate : 22050)));
    EXPECT_EQ(t.attr(IPOD_TRACK_SAMPLE_RATE), c.rate) << c.format;
  }
}

TEST_F(M4a, BoxSizesZeroAndSixtyFourBit) {
  Bytes moov = box("moov", mvhd(0, 1000, 1000) + ilst_in_udta(text_item("\xA9nam", "Sized")));
  // Size 0: the box runs to the end of the file.
  Imported to_end(device.ipod, ipod_track_from_m4a, ftyp() + moov + be32(0) + text_bytes("mdat") + zeros(5000));
  EXPECT_EQ(to_end.attr(IPOD_TRACK_BITRATE), 5000u / 128);
  // Size 1: a 64-bit size follows the type; the next box is found after it.
  Bytes large = be32(1) + text_bytes("mdat") + be32(0) + be32(16 + 6400) + zeros(6400);
  Imported wide(device.ipod, ipod_track_from_m4a, ftyp() + large + moov);
  EXPECT_EQ(wide.attr(IPOD_TRACK_BITRATE), 50u);
  EXPECT_EQ(wide.text(IPOD_TITLE), "Sized");
}

TEST_F(M4a, BoxesRunningPastTheirParentOrTheFileAreCut) {
  Bytes items = text_item("\xA9" "ART", "Artist") + text_item("\xA9nam", "Last");
  Bytes udta = ilst_in_udta(items);
  // The last item claims 50 bytes more than its list holds.
  size_t last = udta.size() - text_item("\xA9nam", "Last").size();
  udta[last + 3] += 50;
  Bytes moov_body = mvhd(0, 1000, 1000) + udta + audio_track("mp4a", 44100);
  Imported t(device.ipod, ipod_track_from_m4a, ftyp() + box("mdat", zeros(100)) + box("moov", moov_body));
  EXPECT_EQ(t.text(IPOD_ARTIST), "Artist");
  EXPECT_EQ(t.text(IPOD_TITLE), "Last");
  EXPECT_EQ(t.attr(IPOD_TRACK_SAMPLE_RATE), 44100u);

  // A movie box claiming more than the file holds is read up to its end.
  Bytes moov = box("moov", moov_body);
  moov[2] += 1;
  Imported truncated(device.ipod, ipod_track_from_m4a, ftyp() + moov);
  EXPECT_EQ(truncated.text(IPOD_TITLE), "Last");
  EXPECT_EQ(truncated.attr(IPOD_TRACK_LENGTH), 1000u);
  EXPECT_TRUE(errors.messages.empty());
}

TEST_F(M4a, ImpossibleBoxSizesEndTheirLevel) {
  Bytes good = box("moov", mvhd(0, 1000, 2000) + ilst_in_udta(text_item("\xA9nam", "Before")));
  struct Case {
    const char *name;
    Bytes bad;
    const char *message;
  } cases[] = {
      {"size 4", be32(4) + text_bytes("free") + zeros(100), "ipod_track_from_m4a(): Bad box size 4 at offset "},
      {"64-bit size 8", be32(1) + text_bytes("free") + be32(0) + be32(8) + zeros(100),
       "ipod_track_from_m4a(): Bad box size 1 at offset "},
  };
  for (const Case &c : cases) {
    errors.messages.clear();
    Imported t(device.ipod, ipod_track_from_m4a, ftyp() + good + c.bad + box("mdat", zeros(1000)));
    EXPECT_EQ(t.text(IPOD_TITLE), "Before") << c.name;
    EXPECT_EQ(t.attr(IPOD_TRACK_BITRATE), 0u) << c.name;  // the media box after it is lost
    EXPECT_TRUE(errors.contains(c.message)) << c.name;
  }
  Imported zero_file(device.ipod, ipod_track_from_m4a, zeros(5000));
  ASSERT_NE(zero_file.track, nullptr);
  EXPECT_EQ(zero_file.attr(IPOD_TRACK_LENGTH), 0u);
  EXPECT_EQ(zero_file.attr(IPOD_TRACK_SIZE), 5000u);
}

TEST_F(M4a, ItemsWithoutDataAndOlderMetaLayouts) {
  Bytes odd = box("\xA9nam", box("name", be32(0) + be32(0) + text_bytes("Not data")));
  Imported no_data(device.ipod, ipod_track_from_m4a, m4a(mvhd(0, 1000, 1000) + ilst_in_udta(odd)));
  EXPECT_FALSE(no_data.has(IPOD_TITLE));

  // "meta" written without version and flags, its first child the handler.
  Bytes meta = box("meta", full_box("hdlr", 0, zeros(8) + text_bytes("mdir") + zeros(13)) +
                               box("ilst", text_item("\xA9nam", "Old layout")));
  Imported old(device.ipod, ipod_track_from_m4a, m4a(mvhd(0, 1000, 1000) + box("udta", meta)));
  EXPECT_EQ(old.text(IPOD_TITLE), "Old layout");
}

TEST_F(M4a, ReadsThroughStreamsThatDeliverLittle) {
  Bytes file = m4a(mvhd(0, 600, 6000) + audio_track("mp4a", 22050) +
                   ilst_in_udta(text_item("\xA9nam", "Slow") + data_item("trkn", 0, be32(9) + be16(10))));
  Imported t(device.ipod, ipod_track_from_m4a, file, 1);
  EXPECT_EQ(t.text(IPOD_TITLE), "Slow");
  EXPECT_EQ(t.attr(IPOD_TRACK_NUMBER), 9u);
  EXPECT_EQ(t.attr(IPOD_TRACK_TOTAL), 10u);
  EXPECT_EQ(t.attr(IPOD_TRACK_LENGTH), 10000u);
  EXPECT_EQ(t.attr(IPOD_TRACK_SAMPLE_RATE), 22050u);
}

}  // namespace
