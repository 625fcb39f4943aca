// Files made by real encoders and taggers (ffmpeg, lame, id3v2, mutagen):
// the texts the tagger wrote come back, and the duration is within one
// frame of what ffprobe reports.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "import_support.h"
#include "ipod_track_add.h"
#include "library_dump.h"

namespace {

bool run(const std::string &command, std::string *out = nullptr) {
  FILE *p = popen(("{ " + command + "\n} 2>/dev/null").c_str(), "r");
  if (!p) return false;
  char buffer[4096];
  size_t n;
  std::string text;
  while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) text.append(buffer, n);
  if (out) *out = text;
  return pclose(p) == 0;
}

bool tools_present() {
  static const bool present = run("command -v ffmpeg && command -v ffprobe && command -v lame && command -v id3v2") &&
                              run("/usr/bin/python3 -c 'import mutagen'");
  return present;
}

double probe(const std::string &file, const std::string &entry) {
  std::string out;
  EXPECT_TRUE(run("ffprobe -v error -show_entries " + entry + " -of csv=p=0 '" + file + "'", &out)) << file;
  return std::atof(out.c_str());
}

std::string text_of(ipod_track_t track, int type) {
  ipod_string s = ipod_track_get_text(track, type, nullptr);
  std::string out = s ? s : "";
  if (s) ipod_string_free(s);
  return out;
}

struct Encoded : ::testing::Test {
  Device device;
  TempDir work;
  ErrorCapture errors;

  void SetUp() override {
    if (!tools_present()) GTEST_SKIP() << "ffmpeg, lame, id3v2 or mutagen missing";
  }

  std::string make(const std::string &name, const std::string &commands) {
    std::string path = work / name;
    std::string script = "cd '" + work.path + "' && ffmpeg -nostdin -loglevel error -y -f lavfi -i "
                         "'sine=frequency=440:duration=7.3:sample_rate=44100' -ac 2 tone.wav && " + commands;
    EXPECT_TRUE(run(script)) << script;
    return path;
  }

  // Imports a file and checks its duration against ffprobe's, within one
  // frame of `frame_samples` samples.
  ipod_track_t import(const std::string &path, double frame_samples) {
    ipod_track_t t = ipod_track_add_from(device.ipod, path.c_str());
    EXPECT_NE(t, nullptr) << path;
    if (!t) return nullptr;
    double rate = probe(path, "stream=sample_rate");
    double expected_ms = probe(path, "format=duration") * 1000;
    double frame_ms = frame_samples / rate * 1000;
    EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_SAMPLE_RATE), (uint32_t)rate) << path;
    EXPECT_LE(std::fabs(ipod_track_get_attribute(t, IPOD_TRACK_LENGTH) - expected_ms), frame_ms + 1)
        << path << ": ffprobe " << expected_ms << " ms";
    return t;
  }
};

TEST_F(Encoded, Mp3FilesOfLameAndFfmpeg) {
  struct Case {
    const char *name;
    const char *encode;  // from tone.wav
    double frame_samples;
    uint32_t bit_rate;  // 0: variable
  } cases[] = {
      {"cbr.mp3", "lame --quiet -b 128 tone.wav cbr.mp3", 1152, 128},
      {"vbr.mp3", "lame --quiet -V 4 tone.wav vbr.mp3", 1152, 0},
      {"crc.mp3", "lame --quiet -p -b 160 tone.wav crc.mp3", 1152, 160},
      {"plain.mp3", "lame --quiet -t -b 96 tone.wav plain.mp3", 1152, 96},
      {"mpeg2.mp3", "lame --quiet --resample 22.05 -b 64 tone.wav mpeg2.mp3", 576, 64},
      {"mpeg25.mp3", "lame --quiet --resample 8 -b 16 tone.wav mpeg25.mp3", 576, 16},
      {"mono.mp3", "ffmpeg -nostdin -loglevel error -i tone.wav -ac 1 -c:a libmp3lame -b:a 96k mono.mp3", 1152, 96},
      {"layer2.mp3", "ffmpeg -nostdin -loglevel error -i tone.wav -c:a mp2 -b:a 192k -f mp2 layer2.mp3", 1152, 192},
  };
  for (const Case &c : cases) {
    ipod_track_t t = import(make(c.name, c.encode), c.frame_samples);
    if (!t) continue;
    if (c.bit_rate) {
      EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_BITRATE), c.bit_rate) << c.name;
      EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_VBR), 0x100u) << c.name;
    } else {
      EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_VBR), 0x101u) << c.name;
    }
    ipod_track_free(t);
  }
}

