// `tqm5_screenshots DIR`: renders the window as a user sees it to PNG files in DIR: the main
// window after a read from the simulated radio (with Japanese names), the transfer in progress,
// and the channel dialog of a dual pair. Runs offscreen; scripts/screenshots calls it.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTableView>
#include <QTimer>

#include "editing/channel_edit.h"
#include "gui/channel_dialog.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
#include "image/channel_numbering.h"
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
    app.exit(ok ? 0 : 1);
  });
  QTimer::singleShot(0, [&] {
    if (!window.StartTransfer(TransferCommand::kReadAll)) app.exit(1);
  });
  return app.exec();
}
