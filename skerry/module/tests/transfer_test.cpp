#include "music_fixture.h"

#include <csignal>
#include <sys/resource.h>

namespace {

class Transfer : public MusicTest {
protected:
    // Holds the action button on an album of the remote iPod and chooses
    // "Transfer" in the window that offers its tracks.
    void transfer_album(const char *album)
    {
        open_music("Albums");
        ASSERT_EQ(shell_select(album), 0);
        shell_hold(PZ_BUTTON_ACTION, 600);
        ASSERT_EQ(title(), "Transfer");
        ASSERT_EQ(shell_choose("Transfer"), 0);
        ASSERT_EQ(title(), "Transferring File");
        ASSERT_EQ(status(), 3);
    }

    // The transferred tracks on the target carry the source's texts (empty
    // where it has none) and numbers; their files are copies of the sources
    // at distinct places.
    void expect_copies(const fs::path &target, const fs::path &source, const std::vector<Song> &songs)
    {
        auto got = tracks_on(target), from = tracks_on(source);
        ASSERT_EQ(got.size(), songs.size());
        std::set<std::string> locations;
        for (size_t i = 0; i < songs.size(); ++i) {
            SCOPED_TRACE(songs[i].title);
            auto src = std::find_if(from.begin(), from.end(),
                                    [&](const DbTrack &t) { return t.texts.at(IPOD_TITLE) == songs[i].title; });
            ASSERT_NE(src, from.end());
            for (int tag : copied_texts) {
                EXPECT_EQ(got[i].texts.count(tag), 1u) << tag;
                EXPECT_EQ(got[i].texts[tag], src->texts[tag]) << tag;
            }
            // The database ids (2025, 2026) are the new track's own, and the
            // library writes 2032 and 2033 as copies of them.
            for (int a = 2001; a <= 2034; ++a)
                if (a != 2025 && a != 2026 && a != 2032 && a != 2033 && a != IPOD_TRACK_SIZE) {
                    EXPECT_EQ(got[i].attributes[a], src->attributes[a]) << a;
                }
            EXPECT_EQ(got[i].attributes[IPOD_TRACK_SIZE], songs[i].bytes);
            EXPECT_TRUE(locations.insert(got[i].location).second);
            EXPECT_EQ(got[i].location.rfind(":iPod_Control:Music:F0", 0), 0u) << got[i].location;
            EXPECT_EQ(read_file(got[i].path), read_file(src->path));
            EXPECT_EQ(read_file(got[i].path).size(), songs[i].bytes);
        }
    }
};

const std::vector<Song> trio = {
    {"One", "Ann", "Trio", 150000, "Bach", 1},
    {"Two", "Ann", "Trio", 70000, nullptr, 2},
    {"Three", "Bo", "Trio", 1000, nullptr, 3},
};

TEST_F(Transfer, ThreeRemoteFilesCopyStepByStepIntoTheLocalDatabase)
{
    std::vector<Song> remote = trio;
    remote.push_back({"Other", "Ann", "Solo", 500});
    connect_remote(remote);
    transfer_album("Trio");
    EXPECT_TRUE(shows("File 1 of 3"));

    shell_advance(1); // one 64 KiB step
    EXPECT_EQ(status(), 3);
    Lines shown = drawn();
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 5),
              (Lines{"Ann", "One", "64.0 kB / 146.4 kB", "File 1 of 3", "64.0 kB / 215.8 kB total"}));
    shell_advance(2); // the rest of the first file
    EXPECT_TRUE(shows("File 2 of 3"));
    EXPECT_TRUE(shows("Two"));

    run_transfer();
    EXPECT_EQ(status(), 2);
    shown = drawn();
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 4),
              (Lines{"Transfer Completed", "Press [menu] to return", "File 3 of 3",
                     "215.8 kB / 215.8 kB total"}));
    EXPECT_EQ(messages(), Lines{});
    expect_copies(local, root / "remote", trio);
    EXPECT_EQ(tracks_on(local)[1].texts[IPOD_COMPOSER], ""); // the source had none
    EXPECT_EQ(tracks_on(local)[0].texts[IPOD_COMPOSER], "Bach");
    EXPECT_EQ(call<int>("mpd_is_dirty"), 1);

    shell_press(PZ_BUTTON_MENU);
    EXPECT_EQ(title(), "Albums");
}

