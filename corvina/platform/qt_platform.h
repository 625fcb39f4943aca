// The Qt side of the platform layer: the message loop for DoEvents and the
// program's dialogs.
#pragma once

#include "platform/dialogs.h"

namespace corvina::platform {

// Lets DoEvents run Qt's pending events.
void installQtEventLoop();

// Message boxes, file dialogs and the folder chooser as Qt dialogs, owned
// by the program's active window.
class QtDialogs : public Dialogs {
 public:
  MsgAnswer messageBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override;
  std::optional<std::string> openFile(const FileDialogRequest& request) override;
  std::optional<std::string> saveFile(const FileDialogRequest& request) override;
  std::optional<std::string> chooseFolder(const std::string& title) override;
};

}  // namespace corvina::platform
