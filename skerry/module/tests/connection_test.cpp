#include "module_fixture.h"

#include <cerrno>
#include <sys/wait.h>

using Connection = ModuleTest;

namespace {
const Lines remote_menu{"Browse Files", "Info", "Eject", "Mount", "Unmount"};
}

TEST_F(Connection, PollSeesOnlyAnAppleIpodOnTheBus)
{
    load();
    attach("Apple", "iPhone");
    poll();
    EXPECT_EQ(status(), 0);
    attach("Maxtor", "iPod");
    poll();
    EXPECT_EQ(status(), 0);
    capture();
    attach();
    poll();
    EXPECT_EQ(status(), 1);
    EXPECT_EQ(captured(), "Status: Connected (Unmounted)\n");
    EXPECT_EQ(menu("/"), (Lines{"Music", "Extras", "Remote iPod", "Settings", "File Browser", "RiPDB"}));
    EXPECT_EQ(menu("/Remote iPod"), remote_menu);
    shell_choose("Remote iPod");
    EXPECT_EQ(top_menu(), (Lines{"Eject", "Mount"}));
}

TEST_F(Connection, PollMovesBetweenConnectedMountedAndDisconnected)
{
    load();
    attach();
    poll();
    ASSERT_EQ(status(), 1);
    capture();
    mounted();
    poll();
    EXPECT_EQ(status(), 2);
    shell_choose("Remote iPod");
    EXPECT_EQ(top_menu(), (Lines{"Browse Files", "Info", "Unmount"}));
    mount_table("");
    poll();
    EXPECT_EQ(status(), 1);
    EXPECT_EQ(top_menu(), (Lines{"Eject", "Mount"})); // the open menu follows the state
    detach();
    poll();
    EXPECT_EQ(status(), 0);
    EXPECT_EQ(captured(), "Status: Mounted\nStatus: Unmounted\nStatus: Disconnected\n");
    EXPECT_EQ(shell_menu_count("/Remote iPod"), -1);
    EXPECT_EQ(shell_window_count(), 1); // its open window went with it
}

TEST_F(Connection, LeavingTheBusWhileMountedUnmountsFirstAndRemovesTheMenusInOrder)
{
    make_device(root / "remote");
    attach();
    mounted();
    load();
    call("load_rip_music");
    ASSERT_EQ(status(), 2);
    capture();
    int before = shell_removed_count();
    detach();
    poll();
    EXPECT_EQ(status(), 0);
    EXPECT_EQ(captured(), "Status: Unmounted\nStatus: Disconnected\n");
    EXPECT_EQ(*sym<ipod_t>("remote_ipod"), nullptr);
    Lines removed;
    for (int i = before; i < shell_removed_count(); ++i)
        removed.push_back(shell_removed(i));
    EXPECT_EQ(removed,
              (Lines{"/Remote iPod/Music/Artists", "/Remote iPod/Music/Albums", "/Remote iPod/Music/Songs",
                     "/Remote iPod/Music/Playlists", "/Remote iPod/Music", "/Remote iPod/Browse Files",
                     "/Remote iPod/Info", "/Remote iPod/Eject", "/Remote iPod/Mount", "/Remote iPod/Unmount",
                     "/Remote iPod"}));
}

TEST_F(Connection, TransferringStateFollowsTheSameRules)
{
    attach();
    mounted();
    load();
    *sym<int>("rip_status") = 3;
    mount_table("");
    poll();
    EXPECT_EQ(status(), 1);
    mounted();
    poll();
    *sym<int>("rip_status") = 3;
    detach();
    poll();
    EXPECT_EQ(status(), 0);
}

TEST_F(Connection, ReadRipMusicOpensTheDatabaseWhenMounted)
{
    make_device(root / "remote");
    fs::create_directories(root / "config/skerry");
    std::ofstream(root / "config/skerry/skerry.conf") << "2=1\n";
    load();
    attach();
    mounted();
    poll();
    EXPECT_EQ(status(), 2);
    EXPECT_NE(*sym<ipod_t>("remote_ipod"), nullptr);
    mount_table("");
    poll();
    EXPECT_EQ(*sym<ipod_t>("remote_ipod"), nullptr);
    EXPECT_EQ(shell_menu_count("/Remote iPod/Music"), -1);
}

TEST_F(Connection, AutomountStartsTheMountCommandAndALaterPollSeesTheMount)
{
    fs::create_directories(root / "config/skerry");
    std::ofstream(root / "config/skerry/skerry.conf") << "3=1\n";
    load();
    capture();
    attach();
    poll();
    std::string out = captured();
    EXPECT_EQ(out.substr(0, out.find("Mounting")),
              "Status: Connected (Unmounted)\nAttempting to automount\n");
    EXPECT_NE(out.find("Mounting /dev/sda2 at /rip\n"), std::string::npos);
    ASSERT_TRUE(wait_for_commands(1));
    EXPECT_EQ(commands(), "mount -t vfat /dev/sda2 /rip\n");
    poll();
    EXPECT_EQ(status(), 2);
    EXPECT_TRUE(fs::is_symlink(root / "rip"));
}

