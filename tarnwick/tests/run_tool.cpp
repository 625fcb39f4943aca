#include "run_tool.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

ToolRun runTarnwick(const std::vector<std::string>& args, const fs::path& folder,
                    bool posixlyCorrect) {
    const fs::path outPath = folder / ".stdout";
    const fs::path errPath = folder / ".stderr";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        if (posixlyCorrect)
            setenv("POSIXLY_CORRECT", "1", 1);
        else
            unsetenv("POSIXLY_CORRECT");
        std::vector<char*> argv{const_cast<char*>(TARNWICK_PATH)};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(TARNWICK_PATH, argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    ToolRun run;
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    run.out = slurp(outPath);
    run.err = slurp(errPath);
    fs::remove(outPath);
    fs::remove(errPath);
    return run;
}
