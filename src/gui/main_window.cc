#include "gui/main_window.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSerialPortInfo>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "files/com_ini.h"
#include "files/file_problem.h"
#include "gui/bank_page.h"
#include "gui/channel_table_model.h"
#include "gui/common_page.h"
#include "gui/compare_dialog.h"
#include "gui/glyph_text.h"
#include "gui/grid_editor.h"
#include "gui/message_boxes.h"
#include "gui/recent_files.h"
#include "gui/set_mode_page.h"
#include "gui/start_port.h"
#include "gui/status_bar.h"
#include "gui/version.h"
#include "gui/widgets.h"
#include "gui/window_state.h"
#include "serial/serial_ports.h"
#include "serial/serial_transport.h"
#include "sim/pty_server.h"

namespace tqm5::gui {
namespace {

QSettings WindowSettings(const std::string& com_ini) {
  return QSettings(WindowSettingsFile(com_ini), QSettings::IniFormat);
}

QString CommandName(TransferCommand command) {
  return Utf8(std::string(TransferCommandName(command)));
}

}  // namespace

MainWindow::MainWindow(ModelOption model, const std::string& com_ini, QWidget* parent)
    : QMainWindow(parent), com_ini_(com_ini) {
  setObjectName("Form1");
  setWindowTitle(QString("TQ-M5 Clone Utility Version ") + kVersionText);

  MemoryImage image;
  SelectModelOption(image, model);
  PortMenuState port_state;
  if (!com_ini_.empty()) port_state = LoadComPort(com_ini_);
  image.com_port_number = port_state.port;
  document_.Reset(std::move(image));

  BuildMenus();
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(BuildTopRow());
  tabs_ = new QTabWidget;
  tabs_->setObjectName("TabStrip1");
  // A page larger than the window scrolls rather than squeezing its controls over each other.
  auto scrolled = [](QWidget* page) -> QWidget* {
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidget(page);
    return area;
  };
  tabs_->addTab(scrolled(BuildMemoryPage()), "Memory");
  BuildClipboardActions(edit_menu_);
  grid_editor_->AddFindActions(edit_menu_);
  tabs_->addTab(scrolled(new BankPage(*this)), "Bank");
  tabs_->addTab(scrolled(new CommonPage(*this)), "Common Set");
  tabs_->addTab(scrolled(new SetModePage(*this)), "Set Mode");
  layout->addWidget(tabs_);
  setCentralWidget(central);
  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::TabSelected);
  // A click on the tab already shown chooses it too: until a tab has been chosen, the page
  // shown at start-up has not passed the bank total's guard.
  connect(tabs_->tabBar(), &QTabBar::tabBarClicked, this, [this](int index) {
    if (index == tabs_->currentIndex()) TabSelected(index);
  });

  setStatusBar(new MessageStatusBar);
  connect(channel_model_, &ChannelTableModel::cellEditRefused, statusBar(),
          [this](const QString& why) { statusBar()->showMessage(why); });
  file_label_ = new QLabel;
  statusBar()->addPermanentWidget(file_label_);
  if (port_state.checked > 0)
    com_actions_[static_cast<size_t>(port_state.checked - 1)]->setChecked(true);
  port_.number = port_state.port;
  if (!port_state.device.empty()) {
    SetPort({PortChoice::kDevice, port_state.port, Utf8(port_state.device)});
  }

  connect(&document_, &Document::fileStateChanged, this, &MainWindow::ShowFileState);
  connect(&runner_, &TransferRunner::progressed, this, &MainWindow::ShowProgress);
  connect(&runner_, &TransferRunner::finished, this, &MainWindow::TransferFinished);
  ShowFileState();
  // Small enough for a 1024 x 600 screen; a page that needs more scrolls.
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  resize(1180, 720);
  // Never larger than the screen: without a window manager nothing else would shrink it.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    resize(size().boundedTo(screen->availableGeometry().size()));
  }
  RestoreWindowState(WindowSettingsFile(com_ini_), *this, *tabs_);
  setAcceptDrops(true);  // project, CSV and font files (main_window_desktop.cc)
  grid_->setFocus();     // the keyboard starts in the grid
}

