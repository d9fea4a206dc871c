// The main window's file, grid and help commands, and its closing.
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "editing/channel_edit.h"
#include "editing/tabs.h"
#include "files/csv_file.h"
#include "files/project_file.h"
#include "files/text_file.h"
#include "gui/channel_dialog.h"
#include "gui/channel_table_model.h"
#include "gui/grid_editor.h"
#include "gui/kept_files.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
#include "gui/recent_files.h"
#include "gui/version.h"
#include "gui/window_state.h"
#include "model/banks.h"

namespace tqm5::gui {
namespace {

constexpr char kProjectFilter[] = "TQ-M5 Files (*.M5);;All Files (*)";
constexpr char kCsvFilter[] = "CSV Files (*.CSV);;All Files (*)";

// A file that could not be read at all (a folder, a file without read permission) is refused
// with a message box as a file of the wrong kind is; `detail` says why.
Outcome RefusedUnlessShown(Outcome outcome, const std::string& title) {
  if (outcome.shown) return outcome;
  Outcome refused = FileRefusedOutcome(title);
  refused.detail = std::move(outcome.detail);
  return refused;
}

}  // namespace

void MainWindow::OpenCommand() {
  // Undo would bring the changes back, but the user is asked first, as when closing.
  if (!MaySetAsideChanges()) return;
  QString path = Messages().ChooseFile(this, false, FileKind::kProject, "Open", kProjectFilter);
  if (!path.isEmpty()) OpenProject(path);
}

void MainWindow::OpenProject(const QString& path) {
  MemoryImage next = document_.image();
  std::vector<FileProblem> problems;
  std::string digest;
  Outcome outcome =
      RefusedUnlessShown(LoadProject(next, path.toStdString(), &problems, &digest), "Error");
  if (outcome.success) {
    QString name = QFileInfo(path).fileName();
    if (!problems.empty()) {
      // "Read File" as ever; what was loaded differently from the file is one click away, and
      // the write commands ask before they send it.
      outcome.detail = FileProblemList(problems, name.toStdString()) +
                       "\nThe window asks before it writes this to the radio.";
    }
    document_.ReplaceFromFile("Open " + name, std::move(next), std::move(problems));
    document_.set_file_path(path);
    document_.MarkSaved();
    // What the radio held when the file was last read from or written to it.
    std::string problem;
    document_.KeepRadioState(RadioOfOpenedProject(digest, document_.radio(), problem));
    if (!problem.empty()) outcome.detail += (outcome.detail.empty() ? "" : "\n") + problem;
    recent_files_->Add(path);
  }
  Report(outcome);
}

void MainWindow::SaveCommand() {
  QString path = Messages().ChooseFile(this, true, FileKind::kProject, "Save", kProjectFilter);
  if (!path.isEmpty()) SaveProjectAs(path);
}

void MainWindow::SaveProjectAs(const QString& path) {
  // The file names what the radio holds, so that opening it later still knows.
  std::string problem;
  const std::string digest = KeepRadioSnapshot(document_.radio(), problem);
  Outcome outcome = SaveOverACopy(path.toStdString(), [&] {
    return SaveProjectCommand(document_.image(), path.toStdString(), digest);
  });
  if (outcome.success) {
    if (!problem.empty()) outcome.detail += (outcome.detail.empty() ? "" : "\n") + problem;
    document_.set_file_path(path);
    document_.MarkSaved();
    // The file now holds the image as it is: what its load changed is the user's own.
    document_.ClearLoadProblems();
    recent_files_->Add(path);
  }
  Report(outcome);
}

void MainWindow::ImportCommand() {
  QString path = Messages().ChooseFile(this, false, FileKind::kCsv, "Import", kCsvFilter);
  if (!path.isEmpty()) ImportFile(path);
}

void MainWindow::ImportFile(const QString& path) {
  if (!PathEndsWith(path.toStdString(), ".CSV")) {
    // Only a CSV file is read; the channels stay as they are.
    Report(MessageOutcome(
        OutcomeKind::kFileRefused,
        "Only a CSV file can be imported: " + QFileInfo(path).fileName().toStdString() +
            " does not end in \".CSV\". Nothing was changed.",
        " Error", OutcomeIcon::kNone));
    return;
  }
  MemoryImage next = document_.image();
  std::vector<CsvImportProblem> problems;
  Outcome outcome = ImportCsv(next, path.toStdString(), &problems);
  const bool changed = !(next == document_.image());
  if (!changed) outcome = RefusedUnlessShown(std::move(outcome), " Error");
  // A file that ends early leaves the channels read before its end in the grid.
  const ImportWords words = {"check the channels listed below",
                             "the channels read up to there are in the grid (Undo takes them back)",
                             "nothing was changed"};
  const ImportReport report = MakeImportReport(problems, outcome.success, changed, words);
  if (changed) document_.Replace("Import " + QFileInfo(path).fileName(), std::move(next));
  // The import empties a channel with a bad cell, as the radio's program always did; the message
  // box lists which ones, so that nothing disappears unnoticed.
  std::string name = QFileInfo(path).fileName().toStdString();
  if (!outcome.success) {
    outcome.detail += "; " + report.closing;
    if (!report.count.empty()) outcome.detail += "\n" + name + ": " + report.count;
  } else if (!report.count.empty()) {
    outcome.detail = name + ": " + report.count + "; " + report.closing;
  }
  if (!report.list.empty()) outcome.detail += "\n" + report.list;
  Report(outcome);
}

void MainWindow::ExportCommand() {
  QString path = Messages().ChooseFile(this, true, FileKind::kCsv, "Export", kCsvFilter);
  if (path.isEmpty()) return;
  ShowProgress({kChannelCount, kChannelCount, ""});
  Report(SaveOverACopy(path.toStdString(),
                       [&] { return ExportCsv(document_.image(), path.toStdString()); }));
  ShowProgress(Progress());
}

void MainWindow::OpenChannelDialog() {
  if (runner_.busy()) return;
  int number = DialogChannelForRow(ChannelTableModel::ChannelOfRow(grid_->currentIndex().row()));
  if (number == 0) return;
  // A dual pair opens on its main row.
  grid_->selectRow(ChannelTableModel::RowOfChannel(number));
  ChannelDialogState dialog = OpenChannelDialogState(document_.image(), number);
  ChannelDetailDialog window(dialog, UsesGlyphCharacters(document_.image()), this);
  if (window.exec() != QDialog::Accepted) return;
  const ChannelEdit& edit = window.edit();
  Outcome outcome;
  document_.Change("Edit " + Utf8(dialog.columns[0].label).trimmed(),
                   [&](MemoryImage& image) { outcome = ApplyChannelEdit(image, edit); });
  Report(outcome);
}

void MainWindow::ClearSelected() {
  if (runner_.busy()) return;  // the grid stays scrollable while a transfer runs
  std::vector<int> selected = grid_editor_->SelectedChannels();
  document_.Change("Clear", [&selected](MemoryImage& image) {
    for (int number : selected) ClearUnprotectedChannels(image, number, number);
  });
}

void MainWindow::ClearAll() {
  document_.Change("All Clear", [](MemoryImage& image) { ClearAllChannels(image); });
}

void MainWindow::ShowVersion() {
  QDialog dialog(this);
  dialog.setObjectName("Form3");
  dialog.setWindowTitle("Version");
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel("VARNEX TQ-M5 Clone Utility"));
  layout->addWidget(new QLabel(QString("Version ") + kVersionText));
  layout->addWidget(new QLabel("2017/6"));
  layout->addWidget(
      new QLabel("This program reads and writes the memory of the TQ-M5.\n"
                 "Keep a saved copy of your radio's memory before you write."));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}

