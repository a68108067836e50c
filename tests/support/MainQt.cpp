// Test entry for everything that draws: a GUI application on the offscreen
// platform, so fonts and images work without a display.

#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Polices.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Plivor  v-1.1ck- fr"));
  plivor::InstallerPolices();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
