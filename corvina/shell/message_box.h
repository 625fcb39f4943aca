// Message boxes with the program's title (the program's MsgBox).
#pragma once

#include <string>

#include "platform/dialogs.h"
#include "shell/app_state.h"

namespace corvina {

inline platform::MsgAnswer MsgBox(const std::string& text,
                                  platform::MsgButtons buttons = platform::MsgButtons::OK,
                                  platform::MsgIcon icon = platform::MsgIcon::None) {
  return platform::dialogs().messageBox(text, buttons, icon, appTitle());
}

}  // namespace corvina
