#include "module_fixture.h"

using Entry = ModuleTest;

TEST_F(Entry, InitAddsSettingsDebugEntriesAndOpensTheLocalDatabase)
{
    make_device(root / "local");
    fs::remove(root / "mnt");
    fs::create_directory_symlink(root / "local", root / "mnt");
    load();
    EXPECT_EQ(menu("/Settings/Skerry"), (Lines{"Read RIP Music", "Automount"}));
    EXPECT_EQ(menu("/RiPDB"), (Lines{"Do Tracks", "Cycle Status"}));
    EXPECT_EQ(shell_menu_count("/Remote iPod"), -1);
    EXPECT_EQ(status(), 0);
    EXPECT_NE(*sym<ipod_t>("local_ipod"), nullptr);
    EXPECT_EQ(*sym<ipod_t>("remote_ipod"), nullptr);
    EXPECT_NE(*sym<TWidget *>("rip_icon"), nullptr);
    EXPECT_EQ((*sym<TWidget *>("rip_icon"))->w, 11);
}

TEST_F(Entry, FailedVersionCheckLeavesTheModuleInert)
{
    shell_set_version_ok(0);
    load();
    EXPECT_EQ(shell_menu_count("/Settings/Skerry"), -1);
    EXPECT_EQ(shell_menu_count("/RiPDB"), -1);
}

TEST_F(Entry, SettingsAreSavedOnLeavingTheirMenuAndReadAtTheNextStart)
{
    load();
    shell_choose("Settings");
    shell_choose("Skerry");
    shell_choose("Automount");
    EXPECT_FALSE(fs::exists(root / "config/skerry/skerry.conf")); // saved on leaving only
    shell_press(PZ_BUTTON_MENU);
    EXPECT_EQ(shell_window_count(), 2); // the default handling went back
    EXPECT_EQ(read_file(root / "config/skerry/skerry.conf"), "3=1\n");

    shell_stop();
    shell_start((root / "config").c_str());
    load();
    capture();
    shell_choose("RiPDB");
    shell_choose("Do Tracks");
    EXPECT_EQ(captured(), "Automount on\n");
}

TEST_F(Entry, RemoteDatabaseOpensWithMusicMenusAndClosesWithThemRemoved)
{
    make_device(root / "remote", {"Road"});
    attach();
    mounted();
    load(); // the first drawing polls: state 2
    ASSERT_EQ(status(), 2);
    EXPECT_EQ(menu("/Remote iPod"), (Lines{"Browse Files", "Info", "Eject", "Mount", "Unmount"}));
    call("load_rip_music");
    ASSERT_NE(*sym<ipod_t>("remote_ipod"), nullptr);
    EXPECT_EQ(menu("/Remote iPod"), (Lines{"Music", "Browse Files", "Info", "Eject", "Mount", "Unmount"}));
    EXPECT_EQ(menu("/Remote iPod/Music"), (Lines{"Artists", "Albums", "Songs", "Playlists"}));
    EXPECT_EQ(pz_get_menu_item("/Remote iPod/Music/Songs")->flags, 1);

    call("load_rip_music");
    EXPECT_EQ(messages(), (Lines{"RiP already opened."}));

    // The shell's playlist menu lists the remote playlists by name.
    shell_press(PZ_BUTTON_ACTION); // closes the message
    shell_choose("Remote iPod");
    shell_choose("Music");
    shell_choose("Playlists");
    EXPECT_STREQ(shell_top_window()->title, "Playlists");
    EXPECT_EQ(top_menu(), (Lines{"iPod", "Road"}));

    int removed_before = shell_removed_count();
    call("close_rip_music");
    EXPECT_EQ(*sym<ipod_t>("remote_ipod"), nullptr);
    Lines removed;
    for (int i = removed_before; i < shell_removed_count(); ++i)
        removed.push_back(shell_removed(i));
    EXPECT_EQ(removed, (Lines{"/Remote iPod/Music/Artists", "/Remote iPod/Music/Albums", "/Remote iPod/Music/Songs",
                              "/Remote iPod/Music/Playlists", "/Remote iPod/Music"}));
    call("close_rip_music");
    EXPECT_EQ(messages().back(), "No RiP to close.");
}

TEST_F(Entry, MissingRemoteDatabaseIsReportedAndLeavesNoMusicMenu)
{
    attach();
    mounted();
    load();
    call("load_rip_music");
    EXPECT_EQ(messages(), (Lines{"Can't find remote iTunesDB.\nMusic not loaded.\n"}));
    EXPECT_EQ(*sym<ipod_t>("remote_ipod"), nullptr);
    EXPECT_EQ(shell_menu_count("/Remote iPod/Music"), -1);
    EXPECT_EQ(status(), 2);
}