TEST_F(Transfer, OneLocalFileGoesToTheRemoteWithoutFileCountOrTotal)
{
    const std::vector<Song> mine = {{"Mine", "Lu", "Home", 100000}};
    connect_remote({{"r", "R", "RR", 10}}, mine);
    call<void, const char *, const char *, const char *, void *, void *>("local_transfer_alt_menu", "Lu", nullptr,
                                                                          nullptr, nullptr, nullptr);
    EXPECT_EQ(top_menu(), (Lines{"Transfer", "Remove"}));
    ASSERT_EQ(shell_choose("Transfer"), 0);
    shell_advance(1);
    for (const std::string &t : drawn())
        EXPECT_EQ(t.find("File "), std::string::npos) << t;
    run_transfer();
    EXPECT_EQ(drawn(), (Lines{"Transfer Completed", "Press [menu] to return"}));
    auto remote = tracks_on(root / "remote");
    ASSERT_EQ(remote.size(), 2u);
    EXPECT_EQ(remote[1].texts[IPOD_TITLE], "Mine");
    EXPECT_EQ(read_file(remote[1].path), read_file(tracks_on(local)[0].path));
    EXPECT_EQ(call<int>("mpd_is_dirty"), 0); // the local database did not change
}

TEST_F(Transfer, AbortingAsksAndYesKeepsTheCompletedFilesOnly)
{
    connect_remote({{"First", "A", "Pair", 200000}, {"Second", "A", "Pair", 200000}});
    transfer_album("Pair");
    shell_advance(5); // the first file (4 steps) and part of the second

    shell_queue_dialog_answer(0); // "No"
    shell_press(PZ_BUTTON_MENU);
    ASSERT_EQ(shell_dialog_count(), 1);
    EXPECT_STREQ(shell_dialog_title(0), "Alert!");
    EXPECT_STREQ(shell_dialog_text(0), "Really abort transfer?");
    EXPECT_EQ(status(), 3);
    shell_advance(1);

    shell_queue_dialog_answer(1); // "Yes"
    shell_press(PZ_BUTTON_MENU);
    EXPECT_EQ(status(), 2);
    EXPECT_EQ(title(), "Transferring File");
    EXPECT_TRUE(shows("Transfer Aborted"));
    EXPECT_TRUE(shows("File 2 of 2"));
    shell_advance(10); // the copy step has stopped
    expect_copies(local, root / "remote", {{"First", "A", "Pair", 200000}});
    EXPECT_EQ(music_files(local).size(), 1u); // the unfinished copy is gone

    shell_press(PZ_BUTTON_MENU);
    EXPECT_EQ(title(), "Albums");
}

TEST_F(Transfer, TheRemoteIPodLeavingEndsTheTransferBeforeItsDatabaseCloses)
{
    connect_remote({{"First", "A", "Pair", 200000}, {"Second", "A", "Pair", 200000}});
    transfer_album("Pair");
    shell_advance(5); // the first file and part of the second
    detach();
    shell_render(); // the icon's drawing polls at once
    EXPECT_EQ(status(), 0);
    EXPECT_EQ(*sym<ipod_t>("remote_ipod"), nullptr);
    EXPECT_TRUE(shows("Transfer Aborted"));
    shell_advance(10);
    expect_copies(local, root / "remote", {{"First", "A", "Pair", 200000}});
    EXPECT_EQ(music_files(local).size(), 1u);
    shell_press(PZ_BUTTON_MENU);
    EXPECT_EQ(title(), "Albums");
}

