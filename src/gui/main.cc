// `tqm5-clone`: the clone utility's window.
//
//   tqm5-clone [--model J|T|other] [--port N|PATH|sim] [--no-splash] [FILE.M5]
//
// --model skips the "Select MODEL" dialog, --port chooses the port for this run (1..16 as the
// "COM" menu maps them, a device path, or "sim" for the built-in simulated radio), --no-splash
// skips the splash window, and a project file is opened at once.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <memory>

#include "files/com_ini.h"
#include "gui/main_window.h"
#include "gui/start_dialogs.h"
#include "image/outcome.h"
#include "serial/serial_transport.h"

namespace {

using tqm5::ModelOption;
using tqm5::gui::PortChoice;

// The port of --port, as the command line `tqm5` takes it.
std::optional<PortChoice> ParsePort(const QString& text) {
  if (!tqm5::IsPortArgument(text.toStdString())) return std::nullopt;
  if (text == "sim") return PortChoice{PortChoice::kSimulated, 0, {}};
  bool number = false;
  int k = text.toInt(&number);
  if (number) return PortChoice{PortChoice::kNumber, k, {}};
  return PortChoice{PortChoice::kDevice, 0, text};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("tqm5-clone");
  QApplication::setApplicationVersion(TQM5_VERSION);
  QCommandLineParser parser;
  parser.setApplicationDescription("The TQ-M5 clone utility's window.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption({"model", "The radio variant: J, T or other (skips the model dialog).", "M"});
  parser.addOption({"port", "Port: 1..16, a device path, or sim for a simulated radio.", "P"});
  parser.addOption({"no-splash", "Start without the splash window."});
  parser.addPositionalArgument("file", "A project file (.M5) to open.", "[FILE.M5]");
  parser.process(app);

  std::optional<ModelOption> model;
  if (parser.isSet("model")) {
    model = tqm5::ParseModelOption(parser.value("model").toStdString());
    if (!model) {
      fprintf(stderr, "tqm5-clone: unknown model %s: use J, T or other\n",
              tqm5::QuotedValue(parser.value("model").toStdString()).c_str());
      return 2;
    }
  }
  std::optional<PortChoice> port;
  if (parser.isSet("port")) {
    port = ParsePort(parser.value("port"));
    if (!port) {
      fprintf(stderr, "tqm5-clone: port %s: give a number 1..16, a device path, or sim\n",
              tqm5::QuotedValue(parser.value("port").toStdString()).c_str());
      return 2;
    }
  }
  const QStringList files = parser.positionalArguments();

  std::unique_ptr<tqm5::gui::MainWindow> window;
  auto show_main_window = [&] {
    ModelOption chosen = ModelOption::kNone;
    if (model) {
      chosen = *model;
    } else {
      tqm5::gui::ModelDialog dialog;
      if (dialog.exec() == QDialog::Accepted) chosen = dialog.chosen();
    }
    window = std::make_unique<tqm5::gui::MainWindow>(chosen, tqm5::GetComIniPath());
    if (port) {
      window->SetPort(*port);
    } else {
      window->ChoosePortAtStart();
    }
    window->show();
    if (!files.isEmpty()) window->OpenProject(files.front());
  };

  std::unique_ptr<tqm5::gui::SplashWindow> splash;
  if (parser.isSet("no-splash")) {
    QTimer::singleShot(0, show_main_window);
  } else {
    splash = std::make_unique<tqm5::gui::SplashWindow>();
    QObject::connect(splash.get(), &tqm5::gui::SplashWindow::finished, [&] {
      splash->hide();
      show_main_window();
    });
    splash->show();
  }
  return app.exec();
}
