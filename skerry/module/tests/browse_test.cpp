#include "music_fixture.h"

namespace {

// Sizes are powers of two, so a selection's byte sum names its tracks.
const std::vector<Song> catalogue = {
    {"s1", "B", "X", 1}, {"s2", "A", "X", 2}, {"s3", "B", "Y", 4},  {"s4", "A", "Y", 8},
    {"s5", "a", "X", 16}, {"s6", "A", "X", 32}, {"s7", "A", "", 64},
};

class Browse : public MusicTest {
protected:
    void SetUp() override
    {
        MusicTest::SetUp();
        connect_remote(catalogue);
    }

    // The selection window's figures, as it draws them.
    Lines selection_shown()
    {
        EXPECT_EQ(title(), "Transfer");
        Lines all = drawn();
        Lines out;
        for (const std::string &t : all)
            if (t.find("tracks.") != std::string::npos || t.find("bytes.") != std::string::npos)
                out.push_back(t);
        return out;
    }
};

TEST_F(Browse, MenusListDistinctTextsInDatabaseOrderCaseSensitive)
{
    open_music("Artists");
    EXPECT_EQ(title(), "Artists");
    EXPECT_EQ(top_menu(), (Lines{"B", "A", "a"}));
    shell_press(PZ_BUTTON_MENU);
    ASSERT_EQ(shell_choose("Albums"), 0);
    EXPECT_EQ(title(), "Albums");
    EXPECT_EQ(top_menu(), (Lines{"X", "Y", ""})); // a track without album is under ""
    shell_press(PZ_BUTTON_MENU);
    ASSERT_EQ(shell_choose("Songs"), 0);
    EXPECT_EQ(title(), "Songs");
    EXPECT_EQ(top_menu(), (Lines{"s1", "s2", "s3", "s4", "s5", "s6", "s7"}));
}

TEST_F(Browse, NarrowingByArtistThenAlbumAndGoingBackKeepsTheSiblingsConditions)
{
    open_music("Artists");
    ASSERT_EQ(shell_choose("A"), 0);
    EXPECT_EQ(title(), "Albums");
    EXPECT_EQ(top_menu(), (Lines{"X", "Y", ""}));
    ASSERT_EQ(shell_choose("X"), 0);
    EXPECT_EQ(title(), "Songs");
    EXPECT_EQ(top_menu(), (Lines{"s2", "s6"}));
    shell_press(PZ_BUTTON_MENU);
    ASSERT_EQ(shell_choose("Y"), 0);
    EXPECT_EQ(top_menu(), (Lines{"s4"}));
    shell_press(PZ_BUTTON_MENU);
    ASSERT_EQ(shell_choose(""), 0);
    EXPECT_EQ(top_menu(), (Lines{"s7"}));
    shell_press(PZ_BUTTON_MENU);
    shell_press(PZ_BUTTON_MENU);
    ASSERT_EQ(shell_choose("a"), 0); // not the same artist as "A"
    EXPECT_EQ(top_menu(), (Lines{"X"}));
    ASSERT_EQ(shell_choose("X"), 0);
    EXPECT_EQ(top_menu(), (Lines{"s5"}));
    shell_press(PZ_BUTTON_MENU);
    shell_press(PZ_BUTTON_MENU);
    ASSERT_EQ(shell_choose("B"), 0);
    ASSERT_EQ(shell_choose("X"), 0);
    EXPECT_EQ(top_menu(), (Lines{"s1"}));
}

TEST_F(Browse, HoldingTheActionButtonOffersTheTracksUnderTheEntryOnEveryLevel)
{
    struct Case {
        std::vector<const char *> path; // chosen from the music menu
        const char *held;
        Lines shown;
    };
    const std::vector<Case> cases = {
        {{"Artists"}, "A", {"4 tracks.", "106 B bytes."}},
        {{"Artists"}, "a", {"1 tracks.", "16 B bytes."}},
        {{"Artists", "A"}, "X", {"2 tracks.", "34 B bytes."}},
        {{"Artists", "A", "X"}, "s6", {"1 tracks.", "32 B bytes."}},
        {{"Albums"}, "X", {"4 tracks.", "51 B bytes."}},
        {{"Songs"}, "s3", {"1 tracks.", "4 B bytes."}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.held);
        for (size_t i = 0; i < c.path.size(); ++i)
            ASSERT_EQ(i == 0 ? (open_music(c.path[0]), 0) : shell_choose(c.path[i]), 0);
        const int windows = shell_window_count();
        ASSERT_EQ(shell_select(c.held), 0);
        shell_hold(PZ_BUTTON_PLAY, 600); // only the action button counts
        EXPECT_EQ(shell_window_count(), windows);
        shell_hold(PZ_BUTTON_ACTION, 600);
        ASSERT_EQ(shell_window_count(), windows + 1);
        EXPECT_EQ(selection_shown(), c.shown);
        EXPECT_EQ(top_menu(), (Lines{"Transfer", "Remove"}));
        // Leave through the menu button back to the main menu.
        while (shell_window_count() > 1)
            shell_press(PZ_BUTTON_MENU);
    }
}

TEST_F(Browse, ChoosingASongOffersItsTracksAndTheSelectionWindowIsLaidOut)
{
    open_music("Songs");
    ASSERT_EQ(shell_choose("s4"), 0);
    EXPECT_EQ(selection_shown(), (Lines{"1 tracks.", "8 B bytes."}));
    int x, y;
    drawn();
    ASSERT_STREQ(shell_text(1, &x, &y, nullptr), "Selected:"); // after the header's title
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(5, 5));
    shell_text(2, &x, &y, nullptr);
    EXPECT_EQ(y, 16);
    shell_text(3, &x, &y, nullptr);
    EXPECT_EQ(y, 27);
    // The menu sits at the bottom of the window area: two rows of the menu font.
    int menu_top = -1;
    for (int i = 0; i < shell_text_count(); ++i)
        if (std::string(shell_text(i, &x, &y, nullptr)) == "Transfer")
            menu_top = y;
    EXPECT_EQ(menu_top, 216 - 48 + 2);
}

