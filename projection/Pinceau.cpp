#include "projection/Pinceau.h"

#include <cstring>

#include "projection/PreparationImage.h"

namespace plivor {

Pinceau::Pinceau(QImage& destination, const QImage& travail, QPoint origine, std::optional<Couleur> cle)
    : destination_(destination),
      travail_(travail.convertToFormat(QImage::Format_RGB32)),
      origine_(origine),
      transparent_(cle.has_value()) {
  if (cle) cle_ = VersQColor(*cle).rgb() & 0xFFFFFF;
}

void Pinceau::Pixel(QRgb* cible, QRgb source) const {
  if (!transparent_ || (source & 0xFFFFFF) != cle_) *cible = source | 0xFF000000;
}

void Pinceau::Rangee(int y) {
  const int yy = origine_.y() + y;
  if (y < 0 || y >= travail_.height() || yy < 0 || yy >= destination_.height()) return;
  const int debut = std::max(0, -origine_.x());
  const int fin = std::min(travail_.width(), destination_.width() - origine_.x());
  if (debut >= fin) return;
  const auto* source = reinterpret_cast<const QRgb*>(travail_.constScanLine(y));
  auto* cible = reinterpret_cast<QRgb*>(destination_.scanLine(yy)) + origine_.x();
  if (!transparent_) {
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
