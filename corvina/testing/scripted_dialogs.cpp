#include "scripted_dialogs.h"

#include <gtest/gtest.h>

namespace corvina::testing {

ScriptedDialogs::ScriptedDialogs() { platform::setDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() { platform::setDialogs(nullptr); }

void ScriptedDialogs::expectMessage(const std::string& textPart, platform::MsgAnswer answer) {
  expected_.push_back({"message", textPart, answer, ""});
}
void ScriptedDialogs::expectOpenFile(const std::string& answer) { expected_.push_back({"open", "", {}, answer}); }
void ScriptedDialogs::expectSaveFile(const std::string& answer) { expected_.push_back({"save", "", {}, answer}); }
void ScriptedDialogs::expectFolder(const std::string& answer) { expected_.push_back({"folder", "", {}, answer}); }

void ScriptedDialogs::verifyAllShown() {
  for (const Expected& e : expected_) ADD_FAILURE() << "expected " << e.kind << " dialog \"" << e.textPart << "\" was not shown";
  expected_.clear();
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(const std::string& kind, const std::string& text) {
  if (expected_.empty() || expected_.front().kind != kind || text.find(expected_.front().textPart) == std::string::npos) {
    ADD_FAILURE() << "unexpected " << kind << " dialog: \"" << text << "\"";
    return std::nullopt;
  }
  Expected e = expected_.front();
  expected_.pop_front();
  return e;
}

platform::MsgAnswer ScriptedDialogs::messageBox(const std::string& text, platform::MsgButtons buttons,
                                                platform::MsgIcon icon, const std::string& title) {
  shown_.push_back({"message", text, title, buttons, icon});
  auto e = take("message", text);
  if (e) return e->answer;
  return buttons == platform::MsgButtons::OK ? platform::MsgAnswer::OK : platform::MsgAnswer::Cancel;
}

std::optional<std::string> ScriptedDialogs::openFile(const platform::FileDialogRequest& request) {
  shown_.push_back({"open", request.title, request.title});
  auto e = take("open", request.title);
  if (!e || e->path.empty()) return std::nullopt;
  return e->path;
}

std::optional<std::string> ScriptedDialogs::saveFile(const platform::FileDialogRequest& request) {
  shown_.push_back({"save", request.title, request.title});
  auto e = take("save", request.title);
  if (!e || e->path.empty()) return std::nullopt;
  return e->path;
}

std::optional<std::string> ScriptedDialogs::chooseFolder(const std::string& title) {
  shown_.push_back({"folder", title, title});
  auto e = take("folder", title);
  if (!e || e->path.empty()) return std::nullopt;
  return e->path;
}

}  // namespace corvina::testing
