// Windows bitmaps through Qt's reader.

#include <QImageReader>

#include "codecs/Images.h"

namespace plivor {

ImageDecodee DecoderBmp(const QString& chemin) {
  QImageReader lecteur(chemin, "bmp");
  const QSize taille = lecteur.size();
  if (taille.isValid() && qint64(taille.width()) * taille.height() > kPixelsMaximum)
    return {QImage(), QStringLiteral("Image trop grande (%1 x %2 pixels)").arg(taille.width()).arg(taille.height())};
  QImage image = lecteur.read();
  if (image.isNull()) return {QImage(), lecteur.errorString()};
  return {image.convertToFormat(QImage::Format_RGB32), QString()};
}

}  // namespace plivor