TEST_F(Encoded, TagsOfId3v2AndMutagen) {
  std::string id3v2_tool = make("id3v2.mp3", "lame --quiet -b 128 tone.wav id3v2.mp3 && "
                                              "id3v2 -t 'T\xC3\xAFtle' -a 'Artist' -A 'Album' -y 2006 -T 7/12 -g 17 "
                                              "-c 'A comment' id3v2.mp3");
  const char *mutagen =
      "/usr/bin/python3 - <<'EOF'\n"
      "from mutagen.id3 import ID3, TIT2, TPE1, TALB, TCOM, TCON, TRCK, TPOS, TDRC, Encoding\n"
      "for name, version, encoding in (('v24.mp3', 4, Encoding.UTF8), ('v23.mp3', 3, Encoding.UTF16)):\n"
      "    tags = ID3()\n"
      "    tags.add(TIT2(encoding=encoding, text='\\u65e5\\u672c\\u306e\\u6b4c'))\n"
      "    tags.add(TPE1(encoding=encoding, text='Bj\\u00f6rk'))\n"
      "    tags.add(TALB(encoding=encoding, text='Album \\u2014 Live'))\n"
      "    tags.add(TCOM(encoding=encoding, text='Composer'))\n"
      "    tags.add(TCON(encoding=encoding, text='Post-Rock'))\n"
      "    tags.add(TRCK(encoding=encoding, text='3/9'))\n"
      "    tags.add(TPOS(encoding=encoding, text='1/2'))\n"
      "    tags.add(TDRC(encoding=encoding, text='1999-04-01'))\n"
      "    tags.save(name, v2_version=version)\n"
      "EOF";
  make("v24.mp3", std::string("lame --quiet -V 2 tone.wav v24.mp3 && cp v24.mp3 v23.mp3 && ") + mutagen);

  ipod_track_t t = import(id3v2_tool, 1152);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(text_of(t, IPOD_TITLE), "T\xC3\xAFtle");
  EXPECT_EQ(text_of(t, IPOD_ARTIST), "Artist");
  EXPECT_EQ(text_of(t, IPOD_ALBUM), "Album");
  EXPECT_EQ(text_of(t, IPOD_GENRE), "Rock");
  EXPECT_EQ(text_of(t, IPOD_COMMENT), "A comment");  // from its ID3v1 tag
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_YEAR), 2006u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_NUMBER), 7u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_TOTAL), 12u);
  ipod_track_free(t);

  for (const char *name : {"v24.mp3", "v23.mp3"}) {
    ipod_track_t m = import(work / name, 1152);
    ASSERT_NE(m, nullptr) << name;
    EXPECT_EQ(text_of(m, IPOD_TITLE), "\xE6\x97\xA5\xE6\x9C\xAC\xE3\x81\xAE\xE6\xAD\x8C") << name;
    EXPECT_EQ(text_of(m, IPOD_ARTIST), "Bj\xC3\xB6rk") << name;
    EXPECT_EQ(text_of(m, IPOD_ALBUM), "Album \xE2\x80\x94 Live") << name;
    EXPECT_EQ(text_of(m, IPOD_COMPOSER), "Composer") << name;
    EXPECT_EQ(text_of(m, IPOD_GENRE), "Post-Rock") << name;
    EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_NUMBER), 3u) << name;
    EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_TOTAL), 9u) << name;
    EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_DISC_NUMBER), 1u) << name;
    EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_DISC_TOTAL), 2u) << name;
    EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_YEAR), 1999u) << name;
    ipod_track_free(m);
  }
}

