#include "sysinfo.h"

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/events.h"
#include "platform/file_system.h"
#include "shell/app_state.h"
#include "shell/message_box.h"

namespace corvina {
namespace {

const std::string kKey = "boardHwSwInterfaceRev: ";
// The model character sits six characters into the key's value.
constexpr size_t kModelOffset = 28;

std::function<void()>& makeSysinfoAction() {
  static std::function<void()> action;
  return action;
}

void askToMake(const std::string& question) {
  auto answer = MsgBox(question, platform::MsgButtons::YesNo, platform::MsgIcon::None);
  if (answer != platform::MsgAnswer::Yes) platform::EndProgram(0);
  app().ipodGeneration = "blank";
  if (makeSysinfoAction()) makeSysinfoAction()();
}

// The file's lines, each followed by CR LF. Line ends may be CR LF, LF or CR.
std::string readNormalised(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  std::string buffer, line;
  char c;
  while (in.get(c)) {
    if (c == '\r' || c == '\n') {
      if (c == '\r' && in.peek() == '\n') in.get(c);
      buffer += line + "\r\n";
      line.clear();
      platform::DoEvents();
    } else {
      line += c;
    }
  }
  if (!line.empty()) {
    buffer += line + "\r\n";
    platform::DoEvents();
  }
  return buffer;
}

}  // namespace

std::string generationOfModel(const std::string& model) {
  static const std::map<std::string, std::string> table = {
      {"B", "video"}, {"C", "nano"}, {"6", "color"}, {"5", "4g"}, {"7", "mini"},
      {"4", "mini"},  {"3", "3g"},   {"2", "2g"},    {"1", "1g"}};
  auto found = table.find(model);
  return found == table.end() ? std::string() : found->second;
}

void setMakeSysinfoAction(std::function<void()> action) { makeSysinfoAction() = std::move(action); }

std::string findSysinfo() {
  std::string path = app().ipodDrive + "\\iPod_Control\\Device\\SysInfo";
  if (!platform::fileExists(path)) {
    askToMake("you do not have a sysinfo, would you like to make one?");
    return {};
  }
  std::string buffer = readNormalised(platform::resolveHostPath(path));

  // Every occurrence counts: a later key overrides an earlier one.
  std::string result;
  for (size_t p = 0; p < buffer.size(); ++p) {
    if (buffer.compare(p, kKey.size(), kKey) == 0) {
      std::string model = p + kModelOffset < buffer.size() ? buffer.substr(p + kModelOffset, 1) : "";
      std::string word = generationOfModel(model);
      if (!word.empty()) {
        result = word;
      } else {
        result = "Bad Sysinfo";
        askToMake("you do not have a valid sysinfo, would you like to make one?");
      }
    }
    platform::DoEvents();
  }
  return result;
}

}  // namespace corvina
