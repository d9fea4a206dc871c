#include "gui/compare_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "files/file_problem.h"
#include "files/project_file.h"
#include "gui/channel_table_model.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"

namespace tqm5::gui {
namespace {

constexpr int kChannelRole = Qt::UserRole;

// Shows the Memory page (through the tab strip's own guard of the bank total) and makes
// channel `number` the grid's current and only selected row.
void SelectChannel(MainWindow& window, int number) {
  if (auto* tabs = window.findChild<QTabWidget*>("TabStrip1")) tabs->setCurrentIndex(0);
  QTableView* grid = window.grid();
  QModelIndex cell = grid->model()->index(ChannelTableModel::RowOfChannel(number), 0);
  grid->selectionModel()->setCurrentIndex(
      cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  grid->scrollTo(cell);
}

}  // namespace

CompareDialog::CompareDialog(const std::vector<Difference>& differences, const QString& file_name,
                             const QString& problems, QWidget* parent)
    : QDialog(parent) {
  setObjectName("CompareDialog");
  setWindowTitle("Compare with " + file_name);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(
      differences.empty() ? "No differences: " + file_name + " holds what the window holds."
                          : QString::number(differences.size()) +
                                (differences.size() == 1 ? " difference" : " differences") +
                                ", each as \"window -> " + file_name +
                                "\". Double-click a channel's line to select it in the grid.");
  heading->setObjectName("COMPARE_HEADING");
  heading->setWordWrap(true);
  layout->addWidget(heading);
  if (!problems.isEmpty()) {
    auto* note = new QLabel(problems);
    note->setObjectName("COMPARE_PROBLEMS");
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(note);
  }
  auto* list = new QListWidget;
  list->setObjectName("COMPARE_LIST");
  for (const Difference& difference : differences) {
    auto* item = new QListWidgetItem(Utf8(DifferenceLine(difference)), list);
    item->setData(kChannelRole, difference.channel);
  }
  connect(list, &QListWidget::itemActivated, this, &CompareDialog::ItemActivated);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->setObjectName("COMPARE_CLOSE");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(640, 420);
}

void CompareDialog::ItemActivated(QListWidgetItem* item) {
  int number = item->data(kChannelRole).toInt();
  if (number > 0) emit channelChosen(number);
}

void CompareWithFile(MainWindow& window) {
  QString path = Messages().ChooseFile(&window, false, FileKind::kProject, "Compare with File",
                                       "TQ-M5 Files (*.M5);;All Files (*)");
  if (path.isEmpty()) return;
  MemoryImage file_image = window.document().image();
  std::vector<FileProblem> problems;
  Outcome outcome = LoadProject(file_image, path.toStdString(), &problems);
  if (!outcome.success) {
    // A file that could not be read at all is refused in a box, as "Open" refuses it.
    if (!outcome.shown) {
      Outcome refused = FileRefusedOutcome("Error");
      refused.detail = outcome.detail;
      outcome = refused;
    }
    window.Report(outcome);
    return;
  }
  QString name = QFileInfo(path).fileName();
  QString problem_text =
      problems.empty() ? QString() : Utf8(FileProblemList(problems, name.toStdString()));
  auto* dialog = new CompareDialog(ImageDifferences(window.document().image(), file_image), name,
                                   problem_text, &window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &CompareDialog::channelChosen, &window,
                   [&window](int number) { SelectChannel(window, number); });
  dialog->show();
}

}  // namespace tqm5::gui
