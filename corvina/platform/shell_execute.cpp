#include "shell_execute.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

#include "drives.h"
#include "file_system.h"

namespace fs = std::filesystem;

namespace corvina::platform {
namespace {

ShellLaunch& lastLaunch() {
  static ShellLaunch launch;
  return launch;
}

DesktopOpener& opener() {
  static DesktopOpener handler = [](const std::string& target) {
    for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"}) {
      std::string program = std::string(dir) + "xdg-open";
      if (access(program.c_str(), X_OK) == 0) return spawnDetached({program, target}, "") == 0;
    }
    return false;
  };
  return handler;
}

std::string lowerExtension(const std::string& windowsPath) {
  size_t slash = windowsPath.find_last_of("\\/");
  std::string name = slash == std::string::npos ? windowsPath : windowsPath.substr(slash + 1);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

bool isAddress(const std::string& file) {
  auto colon = file.find("://");
  if (colon == std::string::npos || colon < 2) return false;
  return std::all_of(file.begin(), file.begin() + static_cast<long>(colon),
                     [](unsigned char c) { return std::isalpha(c); }) ||
         file.rfind("mailto:", 0) == 0;
}

int errnoToShellResult(int error) {
  switch (error) {
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    case ENOMEM:
    case E2BIG: return SE_ERR_OOM;
    default: return SE_ERR_ACCESSDENIED;
  }
}

int finish(int result) {
  lastLaunch().result = result;
  return result;
}

}  // namespace

const ShellLaunch& lastShellLaunch() { return lastLaunch(); }

void setDesktopOpener(DesktopOpener handler) { opener() = std::move(handler); }

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
  std::vector<std::string> args;
  size_t i = 0, n = commandLine.size();
  while (true) {
    while (i < n && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    if (i >= n) break;
    std::string arg;
    bool quoted = false;
    while (i < n && (quoted || (commandLine[i] != ' ' && commandLine[i] != '\t'))) {
      if (commandLine[i] == '\\') {
        size_t slashes = 0;
        while (i < n && commandLine[i] == '\\') ++slashes, ++i;
        if (i < n && commandLine[i] == '"') {
          // 2n backslashes + quote: n backslashes and a quote toggle;
          // 2n+1 backslashes + quote: n backslashes and a literal quote.
          arg.append(slashes / 2, '\\');
          if (slashes % 2) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(slashes, '\\');
        }
      } else if (commandLine[i] == '"') {
        if (quoted && i + 1 < n && commandLine[i + 1] == '"') {
          arg += '"';  // "" inside quotes is a literal quote
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += commandLine[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

int spawnDetached(const std::vector<std::string>& argv, const std::string& hostFolder) {
  if (argv.empty()) return ENOENT;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const char* folder = hostFolder.empty() ? nullptr : hostFolder.c_str();

  // The grandchild runs the program; the child ends at once so the program is
  // never our zombie. The pipe carries the errno of a failed exec and closes
  // by itself on a successful one.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  pid_t child = fork();
  if (child < 0) {
    int error = errno;
    close(report[0]);
    close(report[1]);
    return error;
  }
  if (child == 0) {
    pid_t grandchild = fork();
    if (grandchild == 0) {
      setsid();
      int error = 0;
      if (folder && chdir(folder) != 0) error = errno;
      if (error == 0) {
        execv(args[0], args.data());
        error = errno;
      }
      ssize_t ignored = write(report[1], &error, sizeof error);
      (void)ignored;
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  close(report[1]);
  int status = 0;
  waitpid(child, &status, 0);
  int error = 0;
  ssize_t got = read(report[0], &error, sizeof error);
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof error)) return error;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return EAGAIN;
  return 0;
}

int ShellExecuteA(WindowHandle, const std::string& verb, const std::string& file, const std::string& parameters,
                  const std::string& folder, int showMode) {
  ShellLaunch& launch = lastLaunch();
  launch = ShellLaunch{};
  launch.verb = verb;
  launch.file = file;
  launch.parameters = parameters;
  launch.folder = folder;
  launch.showMode = showMode;

  if (isAddress(file)) {
    launch.openedTarget = file;
    return finish(opener()(file) ? SHELL_STARTED : SE_ERR_NOASSOC);
  }
  if (file.empty()) return finish(SE_ERR_FNF);

  std::string host = resolveHostPath(file);
  std::error_code ec;
  if (host.empty() || !fs::is_directory(fs::path(host).parent_path(), ec)) return finish(SE_ERR_PNF);
  if (!fs::exists(host, ec)) return finish(SE_ERR_FNF);

  std::string hostFolder;
  if (!folder.empty()) {
    hostFolder = resolveHostPath(folder);
    if (hostFolder.empty() || !fs::is_directory(hostFolder, ec)) return finish(SE_ERR_PNF);
  }
  launch.hostFolder = hostFolder;

  std::string lowerVerb = verb;
  std::transform(lowerVerb.begin(), lowerVerb.end(), lowerVerb.begin(), [](unsigned char c) { return std::tolower(c); });
  if (!lowerVerb.empty() && lowerVerb != "open") return finish(SE_ERR_NOASSOC);

  std::string ext = lowerExtension(file);
  bool program = ext.empty() || ext == ".exe" || ext == ".com";
  if (program && !fs::is_directory(host, ec)) {
    std::vector<std::string> argv{host};
    for (std::string& arg : splitCommandLine(parameters)) argv.push_back(std::move(arg));
    launch.argv = argv;
    int error = spawnDetached(argv, hostFolder);
    return finish(error == 0 ? SHELL_STARTED : errnoToShellResult(error));
  }
  // A document or a folder: the desktop's handler opens it.
  launch.openedTarget = host;
  return finish(opener()(host) ? SHELL_STARTED : SE_ERR_NOASSOC);
}

}  // namespace corvina::platform
