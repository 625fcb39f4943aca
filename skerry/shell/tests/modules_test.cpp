#include "shell_fixture.h"

#include <clocale>
#include <cstdlib>
#include <libintl.h>
#include <fstream>
#include <sstream>

using Modules = ShellTest;

namespace {
std::string read(const std::filesystem::path &p)
{
    std::stringstream s;
    s << std::ifstream(p).rdbuf();
    return s.str();
}
} // namespace

TEST_F(Modules, LoadRunsTheEntryAndStopRunsTheCleanUpEachLoadFresh)
{
    auto log = folder / "log";
    setenv("SHELL_TEST_MODULE_LOG", log.c_str(), 1);
    ASSERT_EQ(shell_load_module(TEST_MODULE_PATH), 0);
    EXPECT_EQ(shell_menu_count("/Extras"), 1);
    shell_stop();
    shell_start((folder / "config").c_str());
    ASSERT_EQ(shell_load_module(TEST_MODULE_PATH), 0);
    shell_stop();
    EXPECT_EQ(read(log), "init 1\ncleanup 1\ninit 1\ncleanup 1\n");
    shell_start((folder / "config").c_str());
}

TEST_F(Modules, FailedVersionCheckLeavesTheModuleInert)
{
    shell_set_version_ok(0);
    ASSERT_EQ(shell_load_module(TEST_MODULE_PATH), 0);
    EXPECT_EQ(shell_menu_count("/Extras"), 0);
}

TEST_F(Modules, MissingLibraryIsAnErrorAndConfigPathsAreBelowTheConfigFolder)
{
    EXPECT_EQ(shell_load_module((folder / "missing.so").c_str()), -1);
    PzModule *mod = pz_register_module("skerry", nullptr);
    EXPECT_EQ(std::string(pz_module_get_cfgpath(mod, "skerry.conf")),
              (folder / "config" / "skerry" / "skerry.conf").string());
}

TEST_F(Modules, TranslationHandsBackTheText)
{
    EXPECT_STREQ(dcgettext(nullptr, "Transfer", LC_MESSAGES), "Transfer");
}