MainWindow::~MainWindow() {
  runner_.Cancel();
  runner_.Wait();
  // The members go before the child widgets: nothing may call back into a half-gone window.
  disconnect(&document_, nullptr, this, nullptr);
  disconnect(&runner_, nullptr, this, nullptr);
  // The grid's header and rows read the document until the view is gone: the view goes first,
  // while the document is still whole (a selection torn down with it repaints the row labels).
  delete grid_;
  grid_ = nullptr;
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("File(&F)");
  auto add = [this](QMenu* menu, const QString& caption, const QString& name, auto slot,
                    bool busy = true) {
    QAction* action = menu->addAction(caption, this, slot);
    action->setObjectName(name);
    if (busy) busy_actions_.push_back(action);
    return action;
  };
  add(file, "Open...(&O)", "ReadFile", &MainWindow::OpenCommand)->setShortcut(QKeySequence::Open);
  add(file, "Save...(&S)", "TEST_CLICK", &MainWindow::SaveCommand)->setShortcut(QKeySequence::Save);
  add(file, "Import...(&I)", "FILE_IMPORT", &MainWindow::ImportCommand);
  add(file, "Export...(&E)", "FILE_EXPORT", &MainWindow::ExportCommand);
  // Looks only: the image is not changed, so it stays usable while a transfer runs.
  add(
      file, "Compare with File...", "FILE_COMPARE", [this] { CompareWithFile(*this); }, false);
  add(file, "Import Channel List...", "FILE_IMPORT_LIST", &MainWindow::ImportChannelListCommand);
  add(file, "Export Channel List...", "FILE_EXPORT_LIST", &MainWindow::ExportChannelListCommand);
  file->addSeparator();
  recent_files_ = new RecentFilesMenu(WindowSettingsFile(com_ini_), this);
  connect(recent_files_, &RecentFilesMenu::fileChosen, this, &MainWindow::OpenRecentFile);
  file->addMenu(recent_files_);
  busy_actions_.push_back(recent_files_->menuAction());
  file->addSeparator();
  file->addAction("Quit(&Q)", QKeySequence::Quit, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu("Edit(&E)");
  edit_menu_ = edit;
  QAction* undo = document_.undo_stack()->createUndoAction(this, "Undo");
  undo->setShortcut(QKeySequence::Undo);
  QAction* redo = document_.undo_stack()->createRedoAction(this, "Redo");
  // Each key once: Ctrl+Shift+Z is already the system's redo key here, and a key bound twice
  // is ambiguous and does nothing.
  redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
  undo->setObjectName("EditUndo");
  redo->setObjectName("EditRedo");
  edit->addAction(undo);
  edit->addAction(redo);
  undo_action_ = undo;
  redo_action_ = redo;
  edit->setObjectName("MenuEdit");

  QMenu* ports = menuBar()->addMenu("COM port(&C)");
  ports->setObjectName("MenuSetCom");
  port_actions_ = new QActionGroup(this);
  for (int k = 1; k <= kPortCount; ++k) {
    // The device the entry stands for is in its text: menus show no tooltips.
    QString name = "COM" + QString::number(k);
    QString device = Utf8(ResolvePortName(std::to_string(k)));
    QAction* action = ports->addAction(device == name ? name : name + "  " + device);
    action->setObjectName("MenuSetCom_" + QString::number(k));
    action->setCheckable(true);
    port_actions_->addAction(action);
    connect(action, &QAction::triggered, this, [this, k] { ChooseComPort(k); });
    com_actions_.push_back(action);
  }
  ports->addSeparator();
  // The ports present, named as `tqm5 ports` names them. A port chosen here is kept by its
  // stable name where it has one, which stays the same in any USB socket.
  for (const SerialPortEntry& port : ListSerialPorts()) {
    QString text = Utf8(SerialPortSummary(port));
    if (!port.access_problem.empty()) text += "  (not allowed to open)";
    QAction* action = ports->addAction(text);
    action->setCheckable(true);
    port_actions_->addAction(action);
    QString device = Utf8(port.stable_path.empty() ? port.device : port.stable_path);
    QString problem = Utf8(port.access_problem);
    connect(action, &QAction::triggered, this, [this, device, problem] {
      ChooseDevice(device);
      if (!problem.isEmpty()) statusBar()->showMessage(problem);
    });
  }
  device_action_ = ports->addAction("Other port...", this, &MainWindow::ChooseOtherPort);
  device_action_->setObjectName("OtherPort");
  device_action_->setCheckable(true);
  port_actions_->addAction(device_action_);
  sim_action_ = ports->addAction("Simulated radio", this, [this] {
    SetPort({PortChoice::kSimulated, 0, {}});
  });
  sim_action_->setObjectName("SimulatedRadio");
  sim_action_->setCheckable(true);
  port_actions_->addAction(sim_action_);
  busy_actions_.push_back(ports->menuAction());

  QMenu* communication = menuBar()->addMenu("Communication(&T)");
  add(communication, "Write All Data(&A)", "ALL_WRITE",
      [this] { StartTransfer(TransferCommand::kWriteAll); });
  add(communication, "Read All Data(&B)", "ALL_READ",
      [this] { StartTransfer(TransferCommand::kReadAll); });
  communication->addSeparator();
  // Only what differs from what the radio was last known to hold, checked first and verified.
  add(communication, "Write Changes(&C)", "WRITE_CHANGES", [this] {
    StartTransfer(TransferCommand::kWriteChanges);
  })->setShortcut(QKeySequence("Ctrl+Shift+W"));
  // Whether "Write All Data" reads back what it sent; remembered beside the port setting.
  verify_action_ = communication->addAction("Verify Full Writes(&V)");
  verify_action_->setObjectName("VERIFY_WRITES");
  verify_action_->setCheckable(true);
  if (!com_ini_.empty()) {
    verify_action_->setChecked(WindowSettings(com_ini_).value("verify_full_writes").toBool());
    connect(verify_action_, &QAction::toggled, this,
            [this](bool on) { WindowSettings(com_ini_).setValue("verify_full_writes", on); });
  }

  QMenu* help = menuBar()->addMenu("Help(&H)");
  add(help, "Version info.(&A)", "MenuVersion", &MainWindow::ShowVersion, false);
}

QWidget* MainWindow::BuildTopRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  const ModelOption model = document_.image().model_option;
  const std::pair<const char*, ModelOption> options[] = {
      {"J", ModelOption::kJ}, {"T", ModelOption::kT}, {"other", ModelOption::kOther}};
  for (size_t i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(options[i].first);
    option->setObjectName("optModel_" + QString::number(i));
    option->setChecked(options[i].second == model);
    option->setEnabled(false);  // chosen at start-up only
    layout->addWidget(option);
  }
  layout->addStretch();
  progress_bar_ = new QProgressBar;
  progress_bar_->setObjectName("ProgressBar1");
  progress_bar_->setTextVisible(false);
  progress_bar_->setMinimumWidth(300);
  progress_bar_->setValue(0);
  // A mouse button pressed on the progress bar sends the radio's hidden reset.
  progress_bar_->installEventFilter(this);
  progress_text_ = new QLineEdit("0%");
  progress_text_->setObjectName("Progress");
  progress_text_->setReadOnly(true);
  progress_text_->setFixedWidth(56);
  progress_text_->setAlignment(Qt::AlignRight);
  cancel_ = Button("Cancel", "CancelTransfer");
  cancel_->setEnabled(false);
  connect(cancel_, &QPushButton::clicked, this, [this] { runner_.Cancel(); });
  layout->addWidget(progress_bar_);
  layout->addWidget(progress_text_);
  layout->addWidget(new QLabel("%"));
  layout->addWidget(cancel_);
  return row;
}

