#include "screenshot_tour.h"

#include "shell_driver.h"
#include "sim_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

namespace {

SimWindow *tour_window = nullptr;
QString tour_folder;

bool save(const char *name)
{
    tour_window->refresh();
    QCoreApplication::processEvents();
    QString path = tour_folder + "/skerry-sim-" + name + ".png";
    bool ok = tour_window->grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "could not save", qPrintable(path));
    return ok;
}

// The stand-in commands run on their own: let time pass until the state is
// reached (or give up after a few seconds).
bool reach(int state)
{
    for (int i = 0; i < 100 && tour_window->rip_status() != state; ++i) {
        QThread::msleep(50);
        tour_window->run_for(500);
    }
    return tour_window->rip_status() == state;
}

// Browses the remote music by artist, album and song, then transfers an
// album to the local iPod.  Starts and ends in the "Remote iPod" menu.
bool browse_and_transfer(void)
{
    bool ok = shell_choose("Music") == 0 && shell_choose("Artists") == 0;
    ok &= save("browse-1-artists");
    ok &= shell_choose("Ada Lindqvist") == 0;
    ok &= save("browse-2-albums");
    ok &= shell_choose("Paper Boats") == 0;
    ok &= save("browse-3-songs");
    shell_press(PZ_BUTTON_MENU);

    // Holding the action button on the album offers all its tracks.
    ok &= shell_select("Paper Boats") == 0;
    shell_hold(PZ_BUTTON_ACTION, 600);
    ok &= save("transfer-1-selection");
    ok &= shell_choose("Transfer") == 0;
    shell_advance(1); // one copy step: the first (small) file is done
    ok &= save("transfer-2-progress");
    for (int i = 0; i < 100 && tour_window->rip_status() == 3; ++i)
        shell_advance(1);
    ok &= save("transfer-3-completed");
    for (int i = 0; i < 4; ++i) // the transfer window, albums, artists, music
        shell_press(PZ_BUTTON_MENU);
    return ok;
}

} // namespace

void screenshot_tour_dialog(void)
{
    if (tour_window)
        save("4-eject-question");
}

bool screenshot_tour(SimWindow &window, const QString &folder)
{
    tour_window = &window;
    tour_folder = folder;
    QDir().mkpath(folder);
    bool ok = true;
    // With a music database on the remote iPod, have it opened on mounting.
    const QString remote = qEnvironmentVariable("SKERRY_REMOTE");
    if (!remote.isEmpty() && QFileInfo::exists(remote + "/iPod_Control/iTunes/iTunesDB")) {
        ok &= shell_choose("Settings") == 0 && shell_choose("Skerry") == 0;
        ok &= shell_choose("Read RIP Music") == 0;
        shell_press(PZ_BUTTON_MENU); // leaving saves the setting
        shell_press(PZ_BUTTON_MENU);
    }
    window.detach_remote();
    window.run_for(600);
    ok &= save("1-detached");

    window.attach_remote();
    ok &= reach(1);
    shell_select("Remote iPod");
    shell_press(PZ_BUTTON_ACTION);
    ok &= save("2-attached");

    ok &= shell_choose("Mount") == 0;
    ok &= reach(2);
    ok &= save("3-mounted");
    if (shell_select("Music") == 0) { // the remote database is open
        shell_press(PZ_BUTTON_ACTION);
        ok &= shell_choose("Playlists") == 0;
        ok &= save("3-mounted-playlists");
        shell_press(PZ_BUTTON_MENU);
        shell_press(PZ_BUTTON_MENU);
        ok &= browse_and_transfer();
    }
    ok &= shell_choose("Info") == 0;
    ok &= save("3-mounted-info");
    shell_press(PZ_BUTTON_ACTION); // any button closes it

    ok &= shell_choose("Unmount") == 0;
    ok &= reach(1);
    ok &= shell_choose("Eject") == 0; // the question is answered by the tour
    ok &= reach(4);
    ok &= save("5-ejected");

    window.detach_remote();
    ok &= reach(0);
    tour_window = nullptr;
    return ok;
}
