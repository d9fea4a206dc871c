#include "gui/message_boxes.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QRegularExpression>

namespace tqm5::gui {
namespace {

class RealMessageBoxes : public MessageBoxes {
 public:
  void Show(QWidget* parent, const Outcome& outcome) override {
    QMessageBox box(
        outcome.icon == OutcomeIcon::kCritical ? QMessageBox::Critical : QMessageBox::NoIcon,
        Utf8(outcome.title), Utf8(outcome.text), QMessageBox::Ok, parent);
    // What the box's fixed text cannot say (the failing step, the lines of a file that were
    // not taken) is one click away.
    if (!outcome.detail.empty()) box.setDetailedText(Utf8(outcome.detail));
    box.exec();
  }
  QMessageBox::StandardButton Ask(QWidget* parent, const QString& title, const QString& text,
                                  QMessageBox::StandardButtons buttons) override {
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
  }
  QString ChooseFile(QWidget* parent, bool save, const QString& caption,
                     const QString& filter) override {
    QFileDialog dialog(parent, caption, save ? QCoreApplication::applicationDirPath() : QString(),
                       filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) {
      // A name typed without an extension gets the first filter's, so the file opens again.
      static const QRegularExpression kExtension(R"(\*\.(\w+))");
      QRegularExpressionMatch match = kExtension.match(filter);
      if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
  }
};

MessageBoxes* installed = nullptr;

}  // namespace

MessageBoxes& Messages() {
  static RealMessageBoxes real;
  return installed != nullptr ? *installed : real;
}

void SetMessages(MessageBoxes* boxes) { installed = boxes; }

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), text.size()); }

}  // namespace tqm5::gui
