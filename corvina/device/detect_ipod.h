// Finds the iPod: the first removable drive (A: aside) that holds the music
// database. Without one the program says so and ends.
#pragma once

#include <string>

namespace corvina {

// "E:" (no trailing backslash). Returns only on success.
std::string detectiPod();

}  // namespace corvina
