#pragma once
// Copies rows and columns of a work image onto the paint box, either every
// pixel (opaque) or all but those of a key colour (transparent).

#include <QImage>
#include <optional>

#include "core/Notations.h"

namespace plivor {

class Pinceau {
 public:
  // `cle`: the key colour of a transparent copy; none for an opaque one.
  Pinceau(QImage& destination, const QImage& travail, QPoint origine, std::optional<Couleur> cle);

  int Largeur() const { return travail_.width(); }
  int Hauteur() const { return travail_.height(); }
  // Rows and columns outside the work image copy nothing.
  void Rangee(int y);
  void Colonne(int x);
  void Tout();

 private:
  void Pixel(QRgb* cible, QRgb source) const;

  QImage& destination_;
  QImage travail_;
  QPoint origine_;
  bool transparent_;
  bool alpha_;  // the work image carries its own coverage
  QRgb cle_ = 0;
};

}  // namespace plivor
