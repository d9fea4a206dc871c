#include "gui/start_dialogs.h"

#include <QButtonGroup>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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
  auto* row = new QHBoxLayout;
  const char* captions[] = {"J", "T", "other"};
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(captions[i]);
    option->setObjectName("optModel_" + QString::number(i));
    options_->addButton(option, i);
    row->addWidget(option);
  }
  layout->addLayout(row);
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

}  // namespace tqm5::gui
