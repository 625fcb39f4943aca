// The About page's actions and the operations whose workflows come later.
#include "frm_main.h"
#include "platform/app_folder.h"
#include "shell/gshell.h"

namespace corvina {

// Where the About page's links lead. The project page is the README that the
// build puts in the application folder, so it is there without a network.
const char* const kProjectPageFile = "\\README.md";
const char* const kWikiPageAddress = "https://web.archive.org/web/2008/http://www.ipodlinux.org/";

void FrmMain::openProjectPage() {
  trace_ << "openProjectPage";
  platform::ShellExecuteA(this, "", platform::applicationFolder() + kProjectPageFile, "", "",
                          platform::SW_SHOWNORMAL);
}

void FrmMain::openWikiPage() {
  trace_ << "openWikiPage";
  platform::ShellExecuteA(this, "", kWikiPageAddress, "", "", platform::SW_SHOWNORMAL);
}

void FrmMain::checkForUpdates() {
  trace_ << "checkForUpdates";
  std::string folder = platform::applicationFolder();
  GShell(folder + "\\Wexley.exe", platform::SW_SHOW, "", folder, "open", this);
}

// Each of these is filled in by the workflow that owns it; until then the
// start-up sequence still passes through them in order.
void FrmMain::checkCommands(const std::string&) { trace_ << "checkCommands"; }
void FrmMain::loadPlugins() { trace_ << "loadPlugins"; }
void FrmMain::showDeviceProperties() { trace_ << "showDeviceProperties"; }
void FrmMain::getLoaderFiles() { trace_ << "getLoaderFiles"; }
void FrmMain::refreshSpecialOptions() { trace_ << "refreshSpecialOptions"; }
void FrmMain::fixMakeSysinfo() { trace_ << "fixMakeSysinfo"; }

}  // namespace corvina
