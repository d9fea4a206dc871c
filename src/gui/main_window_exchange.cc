// The main window's channel lists of other programs ("Import Channel List...", "Export Channel
// List...") and its clipboard commands on the grid's rows (copy, cut, paste).
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>

#include "editing/channel_edit.h"
#include "files/channel_clipboard.h"
#include "files/exchange_csv.h"
#include "gui/grid_editor.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"

namespace tqm5::gui {
namespace {

constexpr char kListFilter[] = "Channel Lists (*.csv *.CSV);;All Files (*)";

}  // namespace

void MainWindow::BuildClipboardActions(QMenu* edit) {
  edit->addSeparator();
  struct Entry {
    const char* caption;
    const char* name;
    QKeySequence key;
    void (MainWindow::*slot)();
    bool edits;
  };
  const Entry entries[] = {
      {"Cut Rows(&T)", "EditCut", QKeySequence::Cut, &MainWindow::CutRows, true},
      {"Copy Rows(&C)", "EditCopy", QKeySequence::Copy, &MainWindow::CopyRows, false},
      {"Copy Rows with Captions", "EditCopyWithCaptions", QKeySequence("Ctrl+Shift+C"),
       &MainWindow::CopyRowsWithCaptions, false},
      {"Paste Rows(&P)", "EditPaste", QKeySequence::Paste, &MainWindow::PasteRows, true},
  };
  for (const Entry& entry : entries) {
    QAction* action = edit->addAction(entry.caption, this, entry.slot);
    action->setObjectName(entry.name);
    action->setShortcut(entry.key);
    // The keys act on the grid's rows only while the grid has the focus; elsewhere they stay the
    // text boxes' own.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid_->addAction(action);
    if (entry.edits) busy_actions_.push_back(action);
  }
}

void MainWindow::ImportChannelListCommand() {
  QString path =
      Messages().ChooseFile(this, false, FileKind::kCsv, "Import Channel List", kListFilter);
  if (path.isEmpty()) return;
  const std::string name = QFileInfo(path).fileName().toStdString();
  MemoryImage next = document_.image();
  std::vector<FileProblem> problems;
  Outcome outcome = ImportExchangeCsv(next, path.toStdString(), 0, &problems);
  if (!outcome.shown) {
    // A file that could not be read at all is refused with a box, as a file of another kind is.
    Outcome refused = FileRefusedOutcome(" Error");
    refused.detail = std::move(outcome.detail);
    outcome = std::move(refused);
  }
  if (outcome.success && !(next == document_.image())) {
    document_.Replace(Utf8("Import Channel List " + name), std::move(next));
  }
  if (!problems.empty()) outcome.detail += "\n" + FileProblemList(problems, name);
  Report(outcome);
}

void MainWindow::ExportChannelListCommand() {
  QString path =
      Messages().ChooseFile(this, true, FileKind::kCsv, "Export Channel List", kListFilter);
  if (path.isEmpty()) return;
  Report(ExportExchangeCsv(document_.image(), path.toStdString()));
}

void MainWindow::CopyRows() { CopyRowsToClipboard(false); }

void MainWindow::CopyRowsWithCaptions() { CopyRowsToClipboard(true); }

void MainWindow::CopyRowsToClipboard(bool with_captions) {
  if (!SelectionIsOneBlock("Copy")) return;
  auto [first, last] = SelectionRange();
  if (first < 1) return;
  QApplication::clipboard()->setText(
      Utf8(CopyChannelsText(document_.image(), first, last, with_captions)));
  statusBar()->showMessage(QString("Copied %1 row(s)").arg(last - first + 1));
}

void MainWindow::CutRows() {
  if (runner_.busy() || !SelectionIsOneBlock("Cut")) return;
  auto [first, last] = SelectionRange();
  if (first < 1) return;
  CopyRowsToClipboard(false);
  // The call and bug-detector channels are copied but kept, as "Clear" keeps them.
  document_.Change(
      "Cut", [first, last](MemoryImage& image) { ClearUnprotectedChannels(image, first, last); });
}

void MainWindow::PasteRows() {
  if (runner_.busy()) return;
  const std::string text = QApplication::clipboard()->text().toStdString();
  const int start = SelectionRange().first;
  if (text.empty() || start < 1) return;
  PasteResult result;
  document_.Change("Paste",
                   [&](MemoryImage& image) { result = PasteChannelsText(image, text, start); });
  if (result.rows > 0) {
    // The pasted rows stay selected, so that the next command (a copy, an undo to compare, Edit
    // Selected) takes them as a whole.
    std::vector<int> pasted;
    for (int number = result.first; number <= result.last; ++number) pasted.push_back(number);
    grid_editor_->SelectChannels(pasted);
  }
  std::string done = std::to_string(result.rows) + " row(s) pasted" +
                     (result.rows == 0 ? ""
                                       : " into channels " + std::to_string(result.first) + ".." +
                                             std::to_string(result.last));
  if (result.problems.empty()) {
    statusBar()->showMessage(Utf8(done));
    return;
  }
  // Every row that was not taken as it stands is listed, so that nothing changes unnoticed.
  Outcome outcome = MessageOutcome(
      OutcomeKind::kDone,
      done + "; " + std::to_string(result.problems.size()) + " row(s) not as they were pasted",
      "Paste", OutcomeIcon::kNone);
  outcome.detail = FileProblemList(result.problems, "the pasted text");
  Report(outcome);
}

}  // namespace tqm5::gui
