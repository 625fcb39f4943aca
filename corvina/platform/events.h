// The window message loop as the program's code sees it: "let pending window
// messages run", and ending the program at once.
#pragma once

#include <functional>

namespace corvina::platform {

// Lets pending window messages run (Qt's processEvents once the program's
// user interface is up; nothing before).
void DoEvents();
void setDoEventsHandler(std::function<void()> handler);

// Ends the whole program at once: no window-closing or clean-up handlers run.
// Tests install a handler that records the exit and throws, so that nothing
// after the call runs; the handler must not return.
[[noreturn]] void EndProgram(int exitCode);
void setEndProgramHandler(std::function<void(int)> handler);

}  // namespace corvina::platform
