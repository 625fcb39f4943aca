// A system root per test (bus listing, mount table, stand-in commands that
// note their arguments), a started shell and the module loaded into it.
#pragma once

#include "ipod.h"
#include "shell_driver.h"

#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

inline std::string read_file(const fs::path &p)
{
    std::stringstream s;
    s << std::ifstream(p).rdbuf();
    return s.str();
}

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/skerry-module-test-XXXXXX";
        root = mkdtemp(dir);
        ASSERT_EQ(std::system(("'" SYSTEM_DIR "/make-root.sh' '" + root.string() + "'").c_str()), 0);
        fs::create_directories(root / "remote");
        setenv("SKERRY_ROOT", root.c_str(), 1);
        setenv("SKERRY_REMOTE", (root / "remote").c_str(), 1);
        shell_start((root / "config").c_str());
    }

    void TearDown() override
    {
        shell_stop();
        // Commands this test started must not be seen by the next one.
        while (waitpid(-1, nullptr, 0) > 0) {
        }
        fs::remove_all(root);
        unsetenv("SKERRY_ROOT");
        unsetenv("SKERRY_REMOTE");
    }

    // Loads the module and draws once, which starts the icon's poll timer.
    void load()
    {
        ASSERT_EQ(shell_load_module(MODULE_PATH), 0);
        shell_render();
    }

    template <typename T>
    T *sym(const char *name)
    {
        void *p = dlsym(shell_module_handle(), name);
        EXPECT_NE(p, nullptr) << name;
        return reinterpret_cast<T *>(p);
    }
    int status() { return *sym<int>("rip_status"); }
    template <typename R = void, typename... A>
    R call(const char *name, A... args)
    {
        return reinterpret_cast<R (*)(A...)>(sym<void>(name))(args...);
    }

    void attach(const char *vendor = "Apple", const char *model = "iPod")
    {
        std::ofstream(root / "proc/scsi/scsi")
            << "Attached devices:\nHost: scsi0 Channel: 00 Id: 00 Lun: 00\n  Vendor: " << vendor
            << "    Model: " << model << "             Rev: 1.62\n"
            << "  Type:   Direct-Access                    ANSI SCSI revision: 02\n";
    }
    void detach() { std::ofstream(root / "proc/scsi/scsi") << "Attached devices:\n"; }
    void mount_table(const std::string &extra)
    {
        std::ofstream(root / "proc/mounts") << "rootfs / rootfs rw 0 0\n/dev/hda3 /mnt vfat rw 0 0\n" << extra;
    }
    // Mounted as the stand-in mount command does it.
    void mounted()
    {
        fs::remove(root / "rip");
        fs::create_directory_symlink(root / "remote", root / "rip");
        mount_table("/dev/sda2 /rip vfat rw 0 0\n");
    }
    void poll(int times = 1) { shell_advance(500 * times); }

    std::string commands() { return read_file(root / "commands.log"); }
    // The stand-in commands run on their own; wait until their work shows.
    bool wait_for(const std::function<bool()> &done)
    {
        for (int i = 0; i < 1000; ++i) {
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return done();
    }
    bool wait_for_commands(int lines)
    {
        return wait_for([&] {
            std::string log = commands();
            return std::count(log.begin(), log.end(), '\n') >= lines;
        });
    }

    // A device folder with music folders and a written database holding
    // the given playlists besides the master one.
    void make_device(const fs::path &dir, const std::vector<std::string> &playlists = {})
    {
        fs::create_directories(dir / "iPod_Control/iTunes");
        fs::create_directories(dir / "iPod_Control/Music/F00");
        ipod_t ipod = ipod_new(dir.c_str());
        ASSERT_NE(ipod, nullptr);
        for (const auto &name : playlists) {
            ipod_playlist_t pl = ipod_playlist_add(ipod);
            ipod_playlist_set_text(pl, IPOD_TITLE, name.c_str());
            ipod_playlist_free(pl);
        }
        ASSERT_EQ(ipod_flush(ipod), 0);
        ipod_free(ipod);
        ASSERT_TRUE(fs::exists(dir / "iPod_Control/iTunes/iTunesDB"));
    }

    std::vector<std::string> menu(const char *path)
    {
        std::vector<std::string> out;
        for (int i = 0; i < shell_menu_count(path); ++i)
            out.push_back(shell_menu_name(path, i));
        return out;
    }
    std::vector<std::string> top_menu()
    {
        std::vector<std::string> out;
        for (int i = 0; i < shell_top_menu_count(); ++i)
            out.push_back(shell_top_menu_name(i));
        return out;
    }
    std::vector<std::string> messages()
    {
        std::vector<std::string> out;
        for (int i = 0; i < shell_message_count(); ++i)
            out.push_back(shell_message(i));
        return out;
    }

    void capture() { testing::internal::CaptureStdout(); }
    std::string captured()
    {
        std::fflush(stdout);
        return testing::internal::GetCapturedStdout();
    }

    fs::path root;
};

using Lines = std::vector<std::string>;
