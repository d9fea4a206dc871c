// `tqm5_screenshots DIR`: renders the window as a user sees it to PNG files in DIR, after a
// "Read All Data" from the built-in simulated radio with its demo memory, as a user gets it: the
// main window, the transfer in progress, the channel dialog of a dual pair, the bank page, the
// common and set-mode pages in Japanese and in English, the set-mode page on a 1024 x 600
// screen, the font editor and the bank-link editor. Runs offscreen; scripts/screenshots calls it.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "editing/channel_edit.h"
#include "gui/bank_link_editor.h"
#include "gui/channel_dialog.h"
#include "gui/font_editor.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
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

bool Save(QWidget& widget, const QString& path) {
  bool saved = widget.grab().save(path);
  fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "cannot write", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QString folder = argc > 1 ? argv[1] : "docs/screenshots";
  QDir().mkpath(folder);
  gui::NoMessageBoxes messages;
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
  QObject::connect(&window.runner(), &gui::TransferRunner::finished, &window, [&] {
    QApplication::processEvents();
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
    app.exit(ok ? 0 : 1);
  });
  QTimer::singleShot(0, [&] {
    if (!window.StartTransfer(TransferCommand::kReadAll)) app.exit(1);
  });
  return app.exec();
}