TEST_F(Encoded, Mpeg4FilesOfFfmpegAndMutagen) {
  std::string plain = make("ffmpeg.m4a",
                           "ffmpeg -nostdin -loglevel error -i tone.wav -c:a aac -b:a 128k "
                           "-metadata title='Chanson d\xE2\x80\x99\xC3\xA9t\xC3\xA9' -metadata artist=Artiste "
                           "-metadata album=Album -metadata date=2006-05-01 -metadata track=3/12 -metadata disc=1/2 "
                           "-metadata genre=Jazz -metadata composer=Compositeur -metadata comment=Remarque ffmpeg.m4a");
  ipod_track_t t = import(plain, 1024);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(text_of(t, IPOD_TITLE), "Chanson d\xE2\x80\x99\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(text_of(t, IPOD_ARTIST), "Artiste");
  EXPECT_EQ(text_of(t, IPOD_ALBUM), "Album");
  EXPECT_EQ(text_of(t, IPOD_GENRE), "Jazz");
  EXPECT_EQ(text_of(t, IPOD_COMPOSER), "Compositeur");
  EXPECT_EQ(text_of(t, IPOD_COMMENT), "Remarque");
  EXPECT_EQ(text_of(t, IPOD_FILETYPE), "AAC audio file");
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_YEAR), 2006u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_NUMBER), 3u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_TOTAL), 12u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_DISC_NUMBER), 1u);
  EXPECT_EQ(ipod_track_get_attribute(t, IPOD_TRACK_DISC_TOTAL), 2u);
  // Near the 128 kbit/s asked for (1024-bit kbit, container overhead aside).
  uint32_t rate = ipod_track_get_attribute(t, IPOD_TRACK_BITRATE);
  EXPECT_GT(rate, 100u);
  EXPECT_LT(rate, 140u);
  ipod_track_free(t);

  // One-byte ratings as mutagen writes them (it cannot write genre numbers).
  std::string tagged = make("mutagen.m4a",
                            "ffmpeg -nostdin -loglevel error -i tone.wav -c:a aac -b:a 96k mutagen.m4a && "
                            "/usr/bin/python3 - <<'EOF'\n"
                            "from mutagen.mp4 import MP4\n"
                            "f = MP4('mutagen.m4a')\n"
                            "f['\\xa9nam'] = ['Titel \\u00fc']\n"
                            "f['\\xa9gen'] = ['Krautrock']\n"
                            "f['rtng'] = [4]\n"
                            "f['cpil'] = True\n"
                            "f['\\xa9grp'] = ['Gruppe']\n"
                            "f['\\xa9wrt'] = ['Komponist']\n"
                            "f['\\xa9day'] = ['1987']\n"
                            "f.save()\n"
                            "EOF");
  ipod_track_t m = import(tagged, 1024);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(text_of(m, IPOD_TITLE), "Titel \xC3\xBC");
  EXPECT_EQ(text_of(m, IPOD_GENRE), "Krautrock");
  EXPECT_EQ(text_of(m, IPOD_GROUPING), "Gruppe");
  EXPECT_EQ(text_of(m, IPOD_COMPOSER), "Komponist");
  EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_RATING), 4u);
  EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_COMPILATION), 1u);
  EXPECT_EQ(ipod_track_get_attribute(m, IPOD_TRACK_YEAR), 1987u);
  ipod_track_free(m);

  // Everything imported here is what libgpod reads from the written file.
  ASSERT_EQ(ipod_flush(device.ipod), 0);
  std::string theirs;
  EXPECT_TRUE(run(std::string(GPOD_HELPER) + " dump " + device.dir / "iPod_Control/iTunes/iTunesDB", &theirs));
  EXPECT_EQ(theirs, dump_library(device.ipod));
}

}  // namespace
