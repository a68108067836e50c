#pragma once
// The 24 line icons of the montage, 30 x 13 pixels, drawn by the program.

#include <QPixmap>

namespace plivor {

inline constexpr int kNombreIcones = 24;
inline constexpr int kLargeurIcone = 30;
inline constexpr int kHauteurIcone = 13;

// Icon `index` (0 to 23); a null pixmap for any other index.
const QPixmap& IconeMontage(int index);
// The icon drawn into an image, for tests and the contact sheet.
QImage ImageIcone(int index);

}  // namespace plivor
