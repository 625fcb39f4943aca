// The firmware tool's command line: options acted on in the order they are
// read, the usage text, the messages and the exit status.
#pragma once

namespace tarnwick {

extern const char kUsageText[];

// Runs the tool and returns its exit status (0 or 1).
int runCommandLine(int argc, char* argv[]);

}  // namespace tarnwick
