// The main window `Form1`: menus, the tab strip with its four pages, the model options, the
// progress display and the status bar. It is a view of the document: commands call the
// library's rules and change the image only through the document's undo steps.
#ifndef TQM5_GUI_MAIN_WINDOW_H_
#define TQM5_GUI_MAIN_WINDOW_H_

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "gui/document.h"
#include "gui/page_host.h"
#include "gui/transfer_runner.h"

class QAction;
class QActionGroup;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableView;
class QTabWidget;

namespace tqm5 {
class SimPtyServer;
}

namespace tqm5::gui {

class ChannelTableModel;
class RecentFilesMenu;
class GridEditor;

// Where transfers go: a "COM" menu entry, a device path, or the simulated radio.
struct PortChoice {
  enum Kind { kNumber, kDevice, kSimulated } kind = kNumber;
  int number = 1;  // kNumber: 1..16
  QString device;  // kDevice
};

class MainWindow : public QMainWindow, public PageHost {
  Q_OBJECT

 public:
  // The smallest window: the menus, the top row and the tabs fit; the pages scroll.
  static constexpr int kMinimumWidth = 760;
  static constexpr int kMinimumHeight = 480;

  // `model` is the option chosen at start-up (none when the model dialog was closed without
  // OK). `com_ini` is the port setting file ("" to use none, for tests).
  MainWindow(ModelOption model, const std::string& com_ini, QWidget* parent = nullptr);
  ~MainWindow() override;

  Document& document() override { return document_; }
  TransferRunner& runner() override { return runner_; }
  QTableView* grid() { return grid_; }
  GridEditor& grid_editor() { return *grid_editor_; }

  void SetPort(const PortChoice& port);
  // At start-up, when the remembered port is not there: the only serial port present is used
  // for this run, or the status bar says which ports there are.
  void ChoosePortAtStart();
  const PortChoice& port() const { return port_; }
  // Opens a project file as the "Open" command does, after its dialog.
  void OpenProject(const QString& path);
  // Saves the project file as the "Save" command does, after its dialog.
  void SaveProjectAs(const QString& path);
  // Imports a CSV file as the "Import" command does, after its dialog.
  void ImportFile(const QString& path);
  // A file dropped on the window or chosen from the recent files (main_window_desktop.cc).
  void OpenDroppedFile(const QString& path);
  void OpenRecentFile(const QString& path);
  RecentFilesMenu* recent_files() { return recent_files_; }
  // Starts a transfer as its button or menu entry does; false when it did not start. The
  // channel commands take the rows selected in the grid.
  bool StartTransfer(TransferCommand command);
  bool StartTransfer(const TransferRequest& request) override;
  void AddBusyWidget(QWidget* widget) override { busy_widgets_.push_back(widget); }
  // Shows an outcome: its message box when it has one, its detail in the status bar.
  void Report(const Outcome& outcome) override;
  // The simulated radio behind the "Simulated radio" port, made on first use. It serves while a
  // transfer has started it; stop it before looking at its memory.
  SimPtyServer& simulator();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildTopRow();
  QWidget* BuildMemoryPage();

  // Commands.
  void OpenCommand();
  void SaveCommand();
  void ImportCommand();
  void ExportCommand();
  // Channel lists of other programs and the grid's clipboard commands (main_window_exchange.cc).
  // The clipboard entries go to the "Edit" menu once the grid exists.
  void BuildClipboardActions(QMenu* edit);
  void ImportChannelListCommand();
  void ExportChannelListCommand();
  void CopyRows();
  void CopyRowsWithCaptions();
  void CopyRowsToClipboard(bool with_captions);
  void CutRows();
  void PasteRows();
  void ChooseComPort(int number);
  void ChooseOtherPort();
  // A port chosen by its device path: used now and kept in com.ini beside the port number.
  void ChooseDevice(const QString& device);
  // The port as the menu names it: "COM1 (/dev/ttyUSB0)", or the device.
  QString PortLabel() const;
  void OpenChannelDialog();
  void ClearSelected();
  void ClearAll();
  void HiddenReset();
  void ShowVersion();
  void TabSelected(int index);
  // Before the image is set aside (closing, opening a project): true when nothing unsaved is
  // lost, or the user saved it or chose to discard it.
  bool MaySetAsideChanges();

  // The first and the last of the rows selected in the grid (`SelectionRange`). Rows can be
  // selected apart (Ctrl-click): a command that must leave the rows between alone takes
  // `GridEditor::SelectedChannels` instead, or refuses a selection of more than one block.
  std::pair<int, int> SelectionRange() const;
  // True when the selected rows are one block of consecutive rows; otherwise says so in a
  // message titled `command`. Commands that take first..last ask this first, so that the rows
  // between two selected blocks are left alone.
  bool SelectionIsOneBlock(const QString& command);
  std::string DeviceOfPort(QString& why);
  // Before a write: true when no line of the opened project stands changed, or the user, asked
  // with the list of them, chose to write all the same.
  bool WriteDespiteLoadProblems();
  void SetBusy(bool busy);
  void ShowProgress(const Progress& progress);
  void TransferFinished();
  void ShowFileState();

  Document document_;
  TransferRunner runner_;
  ChannelTableModel* channel_model_ = nullptr;
  GridEditor* grid_editor_ = nullptr;
  QMenu* edit_menu_ = nullptr;
  QTableView* grid_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QLineEdit* progress_text_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QLabel* file_label_ = nullptr;
  QActionGroup* port_actions_ = nullptr;
  std::vector<QAction*> com_actions_;
  QAction* sim_action_ = nullptr;
  QAction* undo_action_ = nullptr;
  QAction* redo_action_ = nullptr;
  QAction* device_action_ = nullptr;
  QAction* verify_action_ = nullptr;  // "Verify Full Writes"
  RecentFilesMenu* recent_files_ = nullptr;
  // Everything that starts a transfer or edits the image: disabled while a transfer runs.
  std::vector<QPointer<QWidget>> busy_widgets_;
  std::vector<QAction*> busy_actions_;
  std::string com_ini_;
  PortChoice port_;
  std::unique_ptr<SimPtyServer> sim_;
  bool close_after_transfer_ = false;
  int current_tab_ = 0;  // the tab last accepted, counted from 1; 0 until a tab is chosen
};

}  // namespace tqm5::gui

#endif  // TQM5_GUI_MAIN_WINDOW_H_
