// Morphs: the whole picture stretched into a rectangle that grows to its
// full size, one step per display frame.

#include <QPainter>

#include "options/TFOptions.h"
#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

enum class Croissance { Verticale, Horizontale, Zoom };

struct Morphe {
  int debut;
  Croissance croissance;
};

std::optional<Morphe> MorpheDuCode(int code) {
  switch (code) {
    case 101: case 107: return Morphe{8, Croissance::Verticale};
    case 103: case 105: return Morphe{12, Croissance::Horizontale};
    case 114: return Morphe{12, Croissance::Zoom};
    default: return std::nullopt;
  }
}

// The growing rectangle, relative to the picture's place.
QRect Rectangle(int code, int b, QSize p) {
  switch (code) {
    case 101: return QRect(0, 0, p.width(), b);
    case 103: return QRect(0, 0, b, p.height());
    case 105: return QRect((p.width() - b) / 2, 0, b, p.height());
    case 107: return QRect(0, (p.height() - b) / 2, p.width(), b);
    default: {
      const int h = std::max(8, b * p.height() / p.width());
      return QRect((p.width() - b) / 2, (p.height() - h) / 2, b, h);
    }
  }
}

}  // namespace

int TFVue::IncrementMorphe(int code, int b, QSize p, Place origine) const {
  const Morphe m = *MorpheDuCode(code);
  const int d = DureeTransition;
  const int pas = VitesseTransitions > 0 ? d * 800 / VitesseTransitions : 0;
  const bool court = d >= 1 && d <= 12;
  switch (m.croissance) {
    case Croissance::Verticale:
      if (court) return (b + origine.y) * 3 / (d * 2);
      return pas ? (p.height() - 8) / pas : p.height();
    case Croissance::Horizontale:
      if (court) return b * 2 / d;
      return pas ? (p.width() - 12) / pas : p.width();
    case Croissance::Zoom:
      if (court) return (b / d) / 2 + 1;
      return pas ? (p.width() - 12) / pas : p.width();
  }
  return 1;
}

void TFVue::Morphes() {
  if (CodeTransition < 100 || Coche(10)) {
    Transitions();
    return;
  }
  // The steps are counted in window pixels and drawn in the paint box's.
  Place origine = PositionDe(CodeDiapo);
  bool centree = false;
  if (CodeInstruction == 3001) {
    origine = {0, 0};
    Photo = QImage(PBox.size(), QImage::Format_RGB32);
    Photo.fill(VersQColor(CouleurFenetre));
  } else if (CodeInstruction == 4001) {
    const Taille t = TailleCode(CodeDiapo).taille;
    Photo = QImage(EnPixels(QSize(std::max(1, t.l), std::max(1, t.h))), QImage::Format_RGB32);
    Photo.fill(VersQColor(CouleurDiapo));
  } else {
    centree = SansFond;
  }
  if (Photo.isNull()) return;
  const QSize p = EnFenetre(Photo.size());
  QPoint coin = EnPixels(QPoint(origine.x, origine.y));
  if (centree) {
    coin += QPoint((EnPixels(LargeurDiapo) - Photo.width()) / 2, (EnPixels(HauteurDiapo) - Photo.height()) / 2);
    origine.x += (LargeurDiapo - p.width()) / 2;
    origine.y += (HauteurDiapo - p.height()) / 2;
  }
  const auto morphe = MorpheDuCode(CodeTransition);
  if (morphe && p.width() > 32 && p.height() > 24) {
    const int dimension = morphe->croissance == Croissance::Verticale ? p.height() : p.width();
    services_.cadence.Debut();
    for (int b = morphe->debut; b <= dimension;) {
      {
        QPainter peintre(&PBox);
        const QRect r = Rectangle(CodeTransition, b, p);
        peintre.drawImage(EnPixels(r).translated(coin), Photo);
      }
      // Each step shows for one display frame.
      services_.cadence.Pause(std::chrono::microseconds(16667));
      emit Presenter();
      const int c = IncrementMorphe(CodeTransition, b, p, origine);
      b += std::max(c, 1);
      PasMorphe = std::max(c, 1);
    }
  }
  QPainter(&PBox).drawImage(coin, Photo);
  if (!SansFond) Entourer(coin);
  emit Presenter();
}

// The slide colour around the picture, right and below it within the slide.
void TFVue::Entourer(QPoint coin) {
  QPainter peintre(&PBox);
  const QColor couleur = VersQColor(CouleurDiapo);
  const QPoint fin = coin + QPoint(EnPixels(LargeurDiapo) - 1, EnPixels(HauteurDiapo) - 1);
  if (coin.y() > 0) peintre.fillRect(QRect(QPoint(coin.x(), coin.y() + Photo.height()), fin), couleur);
  if (coin.x() > 0) peintre.fillRect(QRect(QPoint(coin.x() + Photo.width(), coin.y()), fin), couleur);
}

}  // namespace plivor
