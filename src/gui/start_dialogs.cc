#include "gui/start_dialogs.h"

#include <QButtonGroup>
#include <QCursor>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/version.h"

namespace tqm5::gui {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), timer_(new QTimer(this)) {
  setObjectName("frmSplash");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(40, 30, 40, 30);
  auto* title = new QLabel("TQ-M5 Clone Utility");
  QFont font = title->font();
  font.setPointSize(font.pointSize() * 2);
  font.setBold(true);
  title->setFont(font);
  layout->addWidget(title, 0, Qt::AlignCenter);
  auto* version = new QLabel(QString("Version ") + kVersionText);
  version->setObjectName("lblVersion");
  layout->addWidget(version, 0, Qt::AlignCenter);
  setFocusPolicy(Qt::StrongFocus);
  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, &SplashWindow::Finish);
  timer_->start(1000);
  CentreOnScreen(*this);
}

void SplashWindow::keyPressEvent(QKeyEvent*) { Finish(); }
void SplashWindow::mousePressEvent(QMouseEvent*) { Finish(); }

void SplashWindow::Finish() {
  if (done_) return;
  done_ = true;
  timer_->stop();
  emit finished();
}

ModelDialog::ModelDialog(QWidget* parent) : QDialog(parent), options_(new QButtonGroup(this)) {
  setObjectName("Form6");
  setWindowTitle("Select MODEL");
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel("The variant of the radio, from the model name on its label:");
  intro->setObjectName("ModelHelp");
  layout->addWidget(intro);
  auto* rows = new QGridLayout;
  // Each variant answers only its own identification, and "J" shows the settings in Japanese.
  const char* captions[] = {"J", "T", "other"};
  const char* covers[] = {"TQ-M5, TQ-M5J (Japan; settings shown in Japanese)",
                          "TQ-M5T (settings shown in English)",
                          "TQ-M5E, TQ-M5EG, TQ-M5K (settings shown in English)"};
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(captions[i]);
    option->setObjectName("optModel_" + QString::number(i));
    options_->addButton(option, i);
    rows->addWidget(option, i, 0);
    auto* label = new QLabel(covers[i]);
    label->setObjectName("optModelCovers_" + QString::number(i));
    label->setBuddy(option);
    rows->addWidget(label, i, 1);
  }
  layout->addLayout(rows);
  auto* ok = new QPushButton("OK");
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  layout->addWidget(ok, 0, Qt::AlignRight);
  connect(ok, &QPushButton::clicked, this, [this] {
    const ModelOption models[] = {ModelOption::kJ, ModelOption::kT, ModelOption::kOther};
    int id = options_->checkedId();
    if (id < 0) return;  // nothing chosen yet: the dialog stays open
    chosen_ = models[id];
    accept();
  });
}

std::optional<ModelOption> AskModel() {
  ModelDialog dialog;
  dialog.adjustSize();
  CentreOnScreen(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

void CentreOnScreen(QWidget& window) {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  window.adjustSize();
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace tqm5::gui
