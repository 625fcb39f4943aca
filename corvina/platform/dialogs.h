// Message boxes, file dialogs and the folder chooser behind one interface.
// The program installs the Qt dialogs; tests install a script of expected
// dialogs and their answers.
#pragma once

#include <optional>
#include <string>

namespace corvina::platform {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { OK, Cancel, Yes, No };

struct FileDialogRequest {
  std::string title;
  std::string filter;       // Windows form: "BIN (*.bin)|*.bin"
  std::string defaultExt;   // ".bin"
  std::string initialDir;   // Windows path, may be empty
  std::string fileName;     // proposed name, may be empty
  long flags = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MsgAnswer messageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                               const std::string& title) = 0;
  // Windows paths; nullopt when the user cancelled.
  virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> chooseFolder(const std::string& title) = 0;
};

// The dialogs in use. Without one installed every dialog answers as if
// cancelled (OK for an OK box, No for a question).
Dialogs& dialogs();
void setDialogs(Dialogs* dialogs);

}  // namespace corvina::platform
