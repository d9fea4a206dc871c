// `tqm5-clone`: the clone utility's window.
//
//   tqm5-clone [--model J|T|other] [--port N|PATH|sim] [--no-splash] [FILE.M5]
//
// --model skips the "Select MODEL" dialog, --port chooses the port for this run (1..16 as the
// "COM" menu maps them, a device path, or "sim" for the built-in simulated radio), --no-splash
// skips the splash window, and a project file is opened at once.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <memory>
#include <optional>
#include <string_view>

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
  if (int k = tqm5::PortNumber(text.toStdString()); k != 0)
    return PortChoice{PortChoice::kNumber, k, {}};
  return PortChoice{PortChoice::kDevice, 0, text};
}

void SetUp(QCommandLineParser& parser) {
  QCoreApplication::setApplicationName("tqm5-clone");
  QCoreApplication::setApplicationVersion(TQM5_VERSION);
  parser.setApplicationDescription("The TQ-M5 clone utility's window.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption({"model", "The radio variant: J, T or other (skips the model dialog).", "M"});
  parser.addOption({"port", "Port: 1..16, a device path, or sim for a simulated radio.", "P"});
  parser.addOption({"no-splash", "Start without the splash window."});
  parser.addPositionalArgument("file", "A project file (.M5) to open.", "[FILE.M5]");
}

// --help and --version need no display: they are answered before the window system is
// reached, which fails where there is no display.
void AnswerHelpWithoutDisplay(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    if (arg == "-h" || arg == "--help" || arg == "--help-all" || arg == "-?" || arg == "-v" ||
        arg == "--version") {
      QCoreApplication core(argc, argv);
      QCommandLineParser parser;
      SetUp(parser);
      parser.process(core);  // prints and exits for these options
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  AnswerHelpWithoutDisplay(argc, argv);
  QApplication app(argc, argv);
  // The installed desktop entry and icon: a desktop shows them for the window (on Wayland the
  // entry is found by this name).
  QGuiApplication::setDesktopFileName(TQM5_APP_ID);
  QApplication::setWindowIcon(QIcon::fromTheme("tqm5-clone"));
  QCommandLineParser parser;
  SetUp(parser);
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
    std::optional<ModelOption> chosen = model ? model : tqm5::gui::AskModel();
    if (!chosen) {
      // Closed without a model (Esc or the close box): the program ends, as no radio would
      // answer a window without one.
      QCoreApplication::exit(0);
      return;
    }
    window = std::make_unique<tqm5::gui::MainWindow>(*chosen, tqm5::GetComIniPath());
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