TEST_F(Entry, ReadRipMusicSettingOpensAndClosesTheDatabaseOnLeavingSettings)
{
    make_device(root / "remote");
    attach();
    mounted();
    load();
    ASSERT_EQ(status(), 2);
    shell_choose("Settings");
    shell_choose("Skerry");
    shell_choose("Read RIP Music");
    shell_press(PZ_BUTTON_MENU);
    EXPECT_NE(*sym<ipod_t>("remote_ipod"), nullptr);
    EXPECT_EQ(shell_menu_count("/Remote iPod/Music"), 4);

    shell_choose("Skerry");
    shell_choose("Read RIP Music");
    shell_press(PZ_BUTTON_MENU);
    EXPECT_EQ(*sym<ipod_t>("remote_ipod"), nullptr);
    EXPECT_EQ(shell_menu_count("/Remote iPod/Music"), -1);
    EXPECT_TRUE(messages().empty());
}

TEST_F(Entry, HumanizeSizeCutsTheTenthsDigit)
{
    load();
    const std::pair<uint32_t, const char *> cases[] = {
        {0, "0 B"},           {1023, "1023 B"},          {1024, "1.0 kB"},
        {1048575, "1023.9 kB"}, {1048576, "1.0 MB"},     {1572864, "1.5 MB"},
        {4294967295u, "4095.9 MB"},
    };
    for (auto [n, text] : cases)
        EXPECT_STREQ(call<const char *>("humanize_size", n), text) << n;
}

TEST_F(Entry, LocalDatabaseFlagIsClearedWhenQueried)
{
    load();
    EXPECT_EQ(call<int>("mpd_is_dirty"), 0);
    call("mpd_make_dirty");
    EXPECT_EQ(call<int>("mpd_is_dirty"), 1);
    EXPECT_EQ(call<int>("mpd_is_dirty"), 0);
}

TEST_F(Entry, CycleStatusStepsThroughTheStates)
{
    load();
    shell_choose("RiPDB");
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        shell_choose("Cycle Status");
        seen.push_back(status());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0, 1}));
}

TEST_F(Entry, BrowserOffersTransferOnlyWhileMountedAndReportsItIsNotEnabled)
{
    make_device(root / "remote");
    std::ofstream(root / "remote/song.mp3") << "x";
    attach();
    mounted();
    load();
    shell_choose("Remote iPod");
    shell_choose("Browse Files");
    capture();
    shell_choose("song.mp3");
    shell_choose("Transfer");
    std::string out = captured();
    EXPECT_NE(out.find("Pred sent: song.mp3\n"), std::string::npos);
    EXPECT_NE(out.find("full_path: " + fs::canonical(root / "remote").string() + "/song.mp3\n"), std::string::npos);
    EXPECT_EQ(messages(), (Lines{"File transferring not yet enabled"}));

    shell_press(PZ_BUTTON_ACTION); // the message
    shell_press(PZ_BUTTON_MENU);   // the action popup
    *sym<int>("rip_status") = 3;   // a transfer runs
    int windows = shell_window_count();
    shell_choose("song.mp3");
    EXPECT_EQ(shell_window_count(), windows); // nothing offered
    *sym<int>("rip_status") = 2;
    chdir("/");
}

TEST_F(Entry, InformationWindowListsTheDriversAndClosesOnAnyButton)
{
    std::ofstream(root / "proc/modules") << "sbp2 1 0\nsd_mod2 1 0\nscsi_mod 1 0\n";
    attach();
    mounted();
    load();
    shell_choose("Remote iPod");
    shell_choose("Info");
    ASSERT_STREQ(shell_top_window()->title, "Remote iPod");
    shell_render();
    Lines texts;
    std::vector<int> ys;
    for (int i = 0; i < shell_text_count(); ++i) {
        int x, y;
        ttk_color col;
        std::string t = shell_text(i, &x, &y, &col);
        if (t == "Remote iPod" || t == "iPod")
            continue; // the header's title
        texts.push_back(t);
        ys.push_back(y);
        EXPECT_EQ(col, 0u) << t;
    }
    EXPECT_EQ(texts, (Lines{"Test", "Test2", "tsb43aa82 NOT loaded", "scsi_mod loaded", "sd_mod loaded",
                            "sbp2 loaded", "Press a button to quit."}));
    EXPECT_EQ(ys, (std::vector<int>{5, 16, 27, 38, 49, 60, ttk_screen->h - ttk_screen->wy - ttk_text_height(ttk_menufont) - 5}));
    const int rule = ttk_screen->wy + 60 + 10 + 4;
    EXPECT_EQ(shell_pixel(5, rule), 0x505050u);
    EXPECT_EQ(shell_pixel(315, rule), 0x505050u);
    EXPECT_NE(shell_pixel(316, rule), 0x505050u);
    shell_press(PZ_BUTTON_PLAY);
    EXPECT_EQ(shell_window_count(), 2);
}
