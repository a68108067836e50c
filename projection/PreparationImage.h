#pragma once
// Fitting a decoded picture into the slide before it is shown.

#include <QImage>
#include <functional>

#include "core/Notations.h"
#include "projection/Disposition.h"

namespace plivor {

// Sizes in window pixels; the picture is made at `echelle` paint-box pixels
// per window pixel.
struct ReglagesDiapo {
  Taille diapo;        // slide size of the slide code
  Taille pbox;         // paint box size
  double echelle = 1.0;
  bool decoupee = false;
  bool opaque = true;
  bool sansFond = false;
  Couleur couleurDiapo = RGB(60, 0, 0);
};

struct ImagePreparee {
  QImage photo;                // what the next display draws, in paint-box pixels
  Taille diapo;                // slide size, reduced for cut-out pictures
  Taille travail;              // the fitted picture alone, in paint-box pixels
  bool avecFond = false;       // photo carries the slide ground
  Couleur couleurTransparente = 0;
};

// Places a slide of the given size in the paint box; cut-out pictures crop
// what lies under the slide's place.
using PlacerDiapo = std::function<Place(Taille diapo)>;

// The size a picture is fitted to: narrowed to the slide width, then lowered
// to its height; never below one pixel.
Taille TailleImageAjustee(Taille image, Taille diapo);

// `image` is let go once fitted: given by std::move, a large picture's
// pixels are freed before the slide's are made.
ImagePreparee PreparerImage(QImage image, const ReglagesDiapo& reglages, const PlacerDiapo& placerDiapo);

// Draws `source` at `origine`, leaving out the pixels of the key colour.
void CopierTransparent(QImage& destination, QPoint origine, const QImage& source, Couleur cle);

QColor VersQColor(Couleur couleur);
Couleur DepuisQColor(const QColor& couleur);

}  // namespace plivor
