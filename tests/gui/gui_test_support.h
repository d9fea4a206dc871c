// Shared by the window tests: a recorder in place of the message boxes, waiting for the event
// loop, and acting on the modal dialog that the next step opens.
#ifndef TQM5_TESTS_GUI_GUI_TEST_SUPPORT_H_
#define TQM5_TESTS_GUI_GUI_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <vector>

#include "gui/main_window.h"
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

// A model J window whose message boxes are recorded.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { SetMessages(&messages_); }
  void TearDown() override { SetMessages(nullptr); }
  // The grid's text of channel `number` in `column`, both counted from 1.
  QString Cell(int number, int column) {
    return window_.grid()->model()->index(number - 1, column - 1).data().toString();
  }
  // Selects the grid's rows of channels first..last, the current row first's.
  void SelectRows(int first, int last) {
    QTableView* grid = window_.grid();
    grid->setCurrentIndex(grid->model()->index(first - 1, 0));
    grid->selectionModel()->select(
        QItemSelection(grid->model()->index(first - 1, 0), grid->model()->index(last - 1, 11)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  // A key pressed on `widget`, the grid by default.
  void Press(int key, QWidget* widget = nullptr, const QString& text = "") {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget != nullptr ? widget : window_.grid(), &press);
  }
  // Clicks the button `name`; false unless the transfer it starts ends.
  bool ClickAndWait(const QString& name) {
    window_.findChild<QAbstractButton*>(name)->click();
    bool ended = WaitUntil([&] { return !window_.runner().busy(); });
    QApplication::processEvents();
    return ended;
  }

  RecordedMessages messages_;
  MainWindow window_{ModelOption::kJ, ""};
};

}  // namespace tqm5::gui

#endif  // TQM5_TESTS_GUI_GUI_TEST_SUPPORT_H_
