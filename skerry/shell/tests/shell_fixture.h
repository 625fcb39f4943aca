// A started shell with its settings in a fresh temporary folder.
#pragma once

#include "shell_driver.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/shell-test-XXXXXX";
        folder = mkdtemp(dir);
        shell_start((folder / "config").c_str());
    }
    void TearDown() override
    {
        shell_stop();
        std::filesystem::remove_all(folder);
    }
    std::string top_title() { return shell_top_window() ? shell_top_window()->title : ""; }
    std::filesystem::path folder;
};
