// Runs the firmware tool as its own process and captures what it prints.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs tarnwick with `args` in `folder`. `posixlyCorrect` sets the
// environment variable that stops option reading at the first non-option.
ToolRun runTarnwick(const std::vector<std::string>& args, const std::filesystem::path& folder,
                    bool posixlyCorrect = false);

// A fresh temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
