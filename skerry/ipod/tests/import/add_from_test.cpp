// Importing local files into a device: the file lands at a unique place in
// the music folders, refusals leave nothing behind, and libgpod reads the
// written database back.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "import_support.h"
#include "ipod_track_add.h"
#include "library_dump.h"

namespace {

std::string shell(const std::string &command) {
  std::string out;
  FILE *p = popen(command.c_str(), "r");
  if (!p) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
  EXPECT_EQ(pclose(p), 0) << command;
  return out;
}

std::string text_of(ipod_track_t track, int type) {
  ipod_string s = ipod_track_get_text(track, type, nullptr);
  std::string out = s ? s : "";
  if (s) ipod_string_free(s);
  return out;
}

// Files in the music folders of a device.
size_t music_files(const Device &device) {
  size_t n = 0;
  for (auto &entry : std::filesystem::recursive_directory_iterator(device.dir / "iPod_Control/Music"))
    n += entry.is_regular_file() ? 1 : 0;
  return n;
}

Bytes tagged_mp3() {
  return id3v2_tag(3, id3v2_text(3, "TIT2", "Imported") + id3v2_text(3, "TPE1", "Some Artist")) + mp3_frames(Frame{}, 200) +
         id3v1("Imported", "Some Artist", "An Album", "2004", "Comment", 3, 17);
}

struct AddFrom : ::testing::Test {
  Device device;
  TempDir local;
  ErrorCapture errors;
};

TEST_F(AddFrom, AnMp3LandsAtAUniqueLocationWithItsBytes) {
  Bytes file = tagged_mp3();
  write_file(local / "song.mp3", file);
  ipod_track_t a = ipod_track_add_from(device.ipod, (local / "song.mp3").c_str());
  ipod_track_t b = ipod_track_add_from(device.ipod, (local / "song.mp3").c_str());
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  std::regex location(":iPod_Control:Music:F[01][0-9]:[A-Z]{4}\\.mp3");
  EXPECT_TRUE(std::regex_match(text_of(a, IPOD_LOCATION), location)) << text_of(a, IPOD_LOCATION);
  EXPECT_NE(text_of(a, IPOD_LOCATION), text_of(b, IPOD_LOCATION));
  EXPECT_EQ(read_file(text_of(a, IPOD_FULL_PATH)), file);
  EXPECT_EQ(read_file(text_of(b, IPOD_FULL_PATH)), file);
  EXPECT_EQ(text_of(a, IPOD_TITLE), "Imported");
  EXPECT_EQ(text_of(a, IPOD_ALBUM), "An Album");
  EXPECT_EQ(ipod_track_get_attribute(a, IPOD_TRACK_LENGTH), 200u * 1152000 / 44100);
  EXPECT_EQ(ipod_track_count(device.ipod), 2u);
  ipod_track_free(a);
  ipod_track_free(b);
}

TEST_F(AddFrom, AnUntitledFileIsNamedAfterItself) {
  make_dirs(local / "album.v2");
  write_file(local / "My Song.mp3", mp3_frames(Frame{}, 20));
  write_file(local / "album.v2/untitled", mp3_frames(Frame{}, 20));
  ipod_track_t named = ipod_track_add_from(device.ipod, (local / "My Song.mp3").c_str());
  // No extension (the dot is the folder's): taken as MP3.
  ipod_track_t bare = ipod_track_add_from(device.ipod, (local / "album.v2/untitled").c_str());
  ASSERT_NE(named, nullptr);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(text_of(named, IPOD_TITLE), "My Song.mp3");
  EXPECT_EQ(text_of(bare, IPOD_TITLE), "untitled");
  EXPECT_EQ(text_of(bare, IPOD_LOCATION).substr(text_of(bare, IPOD_LOCATION).size() - 4), ".mp3");
  ipod_track_free(named);
  ipod_track_free(bare);
}

TEST_F(AddFrom, AnMpeg4File) {
  Bytes moov = box("moov", mvhd(0, 1000, 2000) + audio_track("mp4a", 48000) +
                               ilst_in_udta(data_item("\xA9nam", 1, text_bytes("AAC song"))));
  write_file(local / "a.m4a", box("ftyp", text_bytes("M4A ")) + moov + box("mdat", zeros(32000)));
  ipod_track_t t = ipod_track_add_from(device.ipod, (local / "a.m4a").c_str());
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(text_of(t, IPOD_TITLE), "AAC song");
  EXPECT_EQ(text_of(t, IPOD_FILETYPE), "AAC audio file");
  EXPECT_EQ(text_of(t, IPOD_LOCATION).substr(text_of(t, IPOD_LOCATION).size() - 4), ".m4a");
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_BITRATE), 125u);
  ipod_track_free(t);
}

