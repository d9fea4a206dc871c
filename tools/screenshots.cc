// `tqm5_screenshots DIR`: renders the window as a user sees it to PNG files in DIR, after a
// "Read All Data" from the built-in simulated radio with its demo memory, as a user gets it: the
// main window, the transfer in progress, the channel dialog of a dual pair, the bank page, the
// common and set-mode pages in Japanese and in English, the set-mode page on a 1024 x 600
// screen, the font editor and the bank-link editor; then "Edit Selected" on several rows, rows
// pasted from a spreadsheet, "Compare with File..." against a saved project, and the message of a
// "Write Changes" of two edited channels. Runs offscreen; scripts/screenshots calls it.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <optional>

#include "editing/channel_edit.h"
#include "files/project_file.h"
#include "gui/bank_link_editor.h"
#include "gui/channel_dialog.h"
#include "gui/channel_table_model.h"
#include "gui/compare_dialog.h"
#include "gui/font_editor.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
#include "gui/selected_edit_dialog.h"
#include "image/channel_numbering.h"

namespace {

using namespace tqm5;

void SetLanguage(gui::MainWindow& window, int language) {
  window.document().Change("language", [language](MemoryImage& image) {
    image.settings[kLanguageItem] = static_cast<int16_t>(language);
    image.language = language;
  });
  QApplication::processEvents();
}

bool Save(const QPixmap& shot, const QString& path) {
  bool saved = shot.save(path);
  fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
  return saved;
}

bool Save(QWidget& widget, const QString& path) { return Save(widget.grab(), path); }

// Shows nothing, as `NoMessageBoxes`, but keeps the last outcome shown and answers the open
// dialog with `file`.
class RecordingMessageBoxes : public gui::NoMessageBoxes {
 public:
  void Show(QWidget*, const Outcome& outcome) override { shown = outcome; }
  QString ChooseFile(QWidget*, bool, gui::FileKind, const QString&, const QString&) override {
    return file;
  }
  std::optional<Outcome> shown;
  QString file;
};

// Rows of a spreadsheet as it copies them: the caption line, then the columns "Freqency" ..
// "Name" separated by tabs.
constexpr char kSpreadsheetRows[] =
    "Freqency\tmode\tstep\tCarrier\tTone/"
    "DCS\tTx-tone\tRx-tone\tDCS\tShift\tShift-Freq\tSkip\tName\n"
    "145.6250\tFM\t12.5KHz\tＪＲ\tTone\t88.5Hz\t88.5Hz\t023\t-\t0.6\t\tCLUB RPT\n"
    "145.5500\tFM\t12.5KHz\tＪＲ\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t\tCLUB NET\n"
    "433.5000\tFM\t12.5KHz\tＪＲ\tNone\t88.5Hz\t88.5Hz\t023\tOff\t0\t*\tCLUB 70CM\n"
    "439.7250\tFM\t12.5KHz\tＪＲ\tTSQ\t71.9Hz\t71.9Hz\t023\t-\t5\t\tCLUB LINK\n";

// A dialog as the desktop shows it: a title strip with its caption above its contents, framed.
QPixmap Framed(QWidget& dialog) {
  constexpr int kStrip = 26;
  QPixmap contents = dialog.grab();
  QPixmap framed(contents.width() + 2, contents.height() + kStrip + 2);
  framed.fill(QColor(110, 110, 110));
  QPainter painter(&framed);
  painter.fillRect(1, 1, contents.width(), kStrip, QColor(222, 222, 222));
  QFont bold = dialog.font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(Qt::black);
  painter.drawText(QRect(1, 1, contents.width(), kStrip), Qt::AlignCenter, dialog.windowTitle());
  painter.drawPixmap(1, kStrip + 1, contents);
  return framed;
}

// The window with `dialog` in front of it, its top left corner at `where` (centred when none).
bool SaveInFront(QWidget& window, QWidget& dialog, std::optional<QPoint> where,
                 const QString& path) {
  QPixmap shot = window.grab();
  QPixmap front = Framed(dialog);
  QPainter painter(&shot);
  painter.drawPixmap(where.value_or(QPoint((shot.width() - front.width()) / 2,
                                           (shot.height() - front.height()) / 2)),
                     front);
  painter.end();
  return Save(shot, path);
}

// Makes channels `first`..`last` the grid's selected rows, the first current and at the top.
void SelectChannels(gui::MainWindow& window, int first, int last) {
  QTableView* grid = window.grid();
  QAbstractItemModel* model = grid->model();
  QItemSelection rows(
      model->index(gui::ChannelTableModel::RowOfChannel(first), 0),
      model->index(gui::ChannelTableModel::RowOfChannel(last), model->columnCount() - 1));
  grid->selectionModel()->setCurrentIndex(rows.indexes().first(), QItemSelectionModel::NoUpdate);
  grid->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
  grid->scrollTo(rows.indexes().first(), QAbstractItemView::PositionAtTop);
  grid->setFocus();
  QApplication::processEvents();
}

// Sets `list` of the "Edit Selected" dialog to `choice` and ticks its field, as a user would.
void Choose(QDialog& dialog, const QString& list, const QString& choice) {
  auto* box = dialog.findChild<QComboBox*>(list);
  box->setCurrentIndex(box->findText(choice));
  dialog.findChild<QCheckBox*>("CHANGE_" + list)->setChecked(true);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString folder = argc > 1 ? argv[1] : "docs/screenshots";
  QDir().mkpath(folder);
  RecordingMessageBoxes messages;
  gui::SetMessages(&messages);

  gui::MainWindow window(ModelOption::kJ, "");
  window.resize(1240, 760);
  window.SetPort({gui::PortChoice::kSimulated, 0, {}});
  window.show();

  bool ok = true;
  bool grabbed_progress = false;
  QObject::connect(
      &window.runner(), &gui::TransferRunner::progressed, &window, [&](const Progress& progress) {
        if (!grabbed_progress && progress.maximum == kChannelCount && progress.value >= 700) {
          grabbed_progress = true;
          ok &= Save(window, folder + "/transfer-in-progress.png");
        }
      });
  QTemporaryDir scratch;
  bool writing_changes = false;
  QObject::connect(&window.runner(), &gui::TransferRunner::finished, &window, [&] {
    QApplication::processEvents();
    if (writing_changes) {
      // The box the window showed when the write had ended, in front of it and its status bar.
      ok &= messages.shown.has_value();
      if (messages.shown) {
        QMessageBox box(&window);
        gui::SetUpOutcomeBox(box, *messages.shown);
        box.show();
        QApplication::processEvents();
        ok &= SaveInFront(window, box, QPoint((window.width() - box.width()) / 2, 340),
                          folder + "/write-changes.png");
      }
      app.exit(ok ? 0 : 1);
      return;
    }
    ok &= Save(window, folder + "/main-window.png");
    window.grid()->scrollTo(window.grid()->model()->index(1098, 0),
                            QAbstractItemView::PositionAtTop);
    gui::ChannelDetailDialog dialog(OpenChannelDialogState(window.document().image(), 1101), true,
                                    &window);
    dialog.show();
    QApplication::processEvents();
    ok &= Save(dialog, folder + "/channel-dialog-dual.png");
    dialog.hide();

    auto* tabs = window.findChild<QTabWidget*>("TabStrip1");
    tabs->setCurrentIndex(1);
    QApplication::processEvents();
    ok &= Save(window, folder + "/bank-page.png");
    for (int language : {kJapanese, kEnglish}) {
      SetLanguage(window, language);
      QString suffix = language == kJapanese ? "-ja.png" : "-en.png";
      tabs->setCurrentIndex(2);
      QApplication::processEvents();
      ok &= Save(window, folder + "/common-set" + suffix);
      tabs->setCurrentIndex(3);
      QApplication::processEvents();
      ok &= Save(window, folder + "/set-mode" + suffix);
    }
    // A small screen: the page scrolls instead of squeezing its controls.
    window.resize(1024, 600);
    QApplication::processEvents();
    ok &= Save(window, folder + "/set-mode-1024x600.png");
    window.resize(1240, 760);
    QApplication::processEvents();
    gui::FontEditor font(window, &window);
    font.show();
    QApplication::processEvents();
    ok &= Save(font, folder + "/font-editor.png");
    font.hide();
    gui::BankLinkEditor groups(window, &window);
    groups.show();
    QApplication::processEvents();
    ok &= Save(groups, folder + "/bank-link-editor.png");
    groups.hide();

    // "Edit Selected..." on the six channels of the first bank: a tone for all of them.
    tabs->setCurrentIndex(0);
    const int read_state = window.document().undo_stack()->index();
    SelectChannels(window, 1, 6);
    {
      const MemoryImage& image = window.document().image();
      gui::SelectedEditDialog edit(OpenChannelDialogState(image, 1).columns[0], 6,
                                   UsesGlyphCharacters(image), &window);
      edit.show();
      QApplication::processEvents();
      Choose(edit, "PALSE_TYPE", "TSQ");
      Choose(edit, "TX_TONE_COMBO", "100.0Hz");
      Choose(edit, "RX_TONE_COMBO", "100.0Hz");
      QApplication::processEvents();
      ok &= SaveInFront(window, edit, QPoint(window.width() - edit.width() - 190, 280),
                        folder + "/edit-selected.png");
      edit.hide();
    }

    // Rows copied in a spreadsheet, pasted with Ctrl+V on the first empty row of bank 04.
    QApplication::clipboard()->setText(kSpreadsheetRows);
    SelectChannels(window, 24, 24);
    window.grid()->scrollTo(window.grid()->model()->index(0, 0), QAbstractItemView::PositionAtTop);
    window.findChild<QAction*>("EditPaste")->trigger();
    QApplication::processEvents();
    SelectChannels(window, 24, 27);
    window.grid()->scrollTo(window.grid()->model()->index(0, 0), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    ok &= Save(window, folder + "/paste-rows.png");

    // "Compare with File..." against the project saved before three channels and a setting
    // changed.
    const QString project = scratch.filePath("my-radio.M5");
    ok &= SaveProjectCommand(window.document().image(), project.toStdString()).success;
    window.document().Change("Edit", [](MemoryImage& image) {
      image.channel(2).name = "2M RPT TOWN";
      image.channel(4).tone_mode = ToneMode::kTsq;
      image.channel(9).frequency_hz = 434'975'000;
      SettingId beep{SettingGroup::kSound, 0};
      image.settings[beep] = static_cast<int16_t>((image.settings[beep] + 1) % 5);
    });
    messages.file = project;
    gui::CompareWithFile(window);
    QApplication::processEvents();
    if (auto* compare = window.findChild<gui::CompareDialog*>("CompareDialog")) {
      auto* list = compare->findChild<QListWidget*>("COMPARE_LIST");
      list->setCurrentRow(0);
      compare->resize(640, 300);
      QApplication::processEvents();
      ok &= Save(Framed(*compare), folder + "/compare-dialog.png");
      compare->close();
    } else {
      ok = false;
    }

    // Back to what was read, two channels edited, and "Write Changes" (Ctrl+Shift+W).
    window.document().undo_stack()->setIndex(read_state);
    window.document().Change("Edit", [](MemoryImage& image) {
      image.channel(3).name = "2M RPT HILLTOP";
      image.channel(8).tone_mode = ToneMode::kTsq;
    });
    SelectChannels(window, 1, 1);
    messages.shown.reset();
    writing_changes = true;
    window.findChild<QAction*>("WRITE_CHANGES")->trigger();
  });
  QTimer::singleShot(0, [&] {
    if (!window.StartTransfer(TransferCommand::kReadAll)) app.exit(1);
  });
  return app.exec();
}
