// One screen of the X server as a user sees it, by its name:
//   plivor_capture_ecran NOM FICHIER.png
// Prints the screen's rectangle in the desktop ("LxH+X+Y").

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() < 3) return 2;
  for (QScreen* ecran : QGuiApplication::screens()) {
    if (ecran->name() != arguments[1]) continue;
    const QRect g = ecran->geometry();
    std::printf("%dx%d+%d+%d\n", g.width(), g.height(), g.x(), g.y());
    return ecran->grabWindow(0).save(arguments[2]) ? 0 : 1;
  }
  return 1;
}
