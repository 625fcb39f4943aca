#include "dialogs.h"

#include <iostream>

namespace corvina::platform {
namespace {

// Used until the program installs its own: says what it was asked on the
// error stream, so a dialog never passes unseen.
class ConsoleDialogs : public Dialogs {
 public:
  MsgAnswer messageBox(const std::string& text, MsgButtons buttons, MsgIcon, const std::string& title) override {
    std::cerr << title << ": " << text << "\n";
    switch (buttons) {
      case MsgButtons::OK: return MsgAnswer::OK;
      case MsgButtons::OKCancel: return MsgAnswer::Cancel;
      case MsgButtons::YesNo: return MsgAnswer::No;
      case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
  }
  std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }
};

Dialogs*& installed() {
  static Dialogs* current = nullptr;
  return current;
}

}  // namespace

Dialogs& dialogs() {
  static ConsoleDialogs fallback;
  return installed() ? *installed() : fallback;
}

void setDialogs(Dialogs* dialogs) { installed() = dialogs; }

}  // namespace corvina::platform
