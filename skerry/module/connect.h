/* The connection manager: finds the remote iPod on the bus and in the mount
 * table, mounts, unmounts and ejects it, and polls the state. */
#ifndef SKERRY_MODULE_CONNECT_H
#define SKERRY_MODULE_CONNECT_H

#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RIP_DEVICE "/dev/sda2"
#define RIP_MOUNT_POINT "/rip"
#define LOCAL_ROOT "/mnt"

/* 1 when lsmod lists the driver, 0 when not, -1 when lsmod cannot start. */
int check_kernel_module(const char *name);
/* 1 when the SCSI bus lists an Apple iPod, 0 when not, -1 unreadable. */
int poll_connection(void);
/* 1 mounted at directory, 2 mounted elsewhere (reported), 0 not mounted,
 * -1 when the mount table cannot be read. */
int poll_mount(const char *device, const char *directory);
int do_mount(void);
int do_unmount(void);
int do_eject(void);

TWindow *new_domount_window(ttk_menu_item *item);
TWindow *new_dounmount_window(ttk_menu_item *item);
TWindow *new_eject_window(ttk_menu_item *item);

/* The state poll; the status icon's timer function. */
int rip_icon_timer_handler(TWidget *widget);

#ifdef __cplusplus
}
#endif

#endif
