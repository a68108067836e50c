#pragma once
// EXIF orientation: which of the eight ways a camera stored a picture, and
// the picture turned back upright.

#include <QImage>
#include <QSize>
#include <string_view>

namespace plivor {

// The orientation tag (1 to 8) of an APP1 segment's payload ("Exif\0\0"
// then a TIFF header); 1 when there is none or it cannot be read.
int OrientationExif(std::string_view app1);
// The same from the TIFF structure alone (PNG's eXIf, WebP's EXIF).
int OrientationTiff(std::string_view structure);

// Orientations 5 to 8 swap width and height.
bool OrientationTourne(int orientation);
QSize TailleRedressee(QSize stockee, int orientation);
QImage Redresser(const QImage& stockee, int orientation);

}  // namespace plivor

namespace plivor {

// Places row `y` of a picture stored `stockee` large into its upright
// version `droite` (already allocated at TailleRedressee).
void PoserLigneRedressee(QImage& droite, int y, const QRgb* ligne, QSize stockee, int orientation);
// The same for `nombre` consecutive rows from `y`, `lignes` holding them one
// after the other: a turned picture is written a run of pixels at a time.
void PoserBlocRedresse(QImage& droite, int y, const QRgb* lignes, int nombre, QSize stockee, int orientation);

}  // namespace plivor
