// Reads the iPod's generation from its SysInfo file: one key, one character.
#pragma once

#include <functional>
#include <string>

namespace corvina {

// The generation word of a model character ("video", "nano", ...), or empty
// when the character is not a known model.
std::string generationOfModel(const std::string& modelCharacter);

// The generation word, "Bad Sysinfo" or empty. Asks to make a SysInfo when it
// is missing or invalid; No ends the program, Yes runs the make action.
std::string findSysinfo();

// The make-SysInfo action (the main window's "Fix/Make Sysinfo" button).
void setMakeSysinfoAction(std::function<void()> action);

}  // namespace corvina
