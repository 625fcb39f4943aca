// Loading a module's shared library, its registration and settings path.
#include "shell_driver.h"
#include "shell_state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>

namespace fs = std::filesystem;

using namespace shell;

extern "C" {

int _pz_mod_check_version(int version)
{
    return version == 0x10000 && state().version_ok;
}

PzModule *pz_register_module(const char *name, void (*cleanup)(void))
{
    auto *mod = new Module;
    mod->name = name ? name : "";
    mod->cleanup = cleanup;
    state().modules.push_back(mod);
    return reinterpret_cast<PzModule *>(mod);
}

const char *pz_module_get_cfgpath(PzModule *handle, const char *file)
{
    auto *mod = reinterpret_cast<Module *>(handle);
    if (!mod || !file)
        return nullptr;
    mod->cfgpath = (fs::path(state().config_dir) / mod->name / file).string();
    return mod->cfgpath.c_str();
}

void shell_set_version_ok(int ok)
{
    state().version_ok = ok;
}

// The library is loaded from a private copy: every load then gets fresh
// module variables even where the loader keeps an unloaded library mapped.
int shell_load_module(const char *path)
{
    State &s = state();
    if (!s.up || !path || s.module_handle)
        return -1;
    std::error_code ec;
    char dir_template[] = "/tmp/skerry-shell-XXXXXX";
    if (!mkdtemp(dir_template)) {
        std::fprintf(stderr, "shell: cannot make a folder for the module copy\n");
        return -1;
    }
    fs::path copy = fs::path(dir_template) / fs::path(path).filename();
    fs::copy_file(path, copy, ec);
    if (ec) {
        std::fprintf(stderr, "shell: cannot read module %s: %s\n", path, ec.message().c_str());
        fs::remove_all(dir_template, ec);
        return -1;
    }
    void *handle = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "shell: cannot load module %s: %s\n", path, dlerror());
        fs::remove_all(dir_template, ec);
        return -1;
    }
    auto entry = reinterpret_cast<void (*)(void)>(dlsym(handle, "__init_module__"));
    if (!entry)
        entry = reinterpret_cast<void (*)(void)>(dlsym(handle, "_init_module__"));
    if (!entry) {
        std::fprintf(stderr, "shell: module %s has no entry\n", path);
        dlclose(handle);
        fs::remove_all(dir_template, ec);
        return -1;
    }
    s.module_handle = handle;
    s.module_copy = dir_template;
    entry();
    return 0;
}

} // extern "C"