TEST_F(AddFrom, RefusedFilesLeaveNoTrackAndNoFile) {
  write_file(local / "sound.wav", zeros(100));
  write_file(local / "loud.MP3", mp3_frames(Frame{}, 5));
  write_file(local / "song.ogg", zeros(100));
  write_file(local / "text.mp3", text_bytes("not audio at all"));
  write_file(local / "text.m4a", text_bytes("not audio at all"));
  make_dirs(local / "folder.mp3");
  struct Case {
    std::string name, message;
  } cases[] = {
      {"sound.wav", "ipod_track_add_from(): WAV files are not imported: " + local / "sound.wav" + "\n"},
      {"missing.wav", "ipod_track_add_from_wav(): Cannot open file " + local / "missing.wav" + "\n"},
      {"loud.MP3", "ipod_track_add_from(): Unrecognized file extension for " + local / "loud.MP3" + "\n"},
      {"song.ogg", "ipod_track_add_from(): Unrecognized file extension for " + local / "song.ogg" + "\n"},
      {"missing.mp3", "ipod_track_add_from_mp3(): Cannot open file " + local / "missing.mp3" + "\n"},
      {"missing.m4a", "ipod_track_add_from_m4a(): Cannot open file " + local / "missing.m4a" + "\n"},
      {"folder.mp3", "ipod_track_add_from_mp3(): Cannot open file " + local / "folder.mp3" + "\n"},
      {"text.mp3", "ipod_track_add_from(): No audio found in " + local / "text.mp3" + "\n"},
      {"text.m4a", "ipod_track_add_from(): No audio found in " + local / "text.m4a" + "\n"},
  };
  for (const Case &c : cases) {
    errors.messages.clear();
    EXPECT_EQ(ipod_track_add_from(device.ipod, (local / c.name).c_str()), nullptr) << c.name;
    EXPECT_TRUE(errors.contains(c.message)) << c.name << ": " << (errors.messages.empty() ? "" : errors.messages[0]);
    EXPECT_EQ(ipod_track_count(device.ipod), 0u) << c.name;
  }
  EXPECT_EQ(music_files(device), 0u);
}

TEST_F(AddFrom, AFailedCopyRemovesTheTrackAgain) {
  Device broken(0);
  // The only music folder is one where no file can be created.
  make_dirs(broken.dir / "iPod_Control/Music");
  std::filesystem::create_directory_symlink("/proc", broken.dir / "iPod_Control/Music/F00");
  write_file(local / "song.mp3", tagged_mp3());
  EXPECT_EQ(ipod_track_add_from(broken.ipod, (local / "song.mp3").c_str()), nullptr);
  EXPECT_TRUE(errors.contains("ipod_copy_file(): Can't write " + broken.dir.path + "/iPod_Control/Music/F00/"));
  EXPECT_EQ(ipod_track_count(broken.ipod), 0u);

  Device no_folders(0);
  EXPECT_EQ(ipod_track_add_from(no_folders.ipod, (local / "song.mp3").c_str()), nullptr);
  EXPECT_EQ(ipod_track_count(no_folders.ipod), 0u);
  EXPECT_TRUE(errors.contains("No music folder"));
}

TEST_F(AddFrom, LibgpodReadsTheImportedTracks) {
  write_file(local / "one.mp3", tagged_mp3());
  Bytes v24 = id3v2_tag(4, id3v2_frame(4, "TIT2", Bytes{3} + text_bytes("\xE6\x97\xA5\xE6\x9C\xAC")) +
                               id3v2_text(4, "TCON", "(80)") + id3v2_text(4, "TRCK", "4/9") +
                               id3v2_text(4, "TDRC", "1999") + id3v2_text(4, "TCOM", "Composer"));
  Frame mpeg2;
  mpeg2.version = 2;
  mpeg2.rate_index = 8;
  write_file(local / "two.mp3", v24 + mp3_frames(mpeg2, 300));
  Bytes items = data_item("\xA9nam", 1, text_bytes("Quatre")) + data_item("\xA9" "ART", 1, text_bytes("Artiste")) +
                data_item("gnre", 0, be16(18)) + data_item("disk", 0, be32(2) + be16(3)) +
                data_item("\xA9" "cmt", 1, text_bytes("Remarque"));
  write_file(local / "three.m4a", box("ftyp", text_bytes("M4A ")) +
                                      box("moov", mvhd(0, 44100, 441000) + audio_track("mp4a", 44100) + ilst_in_udta(items)) +
                                      box("mdat", zeros(160000)));
  for (const char *name : {"one.mp3", "two.mp3", "three.m4a"}) {
    ipod_track_t t = ipod_track_add_from(device.ipod, (local / name).c_str());
    ASSERT_NE(t, nullptr) << name;
    ipod_track_free(t);
  }
  ASSERT_EQ(ipod_flush(device.ipod), 0);
  std::string ours = dump_library(device.ipod);
  std::string theirs = shell(std::string(GPOD_HELPER) + " dump " + device.dir / "iPod_Control/iTunes/iTunesDB");
  EXPECT_EQ(theirs, ours);
  for (const char *expected :
       {"title=Imported", "artist=Some Artist", "album=An Album", "genre=Rock", "year=2004", "number=3 ",
        "title=\xE6\x97\xA5\xE6\x9C\xAC", "genre=Folk", "composer=Composer", "number=4 total=9 year=1999",
        "samplerate=22050", "title=Quatre", "genre=Rock filetype=AAC audio file comment=Remarque", "disc=2/3",
        "length=10000", "bitrate=125", "filetype=MPEG audio file"})
    EXPECT_NE(theirs.find(expected), std::string::npos) << expected << "\n" << theirs;
}

}  // namespace
