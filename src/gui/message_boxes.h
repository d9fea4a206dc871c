// Every message box and file dialog of the window goes through this one small interface, so that
// tests can put a recorder in its place and nothing blocks on a modal box.
#ifndef TQM5_GUI_MESSAGE_BOXES_H_
#define TQM5_GUI_MESSAGE_BOXES_H_

#include <QMessageBox>
#include <QString>

#include "image/outcome.h"

class QWidget;

namespace tqm5::gui {

// The kinds of file the window opens and saves. Each kind's dialogs start in the folder where
// the user last opened or saved a file of that kind.
enum class FileKind { kProject, kCsv, kFont };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // The message box of a command's outcome: its text, title and icon, an OK button.
  virtual void Show(QWidget* parent, const Outcome& outcome) = 0;
  // A question with the given buttons; returns the button chosen.
  virtual QMessageBox::StandardButton Ask(QWidget* parent, const QString& title,
                                          const QString& text,
                                          QMessageBox::StandardButtons buttons) = 0;
  // A file dialog for files of `kind` with the given filters ("Name (*.EXT);;..."): an open
  // dialog, or with `save` a save dialog that adds the chosen filter's extension to a name typed
  // without one and asks before replacing a file. Returns the path chosen, "" when the dialog was
  // cancelled.
  virtual QString ChooseFile(QWidget* parent, bool save, FileKind kind, const QString& caption,
                             const QString& filter) = 0;
};

// Message boxes that show nothing and answer "No": for runs without a user (benchmarks, the
// screenshot renderer).
class NoMessageBoxes : public MessageBoxes {
 public:
  void Show(QWidget*, const Outcome&) override {}
  QMessageBox::StandardButton Ask(QWidget*, const QString&, const QString&,
                                  QMessageBox::StandardButtons) override {
    return QMessageBox::No;
  }
  QString ChooseFile(QWidget*, bool, FileKind, const QString&, const QString&) override {
    return {};
  }
};

// Makes `box` the message box of `outcome` that `Show` shows: its text, title and icon, an OK
// button, and the details one click away.
void SetUpOutcomeBox(QMessageBox& box, const Outcome& outcome);

// The message boxes in use: real ones unless a test has installed its own.
MessageBoxes& Messages();
// Installs `boxes` (not owned) in place of the real ones; nullptr puts the real ones back.
void SetMessages(MessageBoxes* boxes);

// Where the real file dialogs of `kind` start: the folder of the file of that kind last chosen,
// or else the user's documents folder (the home folder when there is none).
QString StartFolder(FileKind kind);
// The settings file that keeps the last folder of each kind: "folders.ini" beside the port
// setting file unless set here ("" keeps none). Tests set their own, so that they never write
// into the user's home.
void SetFolderSettingsFile(const QString& path);

QString Utf8(const std::string& text);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_MESSAGE_BOXES_H_
