// The module's fixed system paths ("/proc/mounts", "/bin/mount", "/rip" ...)
// lie below a system root: empty on a device, a folder in tests and in the
// simulator (the environment variable SKERRY_ROOT).
#pragma once

#include <string>

std::string system_path(const char *fixed);
