#pragma once
// Decoding picture files into still bitmaps for the projection.

#include <QImage>
#include <QString>
#include <functional>

namespace plivor {

// Pictures larger than this are refused rather than allocated.
inline constexpr qint64 kPixelsMaximum = 120'000'000;

struct ImageDecodee {
  QImage image;    // Format_RGB32; null on failure
  QString erreur;  // the decoder's own words on failure
  bool Valide() const { return !image.isNull(); }
};

// `diviseur` 1, 2 or 4: JPEG decoding at full, half or quarter scale.
ImageDecodee DecoderJpeg(const QString& chemin, int diviseur = 1);
// JPEG decoding at the reduction (1, 2, 4 or 8) `choisir` picks from the
// natural size, read from the same opening of the file; `naturelle` gets it.
ImageDecodee DecoderJpeg(const QString& chemin, const std::function<int(QSize naturelle)>& choisir,
                         QSize* naturelle = nullptr);
// The size libjpeg-turbo gives a picture decoded with `diviseur`.
QSize TailleReduite(QSize naturelle, int diviseur);
ImageDecodee DecoderGif(const QString& chemin);
ImageDecodee DecoderBmp(const QString& chemin);

// Natural size of a JPEG without decoding it; empty when unreadable.
QSize TailleJpeg(const QString& chemin);

}  // namespace plivor
