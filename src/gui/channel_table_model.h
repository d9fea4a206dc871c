// The channel grid `MSFlexGrid1` as a table model over the document's channels: rows 1..1623
// are the channels, the vertical header shows the row labels and the twelve columns carry the
// `ChannelRow` texts under their captions. A cell typed into sets that field of its channel
// through the channel dialog's rules, as one undo step.
#ifndef TQM5_GUI_CHANNEL_TABLE_MODEL_H_
#define TQM5_GUI_CHANNEL_TABLE_MODEL_H_

#include <QAbstractTableModel>

#include "gui/document.h"

namespace tqm5::gui {

class ChannelTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ChannelTableModel(Document& document, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A value typed into a cell: kept when the rules take it, otherwise `cellEditRefused` says why
  // and the cell shows what it held.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // Channel number of a model row, and back.
  static int ChannelOfRow(int row) { return row + 1; }
  static int RowOfChannel(int number) { return number - 1; }

 signals:
  void cellEditRefused(const QString& why);

 private:
  Document& document_;
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_CHANNEL_TABLE_MODEL_H_
