// Device folders with music (database entries and their files) for the
// browser and transfer tests: the local iPod at the root's mnt, the remote
// one at remote (linked to rip once mounted).
#pragma once

#include "module_fixture.h"

#include <algorithm>
#include <cstdio>
#include <map>

struct Song {
    std::string title, artist, album;
    size_t bytes = 0;         // the file's size
    const char *composer = nullptr;
    uint32_t number = 1;
    long db_size = -1;        // the size the database states (-1: bytes)
};

struct DbTrack {
    std::map<int, std::string> texts;
    std::map<int, uint32_t> attributes;
    std::string location, path;
};

class MusicTest : public ModuleTest {
protected:
    // Text tags and attributes a transfer carries over.
    static constexpr int copied_texts[] = {1, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14};

    static std::string content_of(const Song &s)
    {
        std::string data(s.bytes, '\0');
        for (size_t i = 0; i < data.size(); ++i)
            data[i] = char((i * 131 + s.title.size() * 7 + s.number) & 0xff);
        return data;
    }

    // A device folder whose database lists the songs in this order, each
    // with its file in F00.
    void make_music(const fs::path &dir, const std::vector<Song> &songs)
    {
        fs::create_directories(dir / "iPod_Control/iTunes");
        fs::create_directories(dir / "iPod_Control/Music/F00");
        fs::create_directories(dir / "iPod_Control/Music/F01");
        ipod_t ipod = ipod_new(dir.c_str());
        ASSERT_NE(ipod, nullptr);
        int n = 0;
        for (const Song &s : songs) {
            ipod_track_t t = ipod_track_add(ipod);
            ipod_track_set_text(t, IPOD_TITLE, s.title.c_str());
            ipod_track_set_text(t, IPOD_ARTIST, s.artist.c_str());
            ipod_track_set_text(t, IPOD_ALBUM, s.album.c_str());
            ipod_track_set_text(t, IPOD_GENRE, "Rock");
            ipod_track_set_text(t, IPOD_FILETYPE, "MPEG audio file");
            ipod_track_set_text(t, IPOD_COMMENT, ("comment " + s.title).c_str());
            if (s.composer)
                ipod_track_set_text(t, IPOD_COMPOSER, s.composer);
            char location[64];
            std::snprintf(location, sizeof location, ":iPod_Control:Music:F00:S%03d.mp3", n++);
            ipod_track_set_text(t, IPOD_LOCATION, location);
            ipod_track_set_attribute(t, IPOD_TRACK_SIZE, uint32_t(s.db_size >= 0 ? s.db_size : long(s.bytes)));
            ipod_track_set_attribute(t, IPOD_TRACK_NUMBER, s.number);
            ipod_track_set_attribute(t, IPOD_TRACK_YEAR, 1990 + s.number);
            ipod_track_set_attribute(t, IPOD_TRACK_LENGTH, 1000 * s.number + 7);
            ipod_track_set_attribute(t, IPOD_TRACK_BITRATE, 128);
            ipod_track_set_attribute(t, IPOD_TRACK_RATING, 60);
            ipod_track_set_attribute(t, IPOD_TRACK_BEATS_PER_MINUTE, 90 + s.number);
            fs::path path = dir / "iPod_Control/Music/F00" / (location + 24);
            std::ofstream(path, std::ios::binary) << content_of(s);
            ipod_track_free(t);
        }
        ASSERT_EQ(ipod_flush(ipod), 0);
        ipod_free(ipod);
    }

    // The database of a device folder, read afresh.
    std::vector<DbTrack> tracks_on(const fs::path &dir)
    {
        std::vector<DbTrack> out;
        ipod_t ipod = ipod_new(dir.c_str());
        for (uint32_t i = 0; ipod && i < ipod_track_count(ipod); ++i) {
            ipod_track_t t = ipod_track_get_by_index(ipod, int(i));
            DbTrack d;
            for (int tag : copied_texts)
                if (ipod_track_has_text(t, tag)) {
                    ipod_string s = ipod_track_get_text(t, tag, nullptr);
                    d.texts[tag] = s;
                    ipod_string_free(s);
                }
            for (int a = 2001; a <= 2034; ++a)
                d.attributes[a] = ipod_track_get_attribute(t, a);
            ipod_string s = ipod_track_get_text(t, IPOD_LOCATION, nullptr);
            d.location = s;
            ipod_string_free(s);
            s = ipod_track_get_text(t, IPOD_FULL_PATH, nullptr);
            d.path = s;
            ipod_string_free(s);
            ipod_track_free(t);
            out.push_back(d);
        }
        if (ipod)
            ipod_free(ipod);
        return out;
    }

    // Every file in the device's music folders.
    std::vector<fs::path> music_files(const fs::path &dir)
    {
        std::vector<fs::path> out;
        for (auto &e : fs::recursive_directory_iterator(dir / "iPod_Control/Music"))
            if (e.is_regular_file())
                out.push_back(e.path());
        std::sort(out.begin(), out.end());
        return out;
    }

    // The local iPod (empty unless songs are given) and the remote one with
    // these songs, attached and mounted, the module loaded and the remote
    // database open.
    void connect_remote(const std::vector<Song> &remote_songs, const std::vector<Song> &local_songs = {})
    {
        local = root / "local";
        make_music(local, local_songs);
        fs::remove(root / "mnt");
        fs::create_directory_symlink(local, root / "mnt");
        make_music(root / "remote", remote_songs);
        attach();
        mounted();
        load();
        ASSERT_EQ(status(), 2);
        call("load_rip_music");
        ASSERT_NE(*sym<ipod_t>("remote_ipod"), nullptr);
    }

    void open_music(const char *which)
    {
        ASSERT_EQ(shell_choose("Remote iPod"), 0);
        ASSERT_EQ(shell_choose("Music"), 0);
        ASSERT_EQ(shell_choose(which), 0);
    }

    // Texts drawn by a fresh rendering in the windows (the header's title,
    // always drawn first, left out).
    Lines drawn()
    {
        shell_render();
        Lines out;
        for (int i = 1; i < shell_text_count(); ++i)
            out.push_back(shell_text(i, nullptr, nullptr, nullptr));
        return out;
    }
    bool shows(const std::string &text)
    {
        Lines all = drawn();
        return std::find(all.begin(), all.end(), text) != all.end();
    }
    std::string title() { return shell_top_window() ? shell_top_window()->title : ""; }

    // Runs the copy step until the transfer is over (state back from 3).
    int run_transfer(int max_ticks = 10000)
    {
        int ticks = 0;
        while (status() == 3 && ticks < max_ticks) {
            shell_advance(1);
            ++ticks;
        }
        return ticks;
    }

    fs::path local;
};
