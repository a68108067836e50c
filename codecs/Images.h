#pragma once
// Decoding picture files into still bitmaps for the projection.

#include <QImage>
#include <QString>

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
ImageDecodee DecoderGif(const QString& chemin);
ImageDecodee DecoderBmp(const QString& chemin);

// Natural size of a JPEG without decoding it; empty when unreadable.
QSize TailleJpeg(const QString& chemin);

}  // namespace plivor
