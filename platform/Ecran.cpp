#include "platform/Ecran.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace plivor {

QString LibelleEcran(const EcranDecrit& ecran) {
  return QStringLiteral("%1 — %2 × %3").arg(ecran.nom).arg(ecran.geometrie.width()).arg(ecran.geometrie.height());
}

int IndexEcran(const std::vector<EcranDecrit>& ecrans, const QString& nom) {
  if (ecrans.empty()) return -1;
  int principal = 0;
  for (size_t i = 0; i < ecrans.size(); ++i) {
    if (!nom.isEmpty() && ecrans[i].nom == nom) return static_cast<int>(i);
    if (ecrans[i].principal) principal = static_cast<int>(i);
  }
  return principal;
}

EcranDecrit Ecran::Projection() const {
  const std::vector<EcranDecrit> ecrans = Ecrans();
  const int i = IndexEcran(ecrans, choisi_);
  if (i < 0) return {QString(), QRect(0, 0, 800, 600), true};
  return ecrans[i];
}

QRect Ecran::Principal() const {
  const std::vector<EcranDecrit> ecrans = Ecrans();
  const int i = IndexEcran(ecrans, QString());
  return i < 0 ? QRect(0, 0, 800, 600) : ecrans[i].geometrie;
}

QSize Ecran::Taille() const { return Projection().geometrie.size(); }

std::vector<EcranDecrit> EcranPrincipal::Ecrans() const {
  std::vector<EcranDecrit> ecrans;
  const QScreen* principal = QGuiApplication::primaryScreen();
  for (const QScreen* ecran : QGuiApplication::screens())
    ecrans.push_back({ecran->name(), ecran->geometry(), ecran == principal});
  return ecrans;
}

QScreen* EcranQt(const QString& nom) {
  for (QScreen* ecran : QGuiApplication::screens())
    if (!nom.isEmpty() && ecran->name() == nom) return ecran;
  return QGuiApplication::primaryScreen();
}

double EcranPrincipal::EchelleDe(QSize) const {
  const QScreen* ecran = EcranQt(NomChoisi());
  return ecran ? std::max(1.0, ecran->devicePixelRatio()) : 1.0;
}

QImage EcranPrincipal::Capturer(const QRect& zone) const {
  QScreen* ecran = EcranQt(NomChoisi());
  if (!ecran) return {};
  return ecran->grabWindow(0, zone.x(), zone.y(), zone.width(), zone.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

}  // namespace plivor
