#pragma once
// The canvas a decoder paints pixel by pixel, reduced while decoding when
// the picture is larger than the caller may take: pixel (x, y) of the file
// is kept when both are multiples of the reduction.

#include <QImage>
#include <algorithm>

namespace plivor {

struct Toile {
  QImage image;  // Format_ARGB32
  int k = 1;
  QRgb vide = 0;  // transparent

  // A canvas for a `largeur` x `hauteur` picture within `permis` pixels;
  // false when even the largest reduction does not bring it there, or the
  // memory is not there.
  bool Creer(qint64 largeur, qint64 hauteur, qint64 permis, QRgb fond = 0) {
    constexpr int kReductionMaximum = 64;
    if (largeur <= 0 || hauteur <= 0) return false;
    k = 1;
    while (k <= kReductionMaximum && ((largeur + k - 1) / k) * ((hauteur + k - 1) / k) > permis) ++k;
    if (k > kReductionMaximum) return false;
    image = QImage(int((largeur + k - 1) / k), int((hauteur + k - 1) / k), QImage::Format_ARGB32);
    if (image.isNull()) return false;
    vide = fond & 0x00FFFFFFu;
    image.fill(vide);
    return true;
  }
  bool PrendLigne(int y) const { return y >= 0 && y % k == 0 && y / k < image.height(); }
  bool PrendColonne(int x) const { return x >= 0 && x % k == 0 && x / k < image.width(); }
  // Only for a row PrendLigne takes.
  QRgb* Ligne(int y) { return reinterpret_cast<QRgb*>(image.scanLine(y / k)); }
  void Poser(int x, int y, QRgb c) {
    if (PrendLigne(y) && PrendColonne(x)) Ligne(y)[x / k] = c;
  }
  void Effacer(int x, int y, int l, int h) {
    const QRect zone = QRect((x + k - 1) / k, (y + k - 1) / k, (l + k - 1) / k, (h + k - 1) / k) &
                       QRect(0, 0, image.width(), image.height());
    for (int yy = zone.top(); yy <= zone.bottom(); ++yy)
      std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(yy)) + zone.left(), zone.width(), vide);
  }
  // Opaque all over: the picture needs no alpha.
  QImage Finie(bool opaque) const { return opaque ? image.convertToFormat(QImage::Format_RGB32) : image; }
};

}  // namespace plivor
