// A module for the loader tests: registers itself and counts in a file what
// ran, so that the test sees it after the library is gone.
#include "pz.h"

#include <cstdio>
#include <cstdlib>

namespace {
int loads; // fresh on every load
void note(const char *what)
{
    if (const char *path = std::getenv("SHELL_TEST_MODULE_LOG"))
        if (FILE *f = std::fopen(path, "a")) {
            std::fprintf(f, "%s %d\n", what, loads);
            std::fclose(f);
        }
}
void cleanup() { note("cleanup"); }
} // namespace

extern "C" void __init_module__(void)
{
    if (!_pz_mod_check_version(0x10000))
        return;
    ++loads;
    pz_register_module("testmod", cleanup);
    pz_menu_add_action("/Extras/Test Module", nullptr);
    note("init");
}
