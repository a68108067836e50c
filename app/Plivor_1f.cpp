// Program entry.

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Plivor  v-1.1ck- fr"));
  return 0;
}
