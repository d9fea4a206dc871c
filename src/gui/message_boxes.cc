#include "gui/message_boxes.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>
#include <optional>

#include "files/com_ini.h"
#include "files/text_file.h"

namespace tqm5::gui {
namespace {

// The details of a message box list whole lines of a file: room for 60 columns and 15 lines.
constexpr int kDetailColumns = 60;
constexpr int kDetailLines = 15;

std::optional<QString>& FolderSettingsOverride() {
  static std::optional<QString> path;
  return path;
}

QString FolderSettingsFile() {
  if (FolderSettingsOverride()) return *FolderSettingsOverride();
  QString com_ini = Utf8(GetComIniPath());
  return com_ini.isEmpty() ? QString() : QFileInfo(com_ini).dir().filePath("folders.ini");
}

QString FolderKey(FileKind kind) {
  switch (kind) {
    case FileKind::kProject:
      return "folders/project";
    case FileKind::kCsv:
      return "folders/csv";
    case FileKind::kFont:
      return "folders/font";
  }
  return "folders/other";
}

void RememberFolder(FileKind kind, const QString& file) {
  const QString settings_file = FolderSettingsFile();
  if (settings_file.isEmpty()) return;
  QSettings settings(settings_file, QSettings::IniFormat);
  settings.setValue(FolderKey(kind), QFileInfo(file).absolutePath());
}

QString ExtensionOf(const QString& filter) { return Utf8(FilterExtension(filter.toStdString())); }

// A file dialog that, saving, adds the chosen filter's extension to a name typed without one
// ("All Files" adds none), so that the file opens again. The extension is added before the
// dialog asks about replacing a file, so the question is about the name written.
class FileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  void accept() override {
    if (acceptMode() == AcceptSave) setDefaultSuffix(ExtensionOf(selectedNameFilter()));
    QFileDialog::accept();
  }
};

class RealMessageBoxes : public MessageBoxes {
 public:
  void Show(QWidget* parent, const Outcome& outcome) override {
    QMessageBox box(parent);
    SetUpOutcomeBox(box, outcome);
    box.exec();
  }
  QMessageBox::StandardButton Ask(QWidget* parent, const QString& title, const QString& text,
                                  QMessageBox::StandardButtons buttons) override {
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
  }
  QString ChooseFile(QWidget* parent, bool save, FileKind kind, const QString& caption,
                     const QString& filter) override {
    FileDialog dialog(parent, caption, StartFolder(kind), filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    QString path = dialog.selectedFiles().first();
    if (save) {
      // A dialog of the system may leave the extension to the program: then the question about
      // replacing is asked here, about the name written.
      QString named = Utf8(WithExtension(path.toStdString(),
                                         ExtensionOf(dialog.selectedNameFilter()).toStdString()));
      if (named != path && QFileInfo::exists(named) &&
          Ask(parent, caption, QFileInfo(named).fileName() + " already exists. Replace it?",
              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return {};
      }
      path = named;
    }
    RememberFolder(kind, path);
    return path;
  }
};

MessageBoxes* installed = nullptr;

}  // namespace

void SetUpOutcomeBox(QMessageBox& box, const Outcome& outcome) {
  box.setIcon(outcome.icon == OutcomeIcon::kCritical ? QMessageBox::Critical : QMessageBox::NoIcon);
  box.setWindowTitle(Utf8(outcome.title));
  box.setText(Utf8(outcome.text));
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
  // What the box's fixed text cannot say (the failing step, the lines of a file that were
  // not taken) is one click away.
  if (!outcome.detail.empty()) {
    box.setDetailedText(Utf8(outcome.detail));
    // Return stays with OK after "Show Details...": the details button never becomes the
    // default by taking the focus.
    QAbstractButton* ok = box.button(QMessageBox::Ok);
    for (QPushButton* button : box.findChildren<QPushButton*>()) {
      if (button == ok) continue;
      button->setAutoDefault(false);
      // The box fixes its size when the details are shown or hidden; afterwards it takes the
      // size its layout needs, so that the details are not cut.
      QObject::connect(button, &QPushButton::clicked, &box, [&box] {
        QTimer::singleShot(0, &box, [&box] { box.setFixedSize(box.layout()->totalMinimumSize()); });
      });
    }
    if (auto* details = box.findChild<QTextEdit*>()) {
      QFontMetrics metrics(details->font());
      details->setLineWrapMode(QTextEdit::WidgetWidth);
      const QSize room(metrics.averageCharWidth() * kDetailColumns + 24,
                       metrics.lineSpacing() * kDetailLines + 12);
      details->setMaximumHeight(QWIDGETSIZE_MAX);  // the box makes it 100 pixels high
      details->setMinimumSize(room);
      // The box sizes itself from its layout, kept narrow for a short text: a spacer as wide
      // as the details makes room for them.
      if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(room.width(), 0, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
      }
    }
  }
}

MessageBoxes& Messages() {
  static RealMessageBoxes real;
  return installed != nullptr ? *installed : real;
}

void SetMessages(MessageBoxes* boxes) { installed = boxes; }

QString StartFolder(FileKind kind) {
  const QString settings_file = FolderSettingsFile();
  if (!settings_file.isEmpty()) {
    QSettings settings(settings_file, QSettings::IniFormat);
    QString folder = settings.value(FolderKey(kind)).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  }
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void SetFolderSettingsFile(const QString& path) { FolderSettingsOverride() = path; }

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), text.size()); }

}  // namespace tqm5::gui
