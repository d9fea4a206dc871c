// The window tests run offscreen in one application.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "gui/message_boxes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings of the window and of Qt's file dialog, backups and radio snapshots go to a folder
  // of the test's own, never into the user's home.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  qputenv("XDG_DATA_HOME", config.path().toUtf8());
  QApplication app(argc, argv);
  tqm5::gui::SetFolderSettingsFile(config.filePath("folders.ini"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
