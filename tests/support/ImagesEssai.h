#pragma once
// Pictures drawn for the tests, and the writers of real files.

#include <QColor>
#include <QImage>
#include <QString>

#include "codecs/Encodeurs.h"
#include <optional>

namespace plivor::test {

using plivor::EcrireBmp;
using plivor::EcrireGif;
using plivor::EcrireJpeg;

// Four flat quadrants: red top-left, green top-right, blue bottom-left,
// yellow bottom-right.
QImage Quadrants(int largeur, int hauteur);
QImage Unie(int largeur, int hauteur, QColor couleur);

// Whether two colours agree within a JPEG's or a smoothing's tolerance.
bool Proche(QColor a, QColor b, int tolerance = 24);

}  // namespace plivor::test