QWidget* MainWindow::BuildMemoryPage() {
  auto* frame = new QGroupBox("memory");
  frame->setObjectName("A_FRAME_0");
  auto* layout = new QHBoxLayout(frame);

  channel_model_ = new ChannelTableModel(document_, this);
  grid_ = new QTableView;
  grid_->setObjectName("MSFlexGrid1");
  grid_->setModel(channel_model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Shift and Ctrl with a click or the arrows, and Ctrl+A, select several rows.
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // F2 or typing on a cell edits it; Enter and Delete stay the grid's own (`eventFilter`).
  grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->verticalHeader()->setMinimumWidth(grid_->fontMetrics().horizontalAdvance("Dual99(Main) ") +
                                           8);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // Fixed widths: sizing 1623 rows to their contents is slow and the texts have known widths.
  const int widths[] = {112, 46, 64, 60, 64, 64, 64, 44, 40, 80, 36, 150};
  for (int column = 0; column < 12; ++column) grid_->setColumnWidth(column, widths[column]);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setItemDelegateForColumn(11, new GlyphNameDelegate(document_, grid_));  // "Name"
  grid_->installEventFilter(this);
  // The arrows move inside the grid; Tab goes on to the buttons beside it.
  grid_->setTabKeyNavigation(false);
  connect(grid_, &QTableView::doubleClicked, this, &MainWindow::OpenChannelDialog);
  // The row label is part of the row: a double-click there opens it as well.
  connect(grid_->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int row) {
    grid_->selectRow(row);
    OpenChannelDialog();
  });
  grid_->selectRow(0);
  layout->addWidget(grid_, 1);

  auto* buttons = new QVBoxLayout;
  auto transfer = [this, buttons](const QString& caption, const QString& name,
                                  TransferCommand command) {
    QPushButton* button = Button(caption, name);
    connect(button, &QPushButton::clicked, this, [this, command] { StartTransfer(command); });
    buttons->addWidget(button);
    busy_widgets_.push_back(button);
  };
  // The mnemonics (Alt and the underlined letter) leave the captions as they read.
  transfer("Memory &Read", "READ_Botton", TransferCommand::kReadMemories);
  transfer("Memory &Write", "WRITE_Botton", TransferCommand::kWriteMemories);
  transfer("&One Memory Read", "MEM_ONE_READ", TransferCommand::kOneMemoryRead);
  transfer("O&ne Memory Write", "MEM_ONE_WRITE", TransferCommand::kOneMemoryWrite);
  buttons->addSpacing(16);
  QPushButton* clear = Button("C&lear", "Clear_Botton");
  connect(clear, &QPushButton::clicked, this, &MainWindow::ClearSelected);
  QPushButton* all_clear = Button("&All Clear", "ALL_Reset");
  connect(all_clear, &QPushButton::clicked, this, &MainWindow::ClearAll);
  busy_widgets_.push_back(clear);
  busy_widgets_.push_back(all_clear);
  buttons->addWidget(clear);
  buttons->addWidget(all_clear);
  buttons->addSpacing(16);
  grid_editor_ = new GridEditor(*this, grid_);
  grid_editor_->AddButtons(buttons);
  buttons->addStretch();
  layout->addLayout(buttons);
  return frame;
}

