#include "events.h"

#include <cstdio>
#include <cstdlib>

namespace corvina::platform {
namespace {

std::function<void()>& doEventsHandler() {
  static std::function<void()> handler;
  return handler;
}

std::function<void(int)>& endHandler() {
  static std::function<void(int)> handler;
  return handler;
}

}  // namespace

void DoEvents() {
  if (doEventsHandler()) doEventsHandler()();
}

void setDoEventsHandler(std::function<void()> handler) { doEventsHandler() = std::move(handler); }

void EndProgram(int exitCode) {
  if (endHandler()) endHandler()(exitCode);
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

void setEndProgramHandler(std::function<void(int)> handler) { endHandler() = std::move(handler); }

}  // namespace corvina::platform
