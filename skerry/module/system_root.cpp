#include "system_root.h"

#include <cstdlib>

std::string system_path(const char *fixed)
{
    const char *root = std::getenv("SKERRY_ROOT");
    return std::string(root ? root : "") + fixed;
}
