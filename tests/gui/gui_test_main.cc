// The window tests run offscreen in one application.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "gui/message_boxes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The file dialogs remember their folders in a file of the test's own, never in the home.
  QTemporaryDir folders;
  tqm5::gui::SetFolderSettingsFile(folders.filePath("folders.ini"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
