// What a test of the real program needs from its X server besides xdotool:
//   plivor_outil_x capture FICHIER.png   the whole screen, as a user sees it
//   plivor_outil_x presse-papiers        the clipboard's text (a box copied
//                                        with Ctrl+C gives its title, text
//                                        and buttons)

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() >= 3 && arguments[1] == QStringLiteral("capture"))
    return application.primaryScreen()->grabWindow(0).save(arguments[2]) ? 0 : 1;
  if (arguments.size() >= 2 && arguments[1] == QStringLiteral("presse-papiers")) {
    std::fputs(QGuiApplication::clipboard()->text().toUtf8().constData(), stdout);
    return 0;
  }
  return 2;
}