void MainWindow::SetPort(const PortChoice& port) {
  port_ = port;
  if (port.kind == PortChoice::kNumber && port.number >= 1 && port.number <= kPortCount) {
    com_actions_[static_cast<size_t>(port.number - 1)]->setChecked(true);
    document_.SetComPortNumber(port.number);  // what a saved project records
  } else if (port.kind == PortChoice::kSimulated) {
    sim_action_->setChecked(true);
  } else if (port.kind == PortChoice::kDevice) {
    bool listed = false;
    for (QAction* action : port_actions_->actions()) {
      if (action->text().section("  (", 0, 0) == port.device) {
        action->setChecked(true);
        listed = true;
      }
    }
    if (!listed) device_action_->setChecked(true);
  }
  ShowFileState();
}

void MainWindow::ChooseComPort(int number) {
  SetPort({PortChoice::kNumber, number, {}});
  if (!com_ini_.empty()) {
    MemoryImage stored = document_.image();
    std::string error;
    if (!SelectComPort(stored, number, com_ini_, error)) {
      statusBar()->showMessage("The port could not be remembered: " + Utf8(error));
    }
  }
}

void MainWindow::ChooseOtherPort() {
  bool ok = false;
  QString device = QInputDialog::getText(this, "Other port",
                                         "Serial device of the radio cable:", QLineEdit::Normal,
                                         "/dev/ttyUSB0", &ok);
  if (ok && !device.trimmed().isEmpty()) {
    ChooseDevice(device.trimmed());
  } else {
    SetPort(port_);  // the check mark goes back to the port in use
  }
}

