#include "navigation/Glyphes.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace plivor {

namespace {

const QColor kEncre(235, 225, 200);

void Triangle(QPainter& p, QPointF a, QPointF b, QPointF c) { p.drawPolygon(QPolygonF({a, b, c})); }

void Dessiner(QPainter& p, Emetteur bouton, double t) {
  const double m = t / 2, u = t / 8;
  p.setPen(QPen(kEncre, t / 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kEncre);
  switch (bouton) {
    case Emetteur::bt_Quitter:
      p.drawLine(QPointF(2 * u, 2 * u), QPointF(6 * u, 6 * u));
      p.drawLine(QPointF(6 * u, 2 * u), QPointF(2 * u, 6 * u));
      break;
    case Emetteur::bt_Charger: {
      p.setBrush(Qt::NoBrush);
      QPainterPath dossier(QPointF(u, 2 * u));
      dossier.lineTo(3 * u, 2 * u);
      dossier.lineTo(3.5 * u, 2.7 * u);
      dossier.lineTo(7 * u, 2.7 * u);
      dossier.lineTo(7 * u, 6.5 * u);
      dossier.lineTo(u, 6.5 * u);
      dossier.closeSubpath();
      p.drawPath(dossier);
      break;
    }
    case Emetteur::bt_Debut:
      p.drawRect(QRectF(2 * u, 2 * u, 0.6 * u, 4 * u));
      Triangle(p, {6 * u, 2 * u}, {6 * u, 6 * u}, {3 * u, m});
      break;
    case Emetteur::bt_Navigation:
      for (int i = 0; i < 3; ++i) p.drawLine(QPointF(2 * u, (2.5 + 1.5 * i) * u), QPointF(6 * u, (2.5 + 1.5 * i) * u));
      break;
    case Emetteur::bt_Pause:
      p.drawRect(QRectF(2.5 * u, 2 * u, u, 4 * u));
      p.drawRect(QRectF(4.5 * u, 2 * u, u, 4 * u));
      break;
    case Emetteur::bt_Jouer:
      Triangle(p, {2.5 * u, 2 * u}, {2.5 * u, 6 * u}, {6 * u, m});
      break;
    case Emetteur::bt_Masquer:
      Triangle(p, {2 * u, 3 * u}, {6 * u, 3 * u}, {m, 5.5 * u});
      break;
    case Emetteur::bt_Precedent:
      Triangle(p, {5.5 * u, 2 * u}, {5.5 * u, 6 * u}, {2.5 * u, m});
      break;
    case Emetteur::bt_Suivant:
      Triangle(p, {2.5 * u, 2 * u}, {2.5 * u, 6 * u}, {5.5 * u, m});
      break;
    case Emetteur::bt_Avance:
      Triangle(p, {1.5 * u, 2 * u}, {1.5 * u, 6 * u}, {4 * u, m});
      Triangle(p, {4 * u, 2 * u}, {4 * u, 6 * u}, {6.5 * u, m});
      break;
    case Emetteur::bt_AvanceArret:
      p.drawRect(QRectF(2.5 * u, 2.5 * u, 3 * u, 3 * u));
      break;
    case Emetteur::bt_Audio:
    case Emetteur::bt_AudioArret:
      p.drawEllipse(QPointF(3 * u, 5.5 * u), 0.9 * u, 0.7 * u);
      p.drawLine(QPointF(3.8 * u, 5.5 * u), QPointF(3.8 * u, 1.8 * u));
      p.drawLine(QPointF(3.8 * u, 1.8 * u), QPointF(5.8 * u, 2.6 * u));
      if (bouton == Emetteur::bt_AudioArret) {
        p.setPen(QPen(QColor(220, 80, 60), t / 10));
        p.drawLine(QPointF(1.5 * u, 6.5 * u), QPointF(6.5 * u, 1.5 * u));
      }
      break;
    case Emetteur::bt_Options: {
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(m, m), 1.4 * u, 1.4 * u);
      for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(QPointF(m + 1.9 * u * std::cos(a), m + 1.9 * u * std::sin(a)),
                   QPointF(m + 2.8 * u * std::cos(a), m + 2.8 * u * std::sin(a)));
      }
      break;
    }
    case Emetteur::bt_Aide: {
      QFont police(QStringLiteral("DejaVu Sans"));
      police.setPixelSize(int(t * 0.7));
      police.setBold(true);
      p.setFont(police);
      p.drawText(QRectF(0, 0, t, t), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    default: break;
  }
}

}  // namespace

QIcon Glyphe(Emetteur bouton, QSize taille) {
  QIcon icone;
  // One drawing per density: a 2x screen takes the one drawn for it.
  for (const double echelle : {1.0, 2.0}) {
    QPixmap image(taille * echelle);
    image.setDevicePixelRatio(echelle);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Dessiner(p, bouton, taille.width());
    p.end();
    // Disabled, a glyph fades: the light glyphs would look alike otherwise.
    QPixmap pale(image.size());
    pale.setDevicePixelRatio(echelle);
    pale.fill(Qt::transparent);
    QPainter pp(&pale);
    pp.setOpacity(0.3);
    pp.drawPixmap(0, 0, image);
    pp.end();
    icone.addPixmap(image);
    icone.addPixmap(pale, QIcon::Disabled);
  }
  return icone;
}

}  // namespace plivor
