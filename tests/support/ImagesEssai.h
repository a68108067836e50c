#pragma once
// Real picture files written for the tests: JPEG through libjpeg, GIF
// through giflib, BMP through Qt.

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>

namespace plivor::test {

bool EcrireJpeg(const QString& chemin, const QImage& image, int qualite = 95);
// Up to 256 colours; `transparent` is a palette colour marked transparent.
bool EcrireGif(const QString& chemin, const QImage& image, std::optional<QColor> transparent = {},
               bool entrelace = false);
bool EcrireBmp(const QString& chemin, const QImage& image);

// Four flat quadrants: red top-left, green top-right, blue bottom-left,
// yellow bottom-right.
QImage Quadrants(int largeur, int hauteur);
QImage Unie(int largeur, int hauteur, QColor couleur);

// Whether two colours agree within a JPEG's or a smoothing's tolerance.
bool Proche(QColor a, QColor b, int tolerance = 24);

}  // namespace plivor::test