void MainWindow::ChooseDevice(const QString& device) {
  SetPort({PortChoice::kDevice, document_.image().com_port_number, device});
  if (!com_ini_.empty()) {
    MemoryImage stored = document_.image();
    std::string error;
    if (!SelectComPort(stored, stored.com_port_number, com_ini_, error, device.toStdString())) {
      statusBar()->showMessage("The port could not be remembered: " + Utf8(error));
    }
  }
}

QString MainWindow::PortLabel() const {
  if (port_.kind == PortChoice::kDevice) return port_.device;
  if (port_.kind == PortChoice::kSimulated) return "Simulated radio";
  QString name = "COM" + QString::number(port_.number);
  QString device = Utf8(ResolvePortName(std::to_string(port_.number)));
  return device == name ? name : name + " (" + device + ")";
}

void MainWindow::ChoosePortAtStart() {
  if (port_.kind == PortChoice::kSimulated) return;
  const QString device = port_.kind == PortChoice::kDevice
                             ? port_.device
                             : Utf8(ResolvePortName(std::to_string(port_.number)));
  QStringList present;
  bool there = QFileInfo::exists(device);  // also a link to a port, as tqm5-sim --link makes
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    present << info.systemLocation();
    there |= info.systemLocation() == device || info.portName() == device;
  }
  StartPort choice = ChooseStartPort(PortLabel(), there, present);
  // For this run only: the remembered port stays, for the day its cable is back.
  if (!choice.device.isEmpty()) SetPort({PortChoice::kDevice, port_.number, choice.device});
  if (!choice.message.isEmpty()) statusBar()->showMessage(choice.message);
}

std::string MainWindow::DeviceOfPort(QString& why) {
  switch (port_.kind) {
    case PortChoice::kNumber:
      return ResolvePortName(std::to_string(port_.number));
    case PortChoice::kDevice:
      return port_.device.toStdString();
    case PortChoice::kSimulated:
      break;
  }
  simulator();
  if (!sim_->running() && sim_->Start().empty()) {
    why = "The simulated radio could not start: " + Utf8(sim_->ErrorText());
    return "";
  }
  return sim_->slave_path();
}

SimPtyServer& MainWindow::simulator() {
  if (sim_ == nullptr) {
    // The simulated radio is of the variant the user chose, so that it answers.
    sim_ = DemoRadioServer(document_.image().model_option);
  }
  return *sim_;
}

std::pair<int, int> MainWindow::SelectionRange() const {
  std::vector<int> selected = grid_editor_->SelectedChannels();
  if (selected.empty()) return {1, 1};
  return {selected.front(), selected.back()};
}

bool MainWindow::SelectionIsOneBlock(const QString& command) {
  std::vector<int> selected = grid_editor_->SelectedChannels();
  if (selected.empty() ||
      selected.back() - selected.front() + 1 == static_cast<int>(selected.size())) {
    return true;
  }
  Report(MessageOutcome(OutcomeKind::kEditRefused,
                        "Select one block of consecutive rows for this command.",
                        command.toStdString(), OutcomeIcon::kNone));
  return false;
}

bool MainWindow::StartTransfer(TransferCommand command) {
  if ((command == TransferCommand::kOneMemoryRead || command == TransferCommand::kOneMemoryWrite) &&
      !SelectionIsOneBlock(CommandName(command))) {
    return false;
  }
  TransferRequest request;
  request.command = command;
  std::tie(request.first_row, request.last_row) = SelectionRange();
  request.verify = command == TransferCommand::kWriteAll && verify_action_->isChecked();
  return StartTransfer(request);
}

