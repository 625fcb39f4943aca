// System commands started in child processes that are never waited for:
// the parent goes on as soon as the child has replaced itself by the
// command.  Finished children are collected without waiting, so that a long
// session leaves no zombies.
#pragma once

#include <sys/types.h>

// Starts the command at the system path of program with the argument list
// argv (null-terminated, argv[0] as the command sees it).
void start_command(const char *program, const char *const argv[]);
// Collects the children that have finished; never blocks.
void reap_commands(void);
// Children started and not collected yet.
int pending_commands(void);
