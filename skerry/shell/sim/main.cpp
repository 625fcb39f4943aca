// skerry-sim --root DIR [--remote DIR] [--module FILE] [--config DIR]
//            [--scale N] [--screenshots DIR]
// Runs the module in the shell stand-in against the system root DIR (made
// by system/make-root.sh).  --remote is the remote iPod's folder that the
// stand-in mount command links to /rip.  --screenshots runs a scripted
// tour (attach, mount, eject) saving PNG pictures, then exits.
#include "screenshot_tour.h"
#include "shell_driver.h"
#include "sim_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace {
bool auto_answer = false;

// Questions are answered on the screen: the event loop runs until the
// dialog is answered (in the tour, it answers with its first button).
void run_dialog(const volatile int *done)
{
    if (auto_answer) {
        screenshot_tour_dialog();
        shell_press(PZ_BUTTON_ACTION);
        return;
    }
    while (!*done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription("Runs the skerry module in the shell stand-in.");
    args.addHelpOption();
    args.addOption({"root", "System root folder (see system/make-root.sh).", "dir"});
    args.addOption({"remote", "The remote iPod's folder, mounted at /rip.", "dir"});
    args.addOption({"module", "The module's shared library.", "file"});
    args.addOption({"config", "Settings folder (default: ROOT/config).", "dir"});
    args.addOption({"scale", "Screen scale (default 2).", "n", "2"});
    args.addOption({"screenshots", "Take the screenshot tour into this folder and exit.", "dir"});
    args.process(app);

    if (!args.isSet("root")) {
        std::fprintf(stderr, "skerry-sim: --root is required\n");
        return 2;
    }
    const QString root = QDir(args.value("root")).absolutePath();
    if (!QFileInfo(root + "/proc/scsi/scsi").exists()) {
        std::fprintf(stderr, "skerry-sim: %s is not a system root (make one with make-root.sh)\n", qPrintable(root));
        return 2;
    }
    qputenv("SKERRY_ROOT", root.toLocal8Bit());
    if (args.isSet("remote"))
        qputenv("SKERRY_REMOTE", QDir(args.value("remote")).absolutePath().toLocal8Bit());
    QString module = args.value("module");
    if (module.isEmpty())
        module = QCoreApplication::applicationDirPath() + "/../../module/skerry.so";
    const QString config = args.isSet("config") ? args.value("config") : root + "/config";

    shell_start(config.toLocal8Bit().constData());
    shell_set_modal_runner(run_dialog);
    if (shell_load_module(module.toLocal8Bit().constData()) != 0) {
        std::fprintf(stderr, "skerry-sim: cannot load %s\n", qPrintable(module));
        return 1;
    }

    SimWindow window(root, std::max(1, args.value("scale").toInt()));
    window.show();
    int rc = 0;
    if (args.isSet("screenshots")) {
        auto_answer = true;
        rc = screenshot_tour(window, args.value("screenshots")) ? 0 : 1;
    } else {
        rc = app.exec();
    }
    shell_stop();
    return rc;
}
