// Shared by the window tests: a recorder in place of the message boxes, waiting for the event
// loop, and acting on the modal dialog that the next step opens.
#ifndef TQM5_TESTS_GUI_GUI_TEST_SUPPORT_H_
#define TQM5_TESTS_GUI_GUI_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

#include "gui/message_boxes.h"

namespace tqm5::gui {

// Records every message box instead of showing it; questions get `answer`, file dialogs
// `file_answer`.
class RecordedMessages : public MessageBoxes {
 public:
  void Show(QWidget*, const Outcome& outcome) override { shown.push_back(outcome); }
  QMessageBox::StandardButton Ask(QWidget*, const QString&, const QString& text,
                                  QMessageBox::StandardButtons) override {
    ++asked;
    last_question = text;
    return answer;
  }
  QString ChooseFile(QWidget*, bool, FileKind, const QString&, const QString& filter) override {
    filters << filter;
    return file_answer;
  }
  std::vector<Outcome> shown;
  int asked = 0;
  QString last_question;
  QMessageBox::StandardButton answer = QMessageBox::No;
  QString file_answer;  // the path every file dialog returns
  QStringList filters;  // the filters of the file dialogs, in order
};

// Runs the event loop until `done`, for at most 20 seconds.
inline bool WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

// Interacts with the modal dialog that the next step opens.
inline void WithDialog(std::function<void(QDialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

}  // namespace tqm5::gui

#endif  // TQM5_TESTS_GUI_GUI_TEST_SUPPORT_H_
