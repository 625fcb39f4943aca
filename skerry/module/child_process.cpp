#include "child_process.h"

#include "system_root.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
std::vector<pid_t> &children()
{
    static std::vector<pid_t> pids;
    return pids;
}
} // namespace

void start_command(const char *program, const char *const argv[])
{
    reap_commands();
    const std::string path = system_path(program); // built before the fork
    std::fflush(nullptr);
    pid_t pid = vfork();
    if (pid == 0) {
        execv(path.c_str(), const_cast<char *const *>(argv));
        _exit(0); // a command that cannot start changes nothing
    }
    if (pid > 0)
        children().push_back(pid);
}

void reap_commands(void)
{
    auto &pids = children();
    pids.erase(std::remove_if(pids.begin(), pids.end(),
                              [](pid_t pid) {
                                  int status;
                                  pid_t r = waitpid(pid, &status, WNOHANG);
                                  return r == pid || r < 0;
                              }),
               pids.end());
}

int pending_commands(void)
{
    return int(children().size());
}