TEST_F(Browse, BrowsingAndClosingFreesEverythingTheShellDoesNotTakeOver)
{
    auto allocs = sym<unsigned long>("ipod_memory_allocs");
    auto frees = sym<unsigned long>("ipod_memory_frees");
    auto str_allocs = sym<unsigned long>("ipod_string_allocs");
    auto str_frees = sym<unsigned long>("ipod_string_frees");
    auto back_to_main = [] {
        while (shell_window_count() > 1)
            shell_press(PZ_BUTTON_MENU);
    };
    // The database keeps the texts it has decoded once: read them all first.
    open_music("Songs");
    back_to_main();
    open_music("Artists");
    ASSERT_EQ(shell_choose("A"), 0);
    back_to_main();
    const unsigned long live = *allocs - *frees, live_strings = *str_allocs - *str_frees;
    const unsigned long allocs_before = *allocs;

    open_music("Artists");
    ASSERT_EQ(shell_choose("A"), 0);
    ASSERT_EQ(shell_choose("X"), 0);
    ASSERT_EQ(shell_select("s2"), 0);
    shell_hold(PZ_BUTTON_ACTION, 600);
    ASSERT_EQ(shell_choose("Remove"), 0);
    EXPECT_EQ(title(), "Really Delete These Tracks?");
    ASSERT_EQ(shell_choose("No, don't delete anything."), 0);
    EXPECT_EQ(title(), "Transfer");
    back_to_main();
    open_music("Songs");
    ASSERT_EQ(shell_choose("s7"), 0);
    back_to_main();
    open_music("Albums");
    ASSERT_EQ(shell_choose("Y"), 0);
    back_to_main();

    EXPECT_GT(*allocs, allocs_before + 20); // the module's own counters
    EXPECT_EQ(*allocs - *frees, live);
    EXPECT_EQ(*str_allocs - *str_frees, live_strings);
    EXPECT_EQ(tracks_on(root / "remote").size(), catalogue.size()); // nothing removed
}

TEST_F(Browse, MenusOpenedBeforeTheRemoteDatabaseClosesStayUsable)
{
    open_music("Artists");
    ASSERT_EQ(shell_choose("B"), 0);
    call("close_rip_music");
    ASSERT_EQ(shell_choose("X"), 0);
    EXPECT_EQ(title(), "Songs");
    EXPECT_EQ(top_menu(), Lines{});
}

} // namespace
