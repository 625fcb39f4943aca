// Makes EndProgram observable in tests: it throws ProgramEnded instead of
// ending the process, so nothing after the call runs.
#pragma once

#include <optional>

#include "platform/events.h"

namespace corvina::testing {

struct ProgramEnded {
  int exitCode;
};

class ObserveProgramEnd {
 public:
  ObserveProgramEnd() {
    platform::setEndProgramHandler([](int code) { throw ProgramEnded{code}; });
  }
  ~ObserveProgramEnd() { platform::setEndProgramHandler(nullptr); }
};

}  // namespace corvina::testing
