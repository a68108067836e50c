#pragma once
// The 24 line icons of the montage, 30 x 13 points, drawn by the program at
// the density of the sharpest screen.

#include <QPixmap>

namespace plivor {

inline constexpr int kNombreIcones = 24;
inline constexpr int kLargeurIcone = 30;
inline constexpr int kHauteurIcone = 13;

// Icon `index` (0 to 23); a null pixmap for any other index.
const QPixmap& IconeMontage(int index);
// The icon drawn into an image at `echelle` pixels per point, for tests and
// the contact sheet.
QImage ImageIcone(int index, double echelle = 1.0);
// The density the montage's icons are drawn at: the highest of the screens.
double EchelleIcones();

}  // namespace plivor
