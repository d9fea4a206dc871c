#include "gui/channel_table_model.h"

#include <QBrush>
#include <QPalette>

#include "editing/selected_edit.h"
#include "gui/message_boxes.h"

namespace tqm5::gui {
ChannelTableModel::ChannelTableModel(Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {
  // Any change may touch every row (a read, a file, an undo). The rows stay the same 1623, so
  // one change signal over the whole table redraws them and keeps the selection.
  connect(&document_, &Document::imageChanged, this, [this] {
    emit dataChanged(index(0, 0), index(kChannelCount - 1, kColumnCount - 2));
    emit headerDataChanged(Qt::Vertical, 0, kChannelCount - 1);
  });
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount - 1;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Channel& channel = document_.image().channel(ChannelOfRow(index.row()));
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    return Utf8(CellText(channel, index.column() + 1));
  }
  // A channel that is not in use keeps its texts but is not sent to the radio: shown dimmed.
  if (role == Qt::ForegroundRole && !channel.used) {
    return QPalette().brush(QPalette::Disabled, QPalette::Text);
  }
  return {};
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section + 1 >= kColumnCount) return {};
    return Utf8(std::string(kColumnCaptions[static_cast<size_t>(section + 1)]));
  }
  if (section < 0 || section >= kChannelCount) return {};
  return Utf8(document_.image().channel(ChannelOfRow(section)).label);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const int number = ChannelOfRow(index.row());
  const int column = index.column() + 1;
  if (value.toString() == Utf8(CellText(document_.image().channel(number), column))) return false;
  std::string label = document_.image().channel(number).label;
  CellEdit cell =
      CellTextEdit(column, value.toString().toStdString(), UsesGlyphCharacters(document_.image()));
  if (cell.refusal.empty()) {
    SelectedEditReport report;
    QString caption = Utf8(std::string(kColumnCaptions[static_cast<size_t>(column)]));
    document_.Change("Edit " + Utf8(label).trimmed() + " " + caption, [&](MemoryImage& image) {
      report = EditSelectedChannels(image, {number}, cell.edit);
    });
    if (!report.refused.empty()) cell.refusal = report.refused.front().second;
  }
  if (!cell.refusal.empty()) {
    emit cellEditRefused(Utf8(label).trimmed() + ": " + Utf8(cell.refusal));
    return false;
  }
  return true;
}

}  // namespace tqm5::gui
