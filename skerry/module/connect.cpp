// The connection manager: reads the kernel's bus and mount tables, starts
// the mount, unmount and driver commands, and moves rip_status.
#include "connect.h"

#include "child_process.h"
#include "skerry.h"
#include "system_root.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {

int check_kernel_module(const char *name)
{
    const std::string lsmod = system_path("/bin/lsmod");
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    std::fflush(nullptr);
    pid_t pid = vfork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return -1;
    }
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        const char *argv[] = {"/bin/lsmod", nullptr};
        execv(lsmod.c_str(), const_cast<char *const *>(argv));
        _exit(127);
    }
    close(fds[1]);
    FILE *out = fdopen(fds[0], "r");
    if (!out) {
        close(fds[0]);
        waitpid(pid, nullptr, 0);
        return -1;
    }
    const size_t length = name ? std::strlen(name) : 0;
    char *line = nullptr;
    size_t room = 0;
    int found = 0;
    bool header = true;
    while (getline(&line, &room, out) != -1) {
        if (header) {
            header = false; // the column titles
            continue;
        }
        if (name && std::strncmp(line, name, length) == 0) {
            found = 1;
            break;
        }
    }
    std::free(line);
    std::fclose(out);
    waitpid(pid, nullptr, 0); // the listing is ours to collect, like a pipe close
    return found;
}

int poll_connection(void)
{
    FILE *f = std::fopen(system_path("/proc/scsi/scsi").c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    int found = 0;
    while (std::fgets(line, sizeof line, f)) {
        const char *vendor = std::strstr(line, "Vendor: ");
        const char *model = std::strstr(line, "Model: ");
        if (vendor && model && std::strncmp(vendor + 8, "Apple", 5) == 0 && std::strncmp(model + 7, "iPod", 4) == 0) {
            found = 1;
            break;
        }
    }
    std::fclose(f);
    return found;
}

int poll_mount(const char *device, const char *directory)
{
    FILE *f = std::fopen(system_path("/proc/mounts").c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    int result = 0;
    while (std::fgets(line, sizeof line, f)) {
        char *space = std::strchr(line, ' ');
        if (!space)
            continue;
        *space = '\0';
        char *point = space + 1;
        point[std::strcspn(point, " \n")] = '\0';
        if (std::strcmp(line, device) != 0)
            continue;
        if (std::strcmp(point, directory) == 0) {
            result = 1;
        } else {
            pz_error("Warning: Remote ipod mounted at %s, expecting %s\n", point, directory);
            result = 2;
        }
        break;
    }
    std::fclose(f);
    return result;
}

int do_mount(void)
{
    std::printf("Mounting %s at %s\n", RIP_DEVICE, RIP_MOUNT_POINT);
    const char *argv[] = {"/bin/mount", "-t", "vfat", RIP_DEVICE, RIP_MOUNT_POINT, nullptr};
    start_command("/bin/mount", argv);
    return 1;
}

int do_unmount(void)
{
    if (poll_mount(RIP_DEVICE, RIP_MOUNT_POINT) == 0)
        return 0;
    std::printf("Unmounting %s\n", RIP_DEVICE);
    const char *argv[] = {"/bin/umount", RIP_DEVICE, nullptr};
    start_command("/bin/umount", argv);
    return 1;
}

int do_eject(void)
{
    if (rip_status == RIP_MOUNTED)
        do_unmount();
    std::printf("Ejecting iPod at %s\n", RIP_DEVICE);
    const char *rmmod[] = {"/bin/rmmod", "sbp2", nullptr};
    start_command("/bin/rmmod", rmmod);
    pz_dialog("iPod Eject", "Please physically disconnect the iPods before pressing [OK]", 1, 0, "OK");
    const char *modprobe[] = {"/bin/modprobe", "sbp2", nullptr};
    start_command("/bin/modprobe", modprobe);
    ipod_status_ejected();
    return 1;
}

TWindow *new_domount_window(ttk_menu_item *)
{
    do_mount();
    return PZ_OPEN_STAY;
}

TWindow *new_dounmount_window(ttk_menu_item *)
{
    do_unmount();
    return PZ_OPEN_STAY;
}

TWindow *new_eject_window(ttk_menu_item *)
{
    do_eject();
    return PZ_OPEN_TOP;
}

// One step of the state machine.  A table under /proc that cannot be read
// (poll result -1) tells nothing, so it changes nothing: the state stays.
int rip_icon_timer_handler(TWidget *)
{
    reap_commands();
    switch (rip_status) {
    case RIP_DISCONNECTED:
        if (poll_connection() > 0)
            ipod_status_connected();
        break;
    case RIP_CONNECTED: {
        int connected = poll_connection();
        if (connected == 0)
            ipod_status_disconnected();
        else if (connected > 0 && poll_mount(RIP_DEVICE, RIP_MOUNT_POINT) > 0)
            ipod_status_mounted();
        break;
    }
    case RIP_MOUNTED:
    case RIP_TRANSFERRING: {
        int connected = poll_connection();
        if (connected == 0)
            ipod_status_disconnected();
        else if (connected > 0 && poll_mount(RIP_DEVICE, RIP_MOUNT_POINT) == 0)
            ipod_status_unmounted();
        break;
    }
    case RIP_EJECTED:
        if (poll_connection() == 0)
            ipod_status_disconnected();
        break;
    default:
        break;
    }
    return 0;
}

} // extern "C"