TEST_F(Transfer, FailuresEndTheTransferAndLeaveNoUnlistedFile)
{
    struct Case {
        const char *name;
        std::vector<Song> songs;
        std::string message;
        size_t kept; // leading songs that arrive
    };
    const std::vector<Case> cases = {
        {"empty file", {{"Empty", "Z", "Alb", 0}, {"Next", "Z", "Alb", 10}}, "Zero bytes read!\n", 0},
        {"missing file", {{"Gone", "Z", "Alb", 10}}, "Cannot stat ", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        connect_remote(c.songs);
        if (std::string(c.name) == "missing file")
            fs::remove(tracks_on(root / "remote")[0].path);
        transfer_album("Alb");
        run_transfer();
        EXPECT_EQ(status(), 2);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].rfind(c.message, 0), 0u) << messages()[0];
        EXPECT_TRUE(shows("Transfer Aborted"));
        EXPECT_EQ(tracks_on(local).size(), c.kept);
        EXPECT_EQ(music_files(local).size(), c.kept);
    }
}

TEST_F(Transfer, TheFileAsItIsOnDiskIsCopiedWhateverSizeTheDatabaseStates)
{
    std::vector<Song> songs = {{"Grown", "G", "Sizes", 200000}, {"Shrunk", "G", "Sizes", 1000}};
    songs[0].db_size = 5000;
    songs[1].db_size = 300000;
    connect_remote(songs);
    transfer_album("Sizes");
    EXPECT_EQ(run_transfer(), 5); // 4 steps for 200000 bytes, 1 for 1000
    EXPECT_EQ(messages(), Lines{});
    EXPECT_TRUE(shows("Transfer Completed"));
    expect_copies(local, root / "remote", songs);
}

TEST_F(Transfer, AWriteFailureRemovesThePartialFileAndKeepsTheFinishedOnes)
{
    const std::vector<Song> songs = {{"Small", "W", "Big", 10000}, {"Large", "W", "Big", 300000}};
    connect_remote(songs);
    transfer_album("Big");
    // Files may not grow past 100000 bytes: the second copy fails midway.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &small);
    run_transfer();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(messages(), Lines{"bytesRead != bytesWritten!\n"});
    expect_copies(local, root / "remote", {songs[0]});
    EXPECT_EQ(music_files(local).size(), 1u);
}

TEST_F(Transfer, ADestinationPathLongerThanItsRoomFailsInsteadOfBeingCut)
{
    // A system root so deep that the local music path passes 255 characters.
    const fs::path top = root;
    struct Restore {
        fs::path &root;
        fs::path top;
        ~Restore() { root = top; }
    } restore{root, top};
    root = top / std::string(220, 'd');
    ASSERT_EQ(std::system(("'" SYSTEM_DIR "/make-root.sh' '" + root.string() + "'").c_str()), 0);
    fs::create_directories(root / "remote");
    setenv("SKERRY_ROOT", root.c_str(), 1);
    setenv("SKERRY_REMOTE", (root / "remote").c_str(), 1);
    connect_remote({{"Deep", "D", "Far", 1000}});
    transfer_album("Far");
    run_transfer();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("Destination path too long: " + (root / "mnt/iPod_Control/Music/F0").string(), 0),
              0u)
        << messages()[0];
    EXPECT_EQ(tracks_on(local).size(), 0u);
    EXPECT_EQ(music_files(local).size(), 0u);
}

