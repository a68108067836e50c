// Test entry for everything that draws: a GUI application on the offscreen
// platform, so fonts and images work without a display.

#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Polices.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // Sound goes to a file unless the run chose a driver.
  if (qgetenv("SDL_AUDIODRIVER").isEmpty()) qputenv("SDL_AUDIODRIVER", "disk");
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Plivor  v-1.1ck- fr"));
  plivor::InstallerPolices();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