bool MainWindow::StartTransfer(const TransferRequest& request) {
  if (runner_.busy()) return false;
  if (!ReadsFromRadio(request.command)) {
    // What would stop the write part-way is found before anything is sent; then the lines of the
    // opened project that were not taken as they stand are the user's to accept.
    if (std::optional<Outcome> refusal = WriteRefusal(document_.image(), request.command)) {
      Report(*refusal);
      return false;
    }
    if (!WriteDespiteLoadProblems()) return false;
  }
  QString why;
  std::string device = DeviceOfPort(why);
  if (device.empty()) {
    Report(SilentOutcome(OutcomeKind::kPortFailed,
                         why.isEmpty() ? "No serial port is chosen." : why.toStdString()));
    return false;
  }
  if (!runner_.Start(request, document_.image(), document_.radio(), device)) return false;
  SetBusy(true);
  statusBar()->showMessage(CommandName(request.command) + "...");
  return true;
}

bool MainWindow::WriteDespiteLoadProblems() {
  const std::vector<FileProblem>& problems = document_.load_problems();
  if (problems.empty()) return true;
  constexpr size_t kListed = 12;  // the whole list was shown when the file was opened
  QString list;
  for (size_t i = 0; i < std::min(problems.size(), kListed); ++i) {
    list += "\n" + Utf8(FileProblemText(problems[i]));
  }
  if (problems.size() > kListed) {
    list += "\n(and " + QString::number(problems.size() - kListed) + " more)";
  }
  QString text = QFileInfo(document_.file_path()).fileName() + " was opened with " +
                 QString::number(problems.size()) + " line(s) that were not taken as they are:\n" +
                 list +
                 "\n\nThe radio would get what was loaded, not what the file says. Write anyway?";
  return Messages().Ask(this, "Write", text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

void MainWindow::HiddenReset() {
  if (runner_.busy()) return;
  QString why;
  std::string device = DeviceOfPort(why);
  if (device.empty() || !runner_.StartReset(device)) return;
  SetBusy(true);
}

void MainWindow::TransferFinished() {
  const Outcome& outcome = runner_.outcome();
  TransferCommand command = runner_.request().command;
  if (ReadsFromRadio(command)) {
    document_.ReplaceFromRadio(CommandName(command), runner_.image(), runner_.radio(),
                               command == TransferCommand::kReadAll && outcome.success);
  } else {
    document_.KeepRadioState(runner_.radio());
  }
  SetBusy(false);
  Report(outcome);
  ShowProgress(Progress());
  if (close_after_transfer_) close();
}

void MainWindow::SetBusy(bool busy) {
  for (QWidget* widget : busy_widgets_) {
    if (widget != nullptr) widget->setEnabled(!busy);
  }
  for (QAction* action : busy_actions_) action->setEnabled(!busy);
  cancel_->setEnabled(busy);
  // An undo while a transfer runs would be overwritten by its result.
  undo_action_->setEnabled(!busy && document_.undo_stack()->canUndo());
  redo_action_->setEnabled(!busy && document_.undo_stack()->canRedo());
}

void MainWindow::ShowProgress(const Progress& progress) {
  int maximum = static_cast<int>(progress.maximum);
  progress_bar_->setRange(0, std::max(maximum, 1));
  progress_bar_->setValue(std::min(static_cast<int>(progress.value), std::max(maximum, 1)));
  progress_text_->setText(Utf8(ProgressPercentText(progress)));
  if (!progress.phase.empty()) statusBar()->showMessage(Utf8(progress.phase));
}

void MainWindow::Report(const Outcome& outcome) {
  if (outcome.shown) Messages().Show(this, outcome);
  // The detail says what the box cannot: which step failed, or why no box was shown.
  if (!outcome.detail.empty()) {
    std::string first_line = outcome.detail.substr(0, outcome.detail.find('\n'));
    statusBar()->showMessage(Utf8(outcome.shown ? outcome.text + ": " + first_line : first_line));
  } else {
    statusBar()->clearMessage();
  }
}

void MainWindow::ShowFileState() {
  QString name =
      document_.file_path().isEmpty() ? "(no file)" : QFileInfo(document_.file_path()).fileName();
  QString port = port_.kind == PortChoice::kSimulated ? "simulated radio"
                 : port_.kind == PortChoice::kDevice  ? port_.device
                                                      : "COM" + QString::number(port_.number);
  file_label_->setText(name + (document_.IsModified() ? "  (changed)" : "") + "   Port: " + port);
}

}  // namespace tqm5::gui
