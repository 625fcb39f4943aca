#include "qt_platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/drives.h"
#include "platform/events.h"
#include "platform/file_system.h"

namespace corvina::platform {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// "BIN (*.bin)|*.bin|All (*.*)|*.*" -> "BIN (*.bin);;All (*.*)" as Qt wants it.
QString qtFilter(const std::string& windowsFilter) {
  QStringList parts = q(windowsFilter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << QString("%1 (%2)").arg(parts[i].section(" (", 0, 0), patterns);
  }
  return filters.join(";;");
}

QString startFolder(const FileDialogRequest& request) {
  std::string host = request.initialDir.empty() ? std::string() : resolveHostPath(request.initialDir);
  QString folder = q(host);
  if (!request.fileName.empty()) folder = folder.isEmpty() ? q(request.fileName) : folder + "/" + q(request.fileName);
  return folder;
}

std::optional<std::string> chosen(const QString& hostPath) {
  if (hostPath.isEmpty()) return std::nullopt;
  std::string windows = windowsPathOfHost(hostPath.toStdString());
  if (windows.empty()) return std::nullopt;
  return windows;
}

}  // namespace

void installQtEventLoop() {
  setDoEventsHandler([] { QCoreApplication::processEvents(); });
}

MsgAnswer QtDialogs::messageBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(q(title));
  box.setText(q(text));
  switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
  }
  switch (buttons) {
    case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok: return MsgAnswer::OK;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
  }
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest& request) {
  return chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), q(request.title), startFolder(request),
                                             qtFilter(request.filter)));
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), q(request.title), startFolder(request), qtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!request.defaultExt.empty()) dialog.setDefaultSuffix(q(request.defaultExt).remove(0, request.defaultExt[0] == '.' ? 1 : 0));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return chosen(dialog.selectedFiles().first());
}

std::optional<std::string> QtDialogs::chooseFolder(const std::string& title) {
  return chosen(QFileDialog::getExistingDirectory(QApplication::activeWindow(), q(title)));
}

}  // namespace corvina::platform
