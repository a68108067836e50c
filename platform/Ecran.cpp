#include "platform/Ecran.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace plivor {

QSize EcranPrincipal::Taille() const {
  const QScreen* ecran = QGuiApplication::primaryScreen();
  return ecran ? ecran->geometry().size() : QSize(800, 600);
}

QImage EcranPrincipal::Capturer(const QRect& zone) const {
  QScreen* ecran = QGuiApplication::primaryScreen();
  if (!ecran) return {};
  return ecran->grabWindow(0, zone.x(), zone.y(), zone.width(), zone.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

}  // namespace plivor