void MainWindow::TabSelected(int index) {
  const int tab = index + 1;
  TabSwitch decision = DecideTabSwitch(document_.image(), current_tab_, tab);
  if (decision == TabSwitch::kStay) return;
  if (decision == TabSwitch::kAsk &&
      Messages().Ask(this, "Caution", "Bank Total Error. Init Data?",
                     QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
    QSignalBlocker quiet(tabs_);
    // The previous page stays; before any choice that is the page shown at start-up.
    tabs_->setCurrentIndex(std::max(current_tab_, kMemoryTab) - 1);
    return;
  }
  current_tab_ = tab;
  const bool reset = decision != TabSwitch::kShow;
  document_.Change(reset ? "Bank Reset" : tabs_->tabText(index), [&](MemoryImage& image) {
    if (reset) ResetBankSizes(image);
    EnterTab(image, tab);
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // A key an open cell editor leaves (Enter ends the typing) reaches the grid as well: it is the
  // editor's, not a command.
  if (watched == grid_ && event->type() == QEvent::KeyPress &&
      grid_->indexWidget(grid_->currentIndex()) == nullptr) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
      ClearSelected();
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (grid_editor_->SelectedChannels().size() > 1) {
        grid_editor_->EditSelected();
      } else {
        OpenChannelDialog();
      }
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonPress && watched->objectName() == "ProgressBar1") {
    HiddenReset();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runner_.busy()) {
    // The port is never left open: the transfer stops between two exchanges and the window
    // closes when it has ended, after the question about unsaved changes.
    if (Messages().Ask(this, "TQ-M5 Clone Utility",
                       "A transfer is running. Stop it and close the program?",
                       QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
      close_after_transfer_ = true;
      runner_.Cancel();
    }
    event->ignore();
    return;
  }
  close_after_transfer_ = false;
  if (!MaySetAsideChanges()) {
    event->ignore();
    return;
  }
  SaveWindowState(WindowSettingsFile(com_ini_), *this, *tabs_);
  event->accept();
}

bool MainWindow::MaySetAsideChanges() {
  if (!document_.IsModified()) return true;
  QMessageBox::StandardButton answer = Messages().Ask(
      this, "TQ-M5 Clone Utility", "The memory image has changes that are not saved. Save them?",
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::Save) {
    SaveCommand();
    return !document_.IsModified();
  }
  return true;
}

}  // namespace tqm5::gui
