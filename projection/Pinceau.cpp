#include "projection/Pinceau.h"

#include <cstring>

#include "projection/PreparationImage.h"

namespace plivor {

namespace {

// `dessus` laid over `dessous` by its alpha.
QRgb Fondre(QRgb dessous, QRgb dessus) {
  const int a = qAlpha(dessus);
  if (a == 255) return dessus;
  if (a == 0) return dessous;
  const auto mele = [a](int haut, int bas) { return (haut * a + bas * (255 - a) + 127) / 255; };
  return qRgb(mele(qRed(dessus), qRed(dessous)), mele(qGreen(dessus), qGreen(dessous)),
              mele(qBlue(dessus), qBlue(dessous)));
}

}  // namespace

Pinceau::Pinceau(QImage& destination, const QImage& travail, QPoint origine, std::optional<Couleur> cle)
    : destination_(destination),
      travail_(travail.convertToFormat(travail.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32)),
      origine_(origine),
      transparent_(cle.has_value()),
      alpha_(cle.has_value() && travail.hasAlphaChannel()) {
  if (cle) cle_ = VersQColor(*cle).rgb() & 0xFFFFFF;
}

// A work image with its own alpha says itself where it is transparent; the
// key colour serves the others.
void Pinceau::Pixel(QRgb* cible, QRgb source) const {
  if (alpha_) {
    *cible = Fondre(*cible, source);
    return;
  }
  if (transparent_ && (source & 0xFFFFFF) == cle_) return;
  *cible = source | 0xFF000000;
}

void Pinceau::Rangee(int y) {
  const int yy = origine_.y() + y;
  if (y < 0 || y >= travail_.height() || yy < 0 || yy >= destination_.height()) return;
  const int debut = std::max(0, -origine_.x());
  const int fin = std::min(travail_.width(), destination_.width() - origine_.x());
  if (debut >= fin) return;
  const auto* source = reinterpret_cast<const QRgb*>(travail_.constScanLine(y));
  auto* cible = reinterpret_cast<QRgb*>(destination_.scanLine(yy)) + origine_.x();
  if (!transparent_ && !travail_.hasAlphaChannel()) {
    std::memcpy(cible + debut, source + debut, sizeof(QRgb) * static_cast<size_t>(fin - debut));
    return;
  }
  for (int x = debut; x < fin; ++x) Pixel(cible + x, source[x]);
}

void Pinceau::Colonne(int x) {
  const int xx = origine_.x() + x;
  if (x < 0 || x >= travail_.width() || xx < 0 || xx >= destination_.width()) return;
  const int debut = std::max(0, -origine_.y());
  const int fin = std::min(travail_.height(), destination_.height() - origine_.y());
  for (int y = debut; y < fin; ++y) {
    const QRgb source = reinterpret_cast<const QRgb*>(travail_.constScanLine(y))[x];
    Pixel(reinterpret_cast<QRgb*>(destination_.scanLine(origine_.y() + y)) + xx, source);
  }
}

void Pinceau::Tout() {
  for (int y = 0; y < travail_.height(); ++y) Rangee(y);
}

}  // namespace plivor
