#include "app/Capture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace plivor {

void PreparerCapture(QStringList& arguments) {
  const qsizetype i = arguments.indexOf(QStringLiteral("--capture"));
  if (i < 0 || i + 1 >= arguments.size()) return;
  const QString fichier = arguments[i + 1];
  arguments.remove(i, 2);
  int delai = 3000;
  const qsizetype j = arguments.indexOf(QStringLiteral("--apres"));
  if (j >= 0 && j + 1 < arguments.size()) {
    delai = arguments[j + 1].toInt();
    arguments.remove(j, 2);
  }
  QTimer::singleShot(delai, qApp, [fichier] {
    if (QScreen* ecran = QGuiApplication::primaryScreen()) ecran->grabWindow(0).save(fichier);
    QCoreApplication::exit(0);
  });
}

}  // namespace plivor
