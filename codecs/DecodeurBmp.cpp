// Windows bitmaps through Qt's reader.

#include <QFile>
#include <QImageReader>

#include "codecs/Images.h"
#include "codecs/Messages.h"

namespace plivor {

namespace {

QString Echec(const QImageReader& lecteur, const QString& chemin) {
  using namespace messages;
  QFile fichier(chemin);
  const bool bm = fichier.open(QIODevice::ReadOnly) && fichier.read(2) == "BM";
  if (fichier.isOpen() && !bm) return Dire(QStringLiteral("Le fichier %1 n'est pas une image BMP."), chemin);
  switch (lecteur.error()) {
    case QImageReader::FileNotFoundError: return NonOuvert(chemin);
    case QImageReader::DeviceError: return Dire(QStringLiteral("Le fichier %1 ne peut pas être lu."), chemin);
    case QImageReader::UnsupportedFormatError: return Dire(QStringLiteral("Le fichier %1 n'est pas une image BMP."), chemin);
    case QImageReader::InvalidDataError:
      return Dire(QStringLiteral("L'image BMP %1 est abîmée ou tronquée."), chemin);
    default:
      return Dire(QStringLiteral("L'image BMP %1 est illisible"), chemin) + QStringLiteral(" (Qt : ") +
             lecteur.errorString() + QStringLiteral(").");
  }
}

}  // namespace

ImageDecodee DecoderBmp(const QString& chemin) {
  QImageReader lecteur(chemin, "bmp");
  const QSize taille = lecteur.size();
  if (taille.isValid() && qint64(taille.width()) * taille.height() > kPixelsMaximum)
    return {QImage(), messages::TropGrande(chemin, taille.width(), taille.height())};
  QImage image = lecteur.read();
  if (image.isNull()) return {QImage(), Echec(lecteur, chemin)};
  return {image.convertToFormat(QImage::Format_RGB32), QString()};
}

}  // namespace plivor