TEST_F(Connection, WithoutAutomountNothingIsMountedUntilTheUserAsks)
{
    load();
    attach();
    poll(4);
    EXPECT_EQ(status(), 1);
    EXPECT_EQ(commands(), "");
    shell_choose("Remote iPod");
    shell_choose("Mount");
    ASSERT_TRUE(wait_for_commands(1));
    poll();
    EXPECT_EQ(status(), 2);
    shell_choose("Unmount");
    ASSERT_TRUE(wait_for_commands(2));
    EXPECT_EQ(commands(), "mount -t vfat /dev/sda2 /rip\numount /dev/sda2\n");
    poll();
    EXPECT_EQ(status(), 1);
}

TEST_F(Connection, UnmountWithNothingMountedPrintsAndStartsNothing)
{
    load();
    capture();
    EXPECT_EQ(call<int>("do_unmount"), 0);
    EXPECT_EQ(captured(), "");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(commands(), "");
}

TEST_F(Connection, RemotePartitionMountedElsewhereIsReportedAndCountsAsMounted)
{
    load();
    attach();
    poll();
    mount_table("/dev/sda2 /media/other vfat rw 0 0\n");
    poll();
    EXPECT_EQ(status(), 2);
    EXPECT_EQ(messages(), (Lines{"Warning: Remote ipod mounted at /media/other, expecting /rip\n"}));
    EXPECT_EQ(call<int>("poll_mount", "/dev/sda2", "/rip"), 2);
    EXPECT_EQ(call<int>("poll_mount", "/dev/sdb1", "/rip"), 0);
}

TEST_F(Connection, UnreadableTablesLeaveTheStateAsItIs)
{
    load();
    fs::remove(root / "proc/scsi/scsi");
    EXPECT_EQ(call<int>("poll_connection"), -1);
    poll();
    EXPECT_EQ(status(), 0); // no phantom iPod
    attach();
    poll();
    ASSERT_EQ(status(), 1);
    fs::remove(root / "proc/mounts");
    EXPECT_EQ(call<int>("poll_mount", "/dev/sda2", "/rip"), -1);
    poll();
    EXPECT_EQ(status(), 1); // not taken as mounted
    mounted();
    poll();
    ASSERT_EQ(status(), 2);
    fs::remove(root / "proc/scsi/scsi");
    fs::remove(root / "proc/mounts");
    poll();
    EXPECT_EQ(status(), 2);
}

TEST_F(Connection, EjectFromMountedUnmountsRemovesTheDriverAsksAndEndsEjected)
{
    attach();
    mounted();
    load();
    ASSERT_EQ(status(), 2);
    capture();
    EXPECT_EQ(call<int>("do_eject"), 1);
    std::string out = captured();
    EXPECT_EQ(status(), 4);
    ASSERT_EQ(shell_dialog_count(), 1);
    EXPECT_STREQ(shell_dialog_title(0), "iPod Eject");
    EXPECT_STREQ(shell_dialog_text(0), "Please physically disconnect the iPods before pressing [OK]");
    EXPECT_EQ(out, "Unmounting /dev/sda2\nEjecting iPod at /dev/sda2\nStatus: Unmounted\nStatus: Disconnected\n"
                   "Status: Ejected\n");
    EXPECT_EQ(shell_menu_count("/Remote iPod"), -1);
    ASSERT_TRUE(wait_for_commands(3));
    std::string log = commands();
    for (const char *line : {"umount /dev/sda2\n", "rmmod sbp2\n", "modprobe sbp2\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
}

TEST_F(Connection, EjectedStaysUntilTheIpodLeavesTheBus)
{
    load();
    attach();
    poll();
    shell_choose("Remote iPod");
    shell_choose("Eject");
    EXPECT_EQ(status(), 4);
    EXPECT_EQ(shell_window_count(), 1); // back at the main menu
    EXPECT_EQ(shell_menu_count("/Remote iPod"), -1);
    poll(3);
    EXPECT_EQ(status(), 4);
    detach();
    poll();
    EXPECT_EQ(status(), 0);
    attach();
    poll();
    EXPECT_EQ(status(), 1);
}

TEST_F(Connection, FinishedCommandsAreCollectedByThePoll)
{
    load();
    attach();
    poll();
    shell_choose("Remote iPod");
    for (int i = 0; i < 20; ++i)
        shell_choose("Mount");
    ASSERT_TRUE(wait_for_commands(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the last ones exit
    poll(2);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1); // no child left, finished or not
    EXPECT_EQ(errno, ECHILD);
}
