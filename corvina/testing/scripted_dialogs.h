// Dialogs for tests: each expected dialog is scripted with a piece of its
// text and the answer to give; any dialog not scripted fails the test.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace corvina::testing {

class ScriptedDialogs : public platform::Dialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  struct Shown {
    std::string kind;  // "message", "open", "save", "folder"
    std::string text;  // message text or dialog title
    std::string title;
    platform::MsgButtons buttons = platform::MsgButtons::OK;
    platform::MsgIcon icon = platform::MsgIcon::None;
  };

  // Message box whose text contains `textPart`, answered with `answer`.
  void expectMessage(const std::string& textPart, platform::MsgAnswer answer = platform::MsgAnswer::OK);
  // File or folder dialog answered with a Windows path (empty: cancelled).
  void expectOpenFile(const std::string& answer);
  void expectSaveFile(const std::string& answer);
  void expectFolder(const std::string& answer);

  const std::vector<Shown>& shown() const { return shown_; }
  // Fails the test when scripted dialogs were never shown.
  void verifyAllShown();

  platform::MsgAnswer messageBox(const std::string& text, platform::MsgButtons buttons, platform::MsgIcon icon,
                                 const std::string& title) override;
  std::optional<std::string> openFile(const platform::FileDialogRequest& request) override;
  std::optional<std::string> saveFile(const platform::FileDialogRequest& request) override;
  std::optional<std::string> chooseFolder(const std::string& title) override;

 private:
  struct Expected {
    std::string kind;
    std::string textPart;
    platform::MsgAnswer answer = platform::MsgAnswer::OK;
    std::string path;
  };
  std::optional<Expected> take(const std::string& kind, const std::string& text);

  std::deque<Expected> expected_;
  std::vector<Shown> shown_;
};

}  // namespace corvina::testing
