#include "gui/font_editor.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "files/font_file.h"
#include "gui/kept_files.h"
#include "gui/key_rule.h"
#include "gui/message_boxes.h"

namespace tqm5::gui {
namespace {

constexpr int kCellSize = 20;
const QColor kSetPixel(0, 0, 128);
const QString kFontSaveFilter = "M5フォントファイル(*.FM5);;すべてのファイル(*.*)";
const QString kFontOpenFilter = "FM5 (*.FM5);;FM5 Files (*.FM5);;All Files (*.*)";

QPushButton* Button(const QString& caption, const QString& name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

PixelGrid::PixelGrid(QWidget* parent) : QWidget(parent) {
  setObjectName("MSFlexGrid1");
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(sizeHint());
}

QSize PixelGrid::sizeHint() const {
  return {kGlyphSize * kCellSize + 1, kGlyphSize * kCellSize + 1};
}

void PixelGrid::ShowGlyph(const GlyphBits& bits) {
  if (bits == bits_) return;
  bits_ = bits;
  update();
}

void PixelGrid::ResetCursor() {
  current_ = end_ = GlyphCell{};
  update();
}

QRect PixelGrid::CellRect(GlyphCell cell) const {
  return {cell.column * kCellSize, cell.row * kCellSize, kCellSize, kCellSize};
}

GlyphCell PixelGrid::CellAt(QPoint point) const {
  return {std::clamp(point.y() / kCellSize, 0, kGlyphSize - 1),
          std::clamp(point.x() / kCellSize, 0, kGlyphSize - 1)};
}

void PixelGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor clear = palette().color(QPalette::Base);
  for (int row = 0; row < kGlyphSize; ++row) {
    for (int column = 0; column < kGlyphSize; ++column) {
      bool set = bits_[static_cast<size_t>(row)][static_cast<size_t>(column)] == 1;
      painter.fillRect(CellRect({row, column}), set ? kSetPixel : clear);
    }
  }
  painter.setPen(palette().color(QPalette::Mid));
  for (int i = 0; i <= kGlyphSize; ++i) {
    painter.drawLine(i * kCellSize, 0, i * kCellSize, kGlyphSize * kCellSize);
    painter.drawLine(0, i * kCellSize, kGlyphSize * kCellSize, i * kCellSize);
  }
  // The selection: a tint over its cells and a frame around them; the current cell framed in
  // two colours so that it shows on set and clear pixels alike.
  QRect selection = CellRect(current_).united(CellRect(end_));
  QColor tint = palette().color(QPalette::Highlight);
  tint.setAlpha(80);
  if (current_ != end_) painter.fillRect(selection, tint);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawRect(selection.adjusted(1, 1, -1, -1));
  painter.setPen(QPen(QColor(255, 96, 96), 2));
  painter.drawRect(CellRect(current_).adjusted(3, 3, -3, -3));
}

void PixelGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  dragged_ = false;
  current_ = end_ = CellAt(event->position().toPoint());
  update();
}

void PixelGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_) return;
  GlyphCell cell = CellAt(event->position().toPoint());
  if (cell == end_) return;
  end_ = cell;
  dragged_ = true;
  update();
}

void PixelGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressed_ || event->button() != Qt::LeftButton) return;
  pressed_ = false;
  if (!dragged_) emit cellClicked(current_.row, current_.column);
}

