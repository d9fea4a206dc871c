// The start-up windows: "Select MODEL" closed with Esc ends the program instead of opening a
// window that no radio would answer, and both windows open in the middle of the screen.
#include "gui/start_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "gui/gui_test_support.h"

namespace tqm5::gui {
namespace {

TEST(StartDialogsTest, SelectModelGivesAModelOnlyWithOk) {
  struct Case {
    const char* option;  // clicked first, or nullptr
    bool escape;         // Esc, else "OK"
    std::optional<ModelOption> model;
  };
  const Case cases[] = {
      {nullptr, true, std::nullopt},
      {"optModel_1", true, std::nullopt},
      {"optModel_1", false, ModelOption::kT},
      {"optModel_2", false, ModelOption::kOther},
  };
  for (const Case& c : cases) {
    QString covers;
    bool centred = false;
    WithDialog([&](QDialog& dialog) {
      covers = dialog.findChild<QLabel*>("optModelCovers_1")->text() + "|" +
               dialog.findChild<QLabel*>("optModelCovers_2")->text();
      QRect screen = QApplication::primaryScreen()->availableGeometry();
      centred = (dialog.frameGeometry().center() - screen.center()).manhattanLength() <=
                8;  // a frame comes after
      if (c.option != nullptr) dialog.findChild<QAbstractButton*>(c.option)->click();
      if (c.escape) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
      } else {
        dialog.findChild<QAbstractButton*>("cmdOK")->click();
      }
    });
    EXPECT_EQ(AskModel(), c.model) << c.option << c.escape;
    EXPECT_TRUE(centred);
    EXPECT_EQ(covers,
              "TQ-M5T (settings shown in English)|"
              "TQ-M5E, TQ-M5EG, TQ-M5K (settings shown in English)");
  }
}

TEST(StartDialogsTest, TheSplashOpensInTheMiddleOfTheScreen) {
  SplashWindow splash;
  splash.show();
  QRect screen = QApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((splash.frameGeometry().center() - screen.center()).manhattanLength(), 8)
      << splash.frameGeometry().x() << "," << splash.frameGeometry().y();
}

}  // namespace
}  // namespace tqm5::gui
