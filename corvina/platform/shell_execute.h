// The Windows shell's "execute": start a program or open a document or an
// address, without waiting, answering with the shell's result codes.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvina::platform {

// Show-window codes.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// Shell results at or below 32 are failures.
constexpr int SE_ERR_OOM = 0;
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int ERROR_BAD_FORMAT = 11;
constexpr int SE_ERR_NOASSOC = 31;
constexpr int SHELL_STARTED = 42;  // any value above 32 means started

using WindowHandle = const void*;

// What the last call was asked and did; tests read it.
struct ShellLaunch {
  std::string verb, file, parameters, folder;
  int showMode = 0;
  std::vector<std::string> argv;  // host program and its arguments, when a program was started
  std::string hostFolder;         // its working folder on the host
  std::string openedTarget;       // document or address handed to the desktop handler
  int result = 0;
};
const ShellLaunch& lastShellLaunch();

// Programs (no extension, .exe or .com) are started directly with the
// parameters split by the Windows command-line rules; nothing goes through a
// command shell. Documents and addresses go to the desktop's handler.
int ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                  const std::string& parameters, const std::string& folder, int showMode);

// Splits a command line as the Microsoft C runtime does.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

// The desktop's handler for documents and addresses; returns false when there
// is none. The default starts xdg-open; tests replace it.
using DesktopOpener = std::function<bool(const std::string& hostPathOrUrl)>;
void setDesktopOpener(DesktopOpener opener);

// Starts a host program without waiting. Returns 0 when it started, otherwise
// the errno of the failed start.
int spawnDetached(const std::vector<std::string>& argv, const std::string& hostFolder);

}  // namespace corvina::platform
