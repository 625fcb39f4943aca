// State of the running program that every part reads: set during start-up,
// alive for the whole run, used on the user-interface thread only.
#pragma once

#include <cstdint>
#include <string>

namespace corvina {

struct AppState {
  std::string currentLanguage = "English";
  std::string ipodDrive;        // "E:", no trailing backslash
  std::string ipodGeneration;   // generation word from SysInfo
  int16_t ipodDiskNumber = 0;   // physical disk number of the iPod
};

AppState& app();

// The program's title and file name without extension.
inline const char* appTitle() { return "Corvina"; }
inline const char* appExeName() { return "Corvina"; }

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 0;
constexpr int kVersionRevision = 0;

}  // namespace corvina
