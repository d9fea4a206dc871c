#include "gui/bank_link_editor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editing/bank_link_edit.h"
#include "gui/widgets.h"
#include "model/banks.h"

namespace tqm5::gui {
namespace {

constexpr int kNameWidth = 64;
constexpr int kBankWidth = 18;
constexpr int kSeparatorWidth = 4;
constexpr int kRowHeight = 20;

const QColor kNotInUseBackground(128, 128, 128);
const QColor kInGroupBackground(0, 0, 128);
const QColor kMarkedText(255, 0, 0);

int ColumnWidth(int column) {
  if (column == 0) return kNameWidth;
  return BankOfColumn(column) < 0 ? kSeparatorWidth : kBankWidth;
}

}  // namespace

BankLinkEditor::BankLinkEditor(PageHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("Form5");
  setWindowTitle("BANK-LINK Setting");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildGrid());

  transfers_ = new EditorTransfers(host_, this);
  auto* row = new QHBoxLayout;
  auto add = [&](const QString& caption, const QString& name, auto slot) {
    QPushButton* button = Button(caption, name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    row->addWidget(button);
    transfers_->AddCommand(button);
  };
  add("Read", "GROUP_READ", [this] { Transfer(TransferCommand::kGroupsRead); });
  add("Write", "GROUP_WRITE", [this] {
    StoreShown();
    Transfer(TransferCommand::kGroupsWrite);
  });
  add("Clear", "Command1", [this] {
    host_.document().Change("Bank-link Clear",
                            [](MemoryImage& image) { ResetBankLink(image.bank_link_hex); });
  });
  add("OK", "Command2", [this] {
    StoreShown();
    accept();
  });
  row->addStretch();
  transfers_->setMinimumWidth(320);
  row->addWidget(transfers_);
  layout->addLayout(row);

  connect(&host_.document(), &Document::imageChanged, this, &BankLinkEditor::Refresh);
  Refresh();
}

QWidget* BankLinkEditor::BuildGrid() {
  auto* area = new QWidget;
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);

  // The block captions sit above their ten bank columns.
  auto* captions = new QHBoxLayout;
  captions->setSpacing(0);
  captions->addSpacing(kNameWidth + 2);
  for (int block = 0; block < 5; ++block) {
    auto* label = new QLabel(QString("BANK%1～%2").arg(block * 10).arg(block * 10 + 9));
    label->setFixedWidth(10 * kBankWidth);
    label->setAlignment(Qt::AlignCenter);
    captions->addWidget(label);
    captions->addSpacing(kSeparatorWidth);
  }
  captions->addStretch();
  layout->addLayout(captions);

  grid_ = new QTableWidget(kGroupGridRows, kGroupGridColumns);
  grid_->setObjectName("MSFlexGrid1");
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  grid_->verticalHeader()->setMinimumSectionSize(kRowHeight);
  grid_->horizontalHeader()->setMinimumSectionSize(kSeparatorWidth);
  int width = 0;
  for (int column = 0; column < kGroupGridColumns; ++column) {
    grid_->setColumnWidth(column, ColumnWidth(column));
    width += ColumnWidth(column);
  }
  grid_->setFixedSize(width + 2 * grid_->frameWidth(),
                      kGroupGridRows * kRowHeight + 2 * grid_->frameWidth());

  const QBrush caption_background = palette().brush(QPalette::Button);
  for (int row = 0; row < kGroupGridRows; ++row) {
    for (int column = 0; column < kGroupGridColumns; ++column) {
      auto* item = new QTableWidgetItem;
      item->setFlags(Qt::ItemIsEnabled);
      item->setTextAlignment(Qt::AlignCenter);
      const int bank = BankOfColumn(column);
      if (row == 0 && bank >= 0) item->setText(QString::number(bank % 10));
      if (column == 0 && row > 0) {
        item->setText(row <= 10 ? "Group" + QString::number(row - 1) : "GroupB");
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      }
      if (row == 0 || column == 0 || bank < 0) item->setBackground(caption_background);
      grid_->setItem(row, column, item);
    }
  }
  connect(grid_, &QTableWidget::cellClicked, this, &BankLinkEditor::CellClicked);
  layout->addWidget(grid_);
  return area;
}

void BankLinkEditor::Refresh() {
  const MemoryImage& image = host_.document().image();
  const BankLinkHex& groups = image.bank_link_hex;
  const std::string bank_size_hex = ExportBankSizes(image);
  grid_->setUpdatesEnabled(false);
  for (int g = 0; g < kBankLinkGroupCount; ++g) {
    for (int b = 0; b < kBankCount; ++b) {
      QTableWidgetItem* item = grid_->item(g + 1, BankColumn(b));
      switch (GroupCellState(groups, bank_size_hex, g, b)) {
        case GroupCell::kNotInUse:
          item->setBackground(kNotInUseBackground);
          item->setForeground(kMarkedText);
          break;
        case GroupCell::kInGroup:
          item->setBackground(kInGroupBackground);
          item->setForeground(kMarkedText);
          break;
        case GroupCell::kNotInGroup:
          item->setBackground(QBrush());
          item->setForeground(QColor(0, 0, 0));
          break;
      }
    }
  }
  grid_->setUpdatesEnabled(true);
}

void BankLinkEditor::CellClicked(int row, int column) {
  const int group = row - 1;
  const int bank = BankOfColumn(column);
  if (group < 0 || bank < 0 || transfers_->busy()) return;
  host_.document().Change(
      "Bank-link Group" + QString::number(group) + " bank " + QString::number(bank),
      [&](MemoryImage& image) {
        ClickGroupCell(image.bank_link_hex, ExportBankSizes(image), group, bank);
      });
}

void BankLinkEditor::StoreShown() {
  host_.document().Change("Bank-link", [this](MemoryImage& image) {
    StoreShownGroups(image.bank_link_hex, ExportBankSizes(image));
  });
}

void BankLinkEditor::Transfer(TransferCommand command) { transfers_->Start({.command = command}); }

void BankLinkEditor::reject() {
  if (transfers_->busy()) return;  // the window stays until its transfer has ended
  StoreShown();
  accept();
}

}  // namespace tqm5::gui
