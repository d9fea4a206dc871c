#include "gui/grid_editor.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "gui/channel_table_model.h"
#include "gui/message_boxes.h"
#include "gui/selected_edit_dialog.h"
#include "gui/widgets.h"

namespace tqm5::gui {

GridEditor::GridEditor(PageHost& host, QTableView* grid) : QObject(grid), host_(host), grid_(grid) {
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QAction* GridEditor::GridAction(const QString& caption, const QString& name,
                                const QKeySequence& key) {
  auto* action = new QAction(caption, grid_);
  action->setObjectName(name);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    // Only in the grid: Insert or Ctrl+Up in a text box or on a slider are that control's own.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  }
  grid_->addAction(action);
  return action;
}

void GridEditor::AddButtons(QVBoxLayout* buttons) {
  auto button = [&](QAction* action, const QString& caption, const QString& name) {
    QPushButton* push = Button(caption, name);
    connect(push, &QPushButton::clicked, action, &QAction::trigger);
    buttons->addWidget(push);
    host_.AddBusyWidget(push);
    return push;
  };
  // Enter opens it when several rows are selected (the window's key handling).
  QAction* edit = GridAction("Edit Selected...", "EditSelected", QKeySequence());
  connect(edit, &QAction::triggered, this, &GridEditor::EditSelected);
  button(edit, "Edit Selected...", "EDIT_SELECTED");
  QAction* fill = GridAction("Fill Frequencies...", "FillFrequencies", QKeySequence());
  connect(fill, &QAction::triggered, this, &GridEditor::FillFrequencies);
  button(fill, "Fill Frequencies...", "FILL_FREQ");
  QAction* up = GridAction("Up", "MoveUp", QKeySequence("Ctrl+Up"));
  QAction* down = GridAction("Down", "MoveDown", QKeySequence("Ctrl+Down"));
  connect(up, &QAction::triggered, this, [this] { Move(-1); });
  connect(down, &QAction::triggered, this, [this] { Move(1); });
  button(up, "Up", "LIST_SET_0");
  button(down, "Down", "LIST_SET_1");
  QAction* insert = GridAction("Insert Empty", "InsertEmpty", QKeySequence(Qt::Key_Insert));
  connect(insert, &QAction::triggered, this, &GridEditor::InsertEmpty);
  button(insert, "Insert Empty", "INSERT_EMPTY");
  QAction* remove =
      GridAction("Delete and Close Gap", "DeleteCloseGap", QKeySequence("Ctrl+Delete"));
  connect(remove, &QAction::triggered, this, &GridEditor::DeleteAndCloseGap);
  button(remove, "Delete and Close Gap", "DELETE_CLOSE_GAP");

  auto* sort_menu = new QMenu(grid_);
  sort_menu->setObjectName("SortMenu");
  QAction* by_frequency =
      sort_menu->addAction("Sort Bank by Frequency", this, [this] { Sort(SortKey::kFrequency); });
  by_frequency->setObjectName("SortByFrequency");
  QAction* by_name =
      sort_menu->addAction("Sort Bank by Name", this, [this] { Sort(SortKey::kName); });
  by_name->setObjectName("SortByName");
  grid_->addAction(by_frequency);
  grid_->addAction(by_name);
  QPushButton* sort = Button("Sort Bank", "SORT_BANK");
  sort->setMenu(sort_menu);
  buttons->addWidget(sort);
  host_.AddBusyWidget(sort);
}

void GridEditor::AddFindActions(QMenu* edit) {
  edit->addSeparator();
  QAction* find = edit->addAction("Find...", this, &GridEditor::Find);
  find->setObjectName("EditFind");
  find->setShortcut(QKeySequence::Find);
  QAction* next = edit->addAction("Find Next", this, &GridEditor::FindNext);
  next->setObjectName("EditFindNext");
  next->setShortcut(QKeySequence(Qt::Key_F3));
}

std::vector<int> GridEditor::SelectedChannels() const {
  std::vector<int> numbers;
  for (const QModelIndex& index : grid_->selectionModel()->selectedRows()) {
    numbers.push_back(ChannelTableModel::ChannelOfRow(index.row()));
  }
  if (numbers.empty() && grid_->currentIndex().isValid()) {
    numbers.push_back(ChannelTableModel::ChannelOfRow(grid_->currentIndex().row()));
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

void GridEditor::SelectChannels(const std::vector<int>& numbers) {
  if (numbers.empty()) return;
  QAbstractItemModel* model = grid_->model();
  const int last_column = model->columnCount() - 1;
  QItemSelection selection;
  for (int number : numbers) {
    int row = ChannelTableModel::RowOfChannel(number);
    selection.select(model->index(row, 0), model->index(row, last_column));
  }
  QModelIndex first = model->index(ChannelTableModel::RowOfChannel(numbers.front()), 0);
  grid_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  grid_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  grid_->scrollTo(first);
}

void GridEditor::Run(const QString& what, const std::function<ListEditResult(MemoryImage&)>& edit) {
  if (host_.runner().busy()) return;
  ListEditResult result;
  host_.document().Change(what, [&](MemoryImage& image) { result = edit(image); });
  if (!result.done) {
    host_.Report(MessageOutcome(OutcomeKind::kEditRefused, result.refusal, what.toStdString(),
                                OutcomeIcon::kNone));
    return;
  }
  SelectChannels(result.selection);
  host_.Report(SilentOutcome(OutcomeKind::kDone, ""));
}

void GridEditor::EditSelected() {
  if (host_.runner().busy()) return;
  std::vector<int> selected = SelectedChannels();
  if (selected.empty()) return;
  const MemoryImage& image = host_.document().image();
  const bool model_j = UsesGlyphCharacters(image);
  // The dialog starts from the first channel that opens in the channel dialog.
  ChannelForm start;
  for (int number : selected) {
    if (int main = DialogChannelForRow(number); main != 0) {
      start = OpenChannelDialogState(image, main).columns[static_cast<size_t>(number - main)];
      break;
    }
  }
  SelectedEditDialog dialog(start, static_cast<int>(selected.size()), model_j, grid_->window());
  if (dialog.exec() != QDialog::Accepted) return;
  SelectedEditReport report;
  host_.document().Change("Edit Selected", [&](MemoryImage& next) {
    report = EditSelectedChannels(next, selected, dialog.edit());
  });
  ReportEdit("Edit Selected", report);
}

void GridEditor::ReportEdit(const QString& what, const SelectedEditReport& report) {
  std::string summary = SelectedEditSummary(host_.document().image(), report);
  if (report.refused.empty()) {
    host_.Report(SilentOutcome(OutcomeKind::kDone, summary));
  } else {
    // The channels a rule refused are listed; the others have changed.
    host_.Report(
        MessageOutcome(OutcomeKind::kDone, summary, what.toStdString(), OutcomeIcon::kNone));
  }
}

void GridEditor::FillFrequencies() {
  if (host_.runner().busy()) return;
  std::vector<int> selected = SelectedChannels();
  if (selected.empty()) return;
  QDialog dialog(grid_->window());
  dialog.setObjectName("FillFrequenciesForm");
  dialog.setWindowTitle("Fill Frequencies");
  auto* form = new QFormLayout(&dialog);
  auto line = [&](const QString& caption, const QString& name, const QString& text) {
    auto* box = new QLineEdit(text);
    box->setObjectName(name);
    form->addRow(caption, box);
    return box;
  };
  QLineEdit* start = line("Start frequency (MHz)", "FILL_START", "145.00000");
  QLineEdit* step = line("Step (MHz)", "FILL_STEP", "0.02000");
  auto* count = new QSpinBox;
  count->setObjectName("FILL_COUNT");
  count->setRange(1, kChannelCount);
  count->setValue(selected.size() > 1 ? static_cast<int>(selected.size()) : 10);
  form->addRow("Channels", count);
  QLineEdit* names = line("Name ({n} counts from 1)", "FILL_NAME", "");
  names->setPlaceholderText("RPT {n}");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("FILL_OK");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("FILL_CANCEL");
  form->addRow(buttons);
  FillRequest request;
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    std::string fault =
        ReadFillRequest(start->text().trimmed().toStdString(), step->text().trimmed().toStdString(),
                        count->value(), names->text().toStdString(), request);
    if (fault.empty()) {
      dialog.accept();
    } else {
      Messages().Show(&dialog, MessageOutcome(OutcomeKind::kEditRefused, fault, "Fill Frequencies",
                                              OutcomeIcon::kNone));
    }
  });
  if (dialog.exec() != QDialog::Accepted) return;
  std::string refusal;
  std::vector<int> targets =
      FillTargets(host_.document().image(), selected, request.count, refusal);
  if (targets.empty()) {
    host_.Report(
        MessageOutcome(OutcomeKind::kEditRefused, refusal, "Fill Frequencies", OutcomeIcon::kNone));
    return;
  }
  SelectedEditReport report;
  host_.document().Change("Fill Frequencies", [&](MemoryImage& image) {
    report = tqm5::FillFrequencies(image, targets, request);
  });
  SelectChannels(targets);
  ReportEdit("Fill Frequencies", report);
}

void GridEditor::Move(int direction) {
  std::vector<int> selected = SelectedChannels();
  Run(direction < 0 ? "Up" : "Down",
      [&](MemoryImage& image) { return MoveChannels(image, selected, direction); });
}

void GridEditor::InsertEmpty() {
  std::vector<int> selected = SelectedChannels();
  Run("Insert Empty", [&](MemoryImage& image) { return InsertEmptyRows(image, selected); });
}

void GridEditor::DeleteAndCloseGap() {
  std::vector<int> selected = SelectedChannels();
  Run("Delete and Close Gap",
      [&](MemoryImage& image) { return tqm5::DeleteAndCloseGap(image, selected); });
}

void GridEditor::Sort(SortKey key) {
  std::vector<int> selected = SelectedChannels();
  if (selected.empty()) return;
  Run("Sort Bank", [&](MemoryImage& image) { return SortRun(image, selected.front(), key); });
}

void GridEditor::Find() {
  QInputDialog dialog(grid_->window());
  dialog.setObjectName("FindForm");
  dialog.setWindowTitle("Find");
  dialog.setLabelText("Name or frequency:");
  dialog.setTextValue(find_text_);
  if (dialog.exec() != QDialog::Accepted || dialog.textValue().isEmpty()) return;
  FindText(dialog.textValue());
}

void GridEditor::FindNext() {
  if (find_text_.isEmpty()) {
    Find();
  } else {
    FindText(find_text_);
  }
}

void GridEditor::FindText(const QString& text) {
  find_text_ = text;
  int current = grid_->currentIndex().isValid()
                    ? ChannelTableModel::ChannelOfRow(grid_->currentIndex().row())
                    : 0;
  int found = FindChannel(host_.document().image(), text.toStdString(), current);
  if (found == 0) {
    host_.Report(SilentOutcome(OutcomeKind::kDone, "No channel holds \"" + text.toStdString() +
                                                       "\" in its name or "
                                                       "frequency."));
    return;
  }
  SelectChannels({found});
  host_.Report(SilentOutcome(OutcomeKind::kDone, ""));
}

}  // namespace tqm5::gui
