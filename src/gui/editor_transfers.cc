#include "gui/editor_transfers.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QUndoStack>
#include <algorithm>

#include "gui/message_boxes.h"
#include "gui/widgets.h"

namespace tqm5::gui {

EditorTransfers::EditorTransfers(PageHost& host, QWidget* editor) : host_(host) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  bar_ = new QProgressBar;
  bar_->setObjectName("EditorProgress");
  bar_->setTextVisible(false);
  bar_->setValue(0);
  percent_ = new QLabel("0%");
  percent_->setObjectName("EditorProgressText");
  percent_->setMinimumWidth(40);
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cancel_ = Button("Cancel", "EditorCancel");
  cancel_->setAutoDefault(false);
  connect(cancel_, &QPushButton::clicked, this, [this] { host_.runner().Cancel(); });
  layout->addWidget(bar_, 1);
  layout->addWidget(percent_);
  layout->addWidget(cancel_);

  auto history = [&](const QString& caption, const QList<QKeySequence>& keys, bool undo) {
    auto* action = new QAction(caption, editor);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, [this, undo] {
      if (busy_) return;  // the transfer's result would overwrite it
      QUndoStack* stack = host_.document().undo_stack();
      undo ? stack->undo() : stack->redo();
    });
    editor->addAction(action);
    AddCommand(action);
  };
  history("Undo", {QKeySequence::Undo}, true);
  history("Redo", {QKeySequence::Redo, QKeySequence("Ctrl+Shift+Z")}, false);

  connect(&host_.runner(), &TransferRunner::progressed, this, &EditorTransfers::ShowProgress);
  connect(&host_.runner(), &TransferRunner::finished, this, [this] {
    SetBusy(false);
    ShowProgress(Progress());
    emit transferEnded(host_.runner().request().command);
  });
  SetBusy(host_.runner().busy());
}

void EditorTransfers::AddCommand(QWidget* command) {
  widgets_.push_back(command);
  command->setEnabled(!busy_);
}

void EditorTransfers::AddCommand(QAction* command) {
  actions_.push_back(command);
  command->setEnabled(!busy_);
}

bool EditorTransfers::Start(const TransferRequest& request) {
  if (busy_ || !host_.StartTransfer(request)) return false;
  SetBusy(true);
  return true;
}

void EditorTransfers::SetBusy(bool busy) {
  busy_ = busy;
  for (QWidget* widget : widgets_) widget->setEnabled(!busy);
  for (QAction* action : actions_) action->setEnabled(!busy);
  cancel_->setEnabled(busy);
}

void EditorTransfers::ShowProgress(const Progress& progress) {
  const int maximum = std::max(static_cast<int>(progress.maximum), 1);
  bar_->setRange(0, maximum);
  bar_->setValue(std::min(static_cast<int>(progress.value), maximum));
  percent_->setText(Utf8(ProgressPercentText(progress)));
}

}  // namespace tqm5::gui
