// The main window's habits of a desktop program: files dropped on it and the recent files.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "files/text_file.h"
#include "gui/font_editor.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
#include "gui/recent_files.h"

namespace tqm5::gui {
namespace {

enum class DroppedKind { kNone, kProject, kCsv, kFont };

DroppedKind KindOfFile(const QString& path) {
  const std::string name = path.toStdString();
  if (PathEndsWith(name, ".M5")) return DroppedKind::kProject;
  if (PathEndsWith(name, ".CSV")) return DroppedKind::kCsv;
  if (PathEndsWith(name, ".FM5")) return DroppedKind::kFont;
  return DroppedKind::kNone;
}

// The one local file a drag carries; "" for anything else (several files, a web link, text).
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl& url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  // Only what a drop would take shows as droppable; nothing while a transfer runs.
  if (!runner_.busy() && KindOfFile(DraggedFile(event->mimeData())) != DroppedKind::kNone) {
    event->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) {
    statusBar()->showMessage("Drop one project (.M5), CSV (.CSV) or font (.FM5) file at a time.");
    return;
  }
  event->acceptProposedAction();
  OpenDroppedFile(path);
}

void MainWindow::OpenDroppedFile(const QString& path) {
  if (runner_.busy()) {
    statusBar()->showMessage("A transfer is running: drop the file again when it has ended.");
    return;
  }
  switch (KindOfFile(path)) {
    case DroppedKind::kProject:
      // The image is set aside as by "Open...": unsaved changes are asked about first.
      if (MaySetAsideChanges()) OpenProject(path);
      return;
    case DroppedKind::kCsv:
      // An import and a font load change part of the image as one undo step, as their menu
      // commands do: Undo takes them back, so there is nothing to ask.
      ImportFile(path);
      return;
    case DroppedKind::kFont:
      LoadFontFileInto(*this, path);
      return;
    case DroppedKind::kNone:
      break;
  }
  statusBar()->showMessage(QFileInfo(path).fileName() +
                           " is not a file the window opens: drop a project (.M5), CSV (.CSV) "
                           "or font (.FM5) file.");
}

void MainWindow::OpenRecentFile(const QString& path) {
  if (runner_.busy()) return;
  if (!QFileInfo::exists(path)) {
    recent_files_->Remove(path);
    Report(MessageOutcome(
        OutcomeKind::kFileRefused,
        path.toStdString() +
            " is no longer there: it was moved, renamed or deleted, and is taken off "
            "the recent files. Use Open... to find it where it is now.",
        " Error", OutcomeIcon::kNone));
    return;
  }
  if (MaySetAsideChanges()) OpenProject(path);
}

}  // namespace tqm5::gui
