// The start-up windows: the splash window `frmSplash` and the model dialog "Select MODEL"
// (`Form6`).
#ifndef TQM5_GUI_START_DIALOGS_H_
#define TQM5_GUI_START_DIALOGS_H_

#include <QDialog>
#include <QWidget>
#include <optional>

#include "image/model_option.h"

class QButtonGroup;
class QTimer;

namespace tqm5::gui {

// Shows the program's name and version; `finished` comes after one second or at any key.
class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SplashWindow(QWidget* parent = nullptr);

 signals:
  void finished();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Finish();
  QTimer* timer_;
  bool done_ = false;
};

// No option is selected at first, and "OK" does nothing until one is. Beside each option the
// dialog says which radios it covers.
class ModelDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ModelDialog(QWidget* parent = nullptr);
  ModelOption chosen() const { return chosen_; }

 private:
  QButtonGroup* options_;
  ModelOption chosen_ = ModelOption::kNone;
};

// Opens "Select MODEL" and returns the model chosen with "OK"; nothing when the dialog was
// closed without one (Esc or its close box): the program then ends, since a window without a
// model could not talk to any radio.
std::optional<ModelOption> AskModel();

// Places a top-level window in the middle of the screen that holds the mouse pointer (the
// primary screen when none does).
void CentreOnScreen(QWidget& window);

}  // namespace tqm5::gui

#endif  // TQM5_GUI_START_DIALOGS_H_
