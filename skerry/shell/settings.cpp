// Settings files: one "id=value" line per setting; lines that do not parse
// are kept as they are when the file is written back.
#include "shell_state.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

struct PzConfig {
    std::string path;
    std::map<int, int> values;
    std::vector<std::string> unparsed;
};

namespace shell {
void free_config(PzConfig *conf)
{
    delete conf;
}
} // namespace shell

static bool parse_line(const std::string &line, int &id, int &value)
{
    char tail = 0;
    return std::sscanf(line.c_str(), "%d=%d%c", &id, &value, &tail) == 2;
}

extern "C" {

PzConfig *pz_load_config(const char *path)
{
    auto *conf = new PzConfig;
    conf->path = path ? path : "";
    shell::state().configs.push_back(conf);
    std::ifstream in(conf->path);
    std::string line;
    while (std::getline(in, line)) {
        int id, value;
        if (parse_line(line, id, value))
            conf->values[id] = value;
        else if (!line.empty())
            conf->unparsed.push_back(line);
    }
    return conf;
}

int pz_get_int_setting(PzConfig *conf, int id)
{
    if (!conf)
        return 0;
    auto it = conf->values.find(id);
    return it == conf->values.end() ? 0 : it->second;
}

void pz_set_int_setting(PzConfig *conf, int id, int value)
{
    if (conf)
        conf->values[id] = value;
}

// Written to a side file and renamed over the old one, so a failed write
// leaves the previous settings intact.
void pz_save_config(PzConfig *conf)
{
    if (!conf || conf->path.empty())
        return;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(conf->path);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    std::string side = conf->path + ".new";
    {
        std::ofstream out(side, std::ios::trunc);
        for (const auto &line : conf->unparsed)
            out << line << '\n';
        for (const auto &[id, value] : conf->values)
            out << id << '=' << value << '\n';
        out.flush();
        if (!out) {
            pz_error("Cannot write settings to %s", side.c_str());
            fs::remove(side, ec);
            return;
        }
    }
    if (std::rename(side.c_str(), conf->path.c_str()) != 0) {
        pz_error("Cannot replace settings file %s: %s", conf->path.c_str(), std::strerror(errno));
        fs::remove(side, ec);
    }
}

} // extern "C"
