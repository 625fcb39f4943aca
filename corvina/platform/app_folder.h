// The application folder: the folder of the program file, as a Windows path
// (on the whole-host drive Z: unless a mapped drive holds it).
#pragma once

#include <string>

namespace corvina::platform {

std::string applicationFolder();
// Tests and tools point it elsewhere.
void setApplicationFolder(const std::string& windowsPath);

}  // namespace corvina::platform
