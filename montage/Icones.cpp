#include "montage/Icones.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QtMath>
#include <algorithm>
#include <array>

namespace plivor {

namespace {

struct Dessin {
  QColor fond;
  const char* lettres;
};

// One colour per family, so a column of lines reads at a glance.
const std::array<Dessin, kNombreIcones> kDessins = {{
    {QColor(200, 40, 40), ""},       // 0 flag: drawn below
    {QColor(40, 110, 190), ""},      // 1 sound: a note
    {QColor(60, 150, 70), ""},       // 2 picture: a landscape
    {QColor(120, 90, 60), "DIA"},    // 3 slide text
    {QColor(150, 60, 150), "T"},     // 4 title text
    {QColor(230, 150, 30), "TPO"},   // 5 tempo
    {QColor(90, 90, 90), "AV"},      // 6 advance, menu
    {QColor(30, 130, 130), ""},      // 7 jump: an arrow
    {QColor(40, 90, 160), "AUD"},    // 8 audio
    {QColor(70, 70, 140), "FEN"},    // 9 window
    {QColor(110, 80, 50), "DIA"},    // 10 slide
    {QColor(50, 120, 60), "IMG"},    // 11 picture setting
    {QColor(180, 110, 20), "TRS"},   // 12 transition
    {QColor(160, 130, 40), "DUR"},   // 13 delay, duration
    {QColor(130, 50, 130), "TIT"},   // 14 title
    {QColor(60, 60, 60), "OBJ"},     // 15 object
    {QColor(20, 80, 150), "PVL"},    // 16 sub-list
    {QColor(100, 40, 120), "PVS"},   // 17 script
    {QColor(110, 110, 30), "CAP"},   // 18 capture
    {QColor(255, 255, 255), "?!"},   // 19 missing file
    {QColor(255, 255, 255), "??"},   // 20 unrecognised line
    {QColor(95, 95, 170), "F-T"},    // 21 window text
    {QColor(20, 80, 150), "SEQ"},    // 22 sequence
    {QColor(90, 90, 120), "RES"},    // 23 resource
}};

// Drawn at `echelle` pixels per point, so a 2x screen gets its own detail.
QImage Dessiner(int index, double echelle) {
  QImage image(qCeil(kLargeurIcone * echelle), qCeil(kHauteurIcone * echelle), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(echelle);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const Dessin& d = kDessins[static_cast<size_t>(index)];
  const bool alerte = index == 19 || index == 20;
  p.setPen(alerte ? QPen(QColor(220, 0, 0), 1.5) : QPen(d.fond.darker(150), 1));
  p.setBrush(d.fond);
  p.drawRoundedRect(QRectF(0.5, 0.5, kLargeurIcone - 1, kHauteurIcone - 1), 3, 3);
  p.setPen(alerte ? QColor(220, 0, 0) : QColor(Qt::white));
  p.setBrush(Qt::white);
  switch (index) {
    case 0:  // a pennant on its pole
      p.drawLine(QPointF(9, 2), QPointF(9, 11));
      p.drawPolygon(QPolygonF({QPointF(10, 2), QPointF(22, 4.5), QPointF(10, 7)}));
      break;
    case 1:  // two quavers
      p.drawEllipse(QPointF(10, 9.5), 2.2, 1.7);
      p.drawEllipse(QPointF(19, 8.5), 2.2, 1.7);
      p.drawLine(QPointF(12, 9.5), QPointF(12, 2.5));
      p.drawLine(QPointF(21, 8.5), QPointF(21, 1.5));
      p.drawLine(QPointF(12, 2.5), QPointF(21, 1.5));
      break;
    case 2:  // hills and a sun
      p.setBrush(QColor(250, 220, 60));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(22, 4), 2, 2);
      p.setBrush(QColor(230, 240, 230));
      p.drawPolygon(QPolygonF({QPointF(3, 11), QPointF(10, 3.5), QPointF(15, 8), QPointF(18, 5.5), QPointF(27, 11)}));
      break;
    case 7:  // an arrow
      p.drawLine(QPointF(6, 6.5), QPointF(22, 6.5));
      p.drawPolygon(QPolygonF({QPointF(24, 6.5), QPointF(19, 3), QPointF(19, 10)}));
      break;
    default: {
      QFont police(QStringLiteral("DejaVu Sans"));
      police.setPixelSize(9);
      police.setBold(true);
      p.setFont(police);
      p.drawText(QRect(0, 0, kLargeurIcone, kHauteurIcone), Qt::AlignCenter, QString::fromLatin1(d.lettres));
      break;
    }
  }
  return image;
}

}  // namespace

QImage ImageIcone(int index, double echelle) {
  if (index < 0 || index >= kNombreIcones || echelle <= 0) return {};
  return Dessiner(index, echelle);
}

double EchelleIcones() {
  double echelle = 1.0;
  for (const QScreen* ecran : QGuiApplication::screens()) echelle = std::max(echelle, ecran->devicePixelRatio());
  return echelle;
}

const QPixmap& IconeMontage(int index) {
  static const std::array<QPixmap, kNombreIcones> icones = [] {
    std::array<QPixmap, kNombreIcones> r;
    const double echelle = EchelleIcones();
    for (int i = 0; i < kNombreIcones; ++i) r[static_cast<size_t>(i)] = QPixmap::fromImage(Dessiner(i, echelle));
    return r;
  }();
  static const QPixmap aucune;
  if (index < 0 || index >= kNombreIcones) return aucune;
  return icones[static_cast<size_t>(index)];
}

}  // namespace plivor
