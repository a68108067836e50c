#include "support/ImagesEssai.h"

#include <QPainter>
#include <cstdlib>

namespace plivor::test {

QImage Quadrants(int largeur, int hauteur) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  QPainter p(&image);
  const int mx = largeur / 2, my = hauteur / 2;
  p.fillRect(0, 0, mx, my, QColor(255, 0, 0));
  p.fillRect(mx, 0, largeur - mx, my, QColor(0, 255, 0));
  p.fillRect(0, my, mx, hauteur - my, QColor(0, 0, 255));
  p.fillRect(mx, my, largeur - mx, hauteur - my, QColor(255, 255, 0));
  return image;
}

QImage Unie(int largeur, int hauteur, QColor couleur) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  image.fill(couleur);
  return image;
}

bool Proche(QColor a, QColor b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace plivor::test