TEST_F(Transfer, PlainFilesAreCopiedToTheirGivenPath)
{
    connect_remote({});
    fs::create_directories(root / "files");
    std::ofstream(root / "files/a.bin", std::ios::binary) << std::string(70000, 'q');
    const std::string to = (root / "files/b.bin").string();
    call<void, ipod_t, ipod_t>("transfer_list_reset", nullptr, nullptr);
    call<void, const char *, const char *, uint32_t>("transfer_list_add_file", (root / "files/a.bin").c_str(),
                                                      to.c_str(), 70000u);
    ttk_show_window(call<TWindow *>("new_transfer_window"));
    EXPECT_TRUE(shows("From: " + (root / "files/a.bin").string()));
    EXPECT_TRUE(shows("To: " + to));
    EXPECT_EQ(run_transfer(), 2);
    EXPECT_EQ(read_file(to), std::string(70000, 'q'));
    EXPECT_EQ(messages(), Lines{});
}

TEST_F(Transfer, RemovingDeletesTracksAndFilesAndFlagsOnlyTheLocalDatabase)
{
    connect_remote({{"Keep", "K", "KK", 10}, {"Drop", "K", "KK", 20}}, {{"Mine", "Lu", "Home", 30}});
    const std::string remote_drop = tracks_on(root / "remote")[1].path;
    const std::string local_mine = tracks_on(local)[0].path;

    open_music("Songs");
    ASSERT_EQ(shell_choose("Drop"), 0);
    ASSERT_EQ(shell_choose("Remove"), 0);
    EXPECT_EQ(top_menu(), (Lines{"No, don't delete anything.", "Yes, remove all selected tracks."}));
    EXPECT_TRUE(shell_top_window()->popup);
    ASSERT_EQ(shell_choose("Yes, remove all selected tracks."), 0);
    EXPECT_EQ(shell_window_count(), 1); // back at the main menu
    auto remote = tracks_on(root / "remote");
    ASSERT_EQ(remote.size(), 1u);
    EXPECT_EQ(remote[0].texts[IPOD_TITLE], "Keep");
    EXPECT_FALSE(fs::exists(remote_drop));
    EXPECT_EQ(call<int>("mpd_is_dirty"), 0);

    call<void, const char *, const char *, const char *, void *, void *>("local_transfer_alt_menu", nullptr,
                                                                          "Home", nullptr, nullptr, nullptr);
    ASSERT_EQ(shell_choose("Remove"), 0);
    ASSERT_EQ(shell_choose("Yes, remove all selected tracks."), 0);
    EXPECT_EQ(tracks_on(local).size(), 0u);
    EXPECT_FALSE(fs::exists(local_mine));
    EXPECT_EQ(call<int>("mpd_is_dirty"), 1);
}

void count_enqueue(void *arg)
{
    ++*static_cast<int *>(arg);
}

TEST_F(Transfer, WithoutRemoteDatabaseThereIsNoTransferEntry)
{
    make_music(root / "local", {{"Mine", "Lu", "Home", 30}});
    fs::remove(root / "mnt");
    fs::create_directory_symlink(root / "local", root / "mnt");
    load();
    int enqueued = 0;
    using Fn = void (*)(void *);
    call<void, const char *, const char *, const char *, Fn, void *>("local_transfer_alt_menu", "Lu", "Home", "Mine",
                                                                      count_enqueue, &enqueued);
    EXPECT_EQ(title(), "Transfer");
    EXPECT_EQ(top_menu(), (Lines{"Enqueue", "Remove"}));
    EXPECT_TRUE(shows("1 tracks."));
    int x, y;
    for (int i = 0; i < shell_text_count(); ++i)
        if (std::string(shell_text(i, &x, &y, nullptr)) == "Enqueue") {
            EXPECT_EQ(y, 216 - (3 * 20 + 12) + 2);
        }
    ASSERT_EQ(shell_choose("Enqueue"), 0);
    EXPECT_EQ(enqueued, 1);
    EXPECT_EQ(shell_window_count(), 1);

    call<void, const char *, const char *, const char *, Fn, void *>("local_transfer_alt_menu", "Nobody", nullptr,
                                                                      nullptr, nullptr, nullptr);
    EXPECT_EQ(top_menu(), (Lines{"Remove"}));
    EXPECT_TRUE(shows("0 tracks."));
}

} // namespace
