// `tqm5_screenshots DIR`: renders the window as a user sees it to PNG files in DIR: the main
// window after a read from the simulated radio (with Japanese names), the transfer in progress,
// the channel dialog of a dual pair, the bank page, the common and set-mode pages in Japanese and
// in English, the font editor and the bank-link editor. Runs offscreen; scripts/screenshots
// calls it.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "editing/channel_edit.h"
#include "groups/bank_link.h"
#include "gui/bank_link_editor.h"
#include "gui/channel_dialog.h"
#include "gui/font_editor.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
#include "image/channel_numbering.h"
#include "model/banks.h"
#include "model/channel.h"
#include "sim/pty_server.h"

namespace {

using namespace tqm5;

// A radio holding a few named channels, so that the grid shows what users keep there.
void FillRadio(SimRadio& radio) {
  struct Named {
    int number;
    uint32_t hertz;
    const char* name;
  };
  const Named channels[] = {{1, 145000000, "東京ﾚﾋﾟｰﾀ"},  {2, 433000000, "横浜みなと"},
                            {3, 145500000, "ｺｰﾙ ﾁｬﾝﾈﾙ"},  {4, 439500000, "札幌 JR1"},
                            {5, 1295000000, "名古屋①"},   {6, 129200000, "航空無線"},
                            {1101, 145620000, "ﾃﾞｭｱﾙ主"}, {1102, 435220000, "ﾃﾞｭｱﾙ副"}};
  MemoryImage image;
  SelectModelOption(image, ModelOption::kJ);
  for (const Named& n : channels) {
    Channel channel;
    channel.row[kColFreq] = FrequencyText(n.hertz);
    channel.row[kColMode] = "FM";
    channel.row[kColStep] = "5KHz";
    channel.row[kColCarrier] = "ＪＲ";
    channel.row[kColToneMode] = "Tone";
    channel.row[kColTxTone] = channel.row[kColRxTone] = "88.5Hz";
    channel.row[kColDcs] = "023";
    channel.row[kColShift] = "Off";
    channel.row[kColShiftFreq] = "0.000MHz";
    channel.row[kColName] = n.name;
    channel.used = true;
    std::string hex = EncodeChannel(channel, n.number, "ZR~TQ-M5");
    int address = ChannelAddress(n.number);
    for (size_t i = 0; i < 64; ++i) {
      radio.memory()[static_cast<size_t>(address) + i] =
          static_cast<uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    }
  }
}

// What a user has typed and drawn besides channels: a title with a glyph, the glyph itself (a
// small antenna), a few more banks and two bank-link groups.
void EditImage(MemoryImage& image) {
  image.title = "ＴＱ－Ｍ５ ①";
  image.title_scroll = 1;
  const char* antenna[] = {
      "0000000110000000", "0000001111000000", "0000010110100000", "0000100110010000",
      "0000000110000000", "0000000110000000", "0000000110000000", "0000000110000000",
      "0000000110000000", "0000000110000000", "0000000110000000", "0000000110000000",
      "0000001111000000", "0000011111100000", "0000111111110000", "0000000000000000"};
  for (int r = 0; r < kGlyphSize; ++r) {
    for (int c = 0; c < kGlyphSize; ++c) image.font_bits[0][r][c] = antenna[r][c] == '1';
  }
  image.bank_sizes = {};
  const int sizes[] = {200, 100, 100, 50, 50, 100, 100, 100, 100, 50};
  for (int b = 0; b < 10; ++b) image.bank_sizes[static_cast<size_t>(b)] = sizes[b];
  image.bank_sizes[12] = 50;
  RebuildRowLabels(image);
  GroupBanks first{}, second{};
  for (int b : {0, 1, 2, 3}) first[static_cast<size_t>(b)] = true;
  for (int b : {5, 6, 12}) second[static_cast<size_t>(b)] = true;
  image.bank_link_hex[0] = GroupHexOf(0, first);
  image.bank_link_hex[1] = GroupHexOf(1, second);
  image.one_touch[0] = {false, 1, 5};
}

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
  FillRadio(window.simulator().radio());
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
    gui::ChannelDetailDialog dialog(OpenChannelDialog(window.document().image(), 1101), true,
                                    &window);
    dialog.show();
    QApplication::processEvents();
    ok &= Save(dialog, folder + "/channel-dialog-dual.png");
    dialog.hide();

    window.document().Change("edits", EditImage);
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
    // The pages must fit the window's usual size: say what it needs at least.
    std::printf("the main window needs at least %dx%d\n", window.minimumSizeHint().width(),
                window.minimumSizeHint().height());
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
