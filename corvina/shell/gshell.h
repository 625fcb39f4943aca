// GShell: the one runner for outside programs, documents and addresses. It
// never waits and never raises; failures go to the error record.
#pragma once

#include <string>

#include "platform/shell_execute.h"

namespace corvina {

// The program-wide last-error record.
struct ErrorRecord {
  long number = 0;
  std::string source;
  std::string description;
};
ErrorRecord& lastError();

bool GShell(const std::string& file, int showMode, const std::string& parameters, const std::string& folder,
            const std::string& verb, platform::WindowHandle owner);

// Number and message the runner records for a failing shell result (0..32).
ErrorRecord shellError(int shellResult);

}  // namespace corvina