void PixelGrid::keyPressEvent(QKeyEvent* event) {
  int rows = 0;
  int columns = 0;
  switch (event->key()) {
    case Qt::Key_Up:
      rows = -1;
      break;
    case Qt::Key_Down:
      rows = 1;
      break;
    case Qt::Key_Left:
      columns = -1;
      break;
    case Qt::Key_Right:
      columns = 1;
      break;
    case Qt::Key_Space:
      end_ = current_;
      emit cellClicked(current_.row, current_.column);
      update();
      return;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  GlyphCell& moved = (event->modifiers() & Qt::ShiftModifier) ? end_ : current_;
  moved = {std::clamp(moved.row + rows, 0, kGlyphSize - 1),
           std::clamp(moved.column + columns, 0, kGlyphSize - 1)};
  if (!(event->modifiers() & Qt::ShiftModifier)) end_ = current_;
  update();
}

FontEditor::FontEditor(PageHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("Form4");
  setWindowTitle("Font");

  auto* menu_bar = new QMenuBar;
  QMenu* file = menu_bar->addMenu("ファイル(&F)");
  QAction* open = file->addAction("開く(&O)", this, &FontEditor::OpenFontFile);
  open->setObjectName("FONT_FILE_OPEN");
  QAction* save = file->addAction("保存(&S)", this, &FontEditor::SaveFontFileAs);
  save->setObjectName("FONT_FILE_SAVE");
  transfers_ = new EditorTransfers(host_, this);
  transfers_->AddCommand(open);  // saving only reads the image

  grid_ = new PixelGrid;
  connect(grid_, &PixelGrid::cellClicked, this, [this](int row, int column) {
    EditFont("Pixel", [&](FontBits& font) { TogglePixel(font, glyph(), {row, column}); });
  });

  list_ = new QComboBox;
  list_->setObjectName("FONT_LIST");
  for (int g = 0; g < kGlyphCount; ++g) list_->addItem(QString::number(g));
  KeyRule::RefuseTyping(list_);  // typing "3" would jump to glyph 3
  connect(list_, &QComboBox::currentIndexChanged, this, &FontEditor::ShowSelectedGlyph);
  QPushButton* back = Button("BACK", "FONT_BACK");
  connect(back, &QPushButton::clicked, this,
          [this] { list_->setCurrentIndex(StepGlyph(glyph(), -1)); });
  QPushButton* next = Button("NEXT", "FONT_NEXT");
  connect(next, &QPushButton::clicked, this,
          [this] { list_->setCurrentIndex(StepGlyph(glyph(), 1)); });

  auto* commands = new QVBoxLayout;
  auto* list_row = new QHBoxLayout;
  list_row->addWidget(back);
  list_row->addWidget(list_);
  list_row->addWidget(next);
  commands->addLayout(list_row);
  auto add = [this, commands](QPushButton* button) {
    commands->addWidget(button);
    transfers_->AddCommand(button);
    return button;
  };
  auto edit = [this, add](const QString& caption, const QString& name,
                          std::function<void(FontBits&, int)> change) {
    connect(add(Button(caption, name)), &QPushButton::clicked, this, [this, caption, change] {
      EditFont(caption, [&](FontBits& font) { change(font, glyph()); });
    });
  };
  auto transfer = [this, add](const QString& caption, const QString& name,
                              TransferCommand command) {
    connect(add(Button(caption, name)), &QPushButton::clicked, this,
            [this, command] { StartGlyphTransfer(command); });
  };
  commands->addSpacing(8);
  edit("Select Setting", "IKKATU_ON", [this](FontBits& font, int g) {
    FillGlyphRect(font, g, grid_->current(), grid_->selectionEnd(), true);
  });
  edit("Select Delete", "IKKATU_OFF", [this](FontBits& font, int g) {
    FillGlyphRect(font, g, grid_->current(), grid_->selectionEnd(), false);
  });
  edit("Clear", "FONT_CLEAR", [](FontBits& font, int g) { ClearOneGlyph(font, g); });
  edit("All Clear", "ALL_CLEAR", [](FontBits& font, int) { ClearAllGlyphs(font); });
  commands->addSpacing(8);
  transfer("Read", "R_FONT", TransferCommand::kGlyphRead);
  transfer("Write", "FONT_WRITE", TransferCommand::kGlyphWrite);
  transfer("Read ALL", "READ_ALL", TransferCommand::kGlyphsReadAll);
  transfer("Write ALL", "WRITE_ALL", TransferCommand::kGlyphsWriteAll);
  commands->addStretch();
  QPushButton* ok = Button("OK", "FONT_OK");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  commands->addWidget(ok);
  for (QWidget* command : {static_cast<QWidget*>(grid_), static_cast<QWidget*>(list_),
                           static_cast<QWidget*>(back), static_cast<QWidget*>(next)}) {
    transfers_->AddCommand(command);
  }

  auto* editing = new QHBoxLayout;
  editing->addWidget(grid_, 0, Qt::AlignTop);
  editing->addLayout(commands);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu_bar);
  layout->addLayout(editing);
  layout->addWidget(transfers_);

  connect(&host_.document(), &Document::imageChanged, this, &FontEditor::Refresh);
  connect(transfers_, &EditorTransfers::transferEnded, this, [this](TransferCommand command) {
    // A read shows the glyph afresh, with the current cell back at the first pixel.
    if (ReadsFromRadio(command)) ShowSelectedGlyph();
  });
  ShowSelectedGlyph();
}

int FontEditor::glyph() const { return std::clamp(list_->currentIndex(), 0, kGlyphCount - 1); }

void FontEditor::Refresh() {
  grid_->ShowGlyph(host_.document().image().font_bits[static_cast<size_t>(glyph())]);
}

void FontEditor::ShowSelectedGlyph() {
  grid_->ResetCursor();
  Refresh();
}

void FontEditor::EditFont(const QString& what, const std::function<void(FontBits&)>& edit) {
  if (transfers_->busy()) return;
  host_.document().Change(what, [&](MemoryImage& image) { edit(image.font_bits); });
}

void FontEditor::StartGlyphTransfer(TransferCommand command) {
  TransferRequest request;
  request.command = command;
  request.glyph = glyph();
  transfers_->Start(request);
}

void FontEditor::OpenFontFile() {
  QString path = Messages().ChooseFile(this, false, FileKind::kFont, "開く", kFontOpenFilter);
  if (path.isEmpty() || transfers_->busy()) return;
  LoadFontFileInto(host_, path);
  ShowSelectedGlyph();
}

void LoadFontFileInto(PageHost& host, const QString& path) {
  Outcome outcome;
  // The loader changes the glyphs only when the whole file could be read: one step or none.
  host.document().Change("Open " + QFileInfo(path).fileName(), [&](MemoryImage& image) {
    outcome = LoadFontFile(image, path.toStdString());
  });
  if (!outcome.shown) {
    // A file that could not be read at all is refused as one of the wrong kind is.
    std::string why = std::move(outcome.detail);
    outcome = FileRefusedOutcome(" Error");
    outcome.detail = std::move(why);
  }
  host.Report(outcome);
}

void FontEditor::SaveFontFileAs() {
  QString path = Messages().ChooseFile(this, true, FileKind::kFont, "保存", kFontSaveFilter);
  if (path.isEmpty()) return;
  host_.Report(SaveOverACopy(path.toStdString(), [&] {
    return SaveFontFile(host_.document().image(), path.toStdString());
  }));
}

}  // namespace tqm5::gui
