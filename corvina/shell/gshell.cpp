#include "gshell.h"

#include <algorithm>
#include <cctype>

#include "shell/app_state.h"

namespace corvina {
namespace {

constexpr long kObjectErrorBase = 0x80040000L;
constexpr long kDefaultNumberBase = kObjectErrorBase + 1048;

}  // namespace

ErrorRecord& lastError() {
  static ErrorRecord record;
  return record;
}

ErrorRecord shellError(int result) {
  ErrorRecord record;
  record.source = std::string(appExeName()) + ".GShell";
  long fallback = kDefaultNumberBase + result;
  auto set = [&](long number, const char* text) {
    record.number = number;
    record.description = text;
  };
  switch (result) {
    case 0: set(7, "Out of memory"); break;
    case 2: set(53, "File not found"); break;
    case 3: set(76, "Path not found"); break;
    case 5: set(75, "Path/file access error"); break;
    case 8: set(7, "Out of memory"); break;
    case 11: set(fallback, "The executable file is invalid or corrupt"); break;
    case 26: set(75, "A sharing violation occurred."); break;
    case 27: set(fallback, "This file type does not have a valid file association."); break;
    case 28: set(286, "The file could not be opened due to time out. Please try again in a moment."); break;
    case 29:
      set(285, "The file could not be opened because the DDE transaction failed. Please try again in a moment.");
      break;
    case 30:
      set(285, "The file could not be opened because the target application is busy. Please try again in a moment.");
      break;
    case 31: set(fallback, "No application is associated with this file type."); break;
    case 32: set(48, "The specified dynamic-link library was not found."); break;
    default: set(fallback, "An error occurred occurred whilst trying to open or print the selected file."); break;
  }
  return record;
}

bool GShell(const std::string& file, int showMode, const std::string& parameters, const std::string& folder,
            const std::string& verb, platform::WindowHandle owner) {
  // Outside tools are always started without a visible window.
  std::string upperFile = file;
  std::transform(upperFile.begin(), upperFile.end(), upperFile.begin(),
                 [](unsigned char c) { return std::toupper(c); });
  if (upperFile.find(".EXE") != std::string::npos) showMode = platform::SW_HIDE;

  int result;
  try {
    if (!parameters.empty() || !folder.empty())
      result = platform::ShellExecuteA(owner, verb, file, parameters, folder, showMode);
    else
      result = platform::ShellExecuteA(owner, verb, file, "", "", platform::SW_SHOWNORMAL);
  } catch (...) {
    result = 0;  // any failure is absorbed and reported as the shell would
  }
  if (result < 0 || result > 32) return true;
  lastError() = shellError(result);
  return false;
}

}  // namespace corvina
