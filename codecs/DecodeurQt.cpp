// PNG, WebP and TIFF through Qt's readers (Qt's own PNG, the WebP and TIFF
// plugins). They decode whole: the size the file announces is checked
// first, and Qt's allocation limit holds behind it.

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>

#include "codecs/Images.h"
#include "codecs/Messages.h"
#include "codecs/Orientation.h"

namespace plivor {

namespace {

// What a picture that cannot be reduced while decoding may take at least.
constexpr qint64 kPixelsNonReduits = 64'000'000;

const char* NomQt(FormatImage format) {
  switch (format) {
    case FormatImage::Png: return "png";
    case FormatImage::Webp: return "webp";
    default: return "tiff";
  }
}

QString NomFormat(FormatImage format) {
  switch (format) {
    case FormatImage::Png: return QStringLiteral("PNG");
    case FormatImage::Webp: return QStringLiteral("WebP");
    default: return QStringLiteral("TIFF");
  }
}

// PNG keeps EXIF in an eXIf chunk before its pixels.
int OrientationPng(QFile& f) {
  f.seek(8);
  for (int n = 0; n < 4096; ++n) {
    const QByteArray entete = f.read(8);
    if (entete.size() < 8) return 1;
    const quint32 longueur = qFromBigEndian<quint32>(entete.constData());
    const QByteArray type = entete.mid(4, 4);
    if (type == "IDAT" || type == "IEND") return 1;
    if (type == "eXIf" && longueur < (1u << 20)) {
      const QByteArray exif = f.read(longueur);
      return OrientationTiff(std::string_view(exif.constData(), std::size_t(exif.size())));
    }
    if (!f.seek(f.pos() + qint64(longueur) + 4)) return 1;
  }
  return 1;
}

// WebP keeps it in an EXIF chunk, usually after the picture.
int OrientationWebp(QFile& f) {
  f.seek(12);
  for (int n = 0; n < 4096; ++n) {
    const QByteArray entete = f.read(8);
    if (entete.size() < 8) return 1;
    const quint32 longueur = qFromLittleEndian<quint32>(entete.constData() + 4);
    if (entete.left(4) == "EXIF" && longueur < (1u << 20)) {
      QByteArray exif = f.read(longueur);
      if (exif.startsWith(QByteArray("Exif\0\0", 6))) exif.remove(0, 6);
      return OrientationTiff(std::string_view(exif.constData(), std::size_t(exif.size())));
    }
    if (!f.seek(f.pos() + qint64(longueur) + (longueur & 1))) return 1;
  }
  return 1;
}

// Qt's TIFF reader turns the picture itself; PNG and WebP are turned here.
int OrientationDuConteneur(const QString& chemin, FormatImage format) {
  if (format == FormatImage::Tiff) return 1;
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return 1;
  return format == FormatImage::Png ? OrientationPng(f) : OrientationWebp(f);
}

QString Echec(const QImageReader& lecteur, const QString& chemin, FormatImage format) {
  using namespace messages;
  switch (lecteur.error()) {
    case QImageReader::FileNotFoundError: return NonOuvert(chemin);
    case QImageReader::DeviceError: return Dire(QStringLiteral("Le fichier %1 ne peut pas être lu."), chemin);
    case QImageReader::UnsupportedFormatError:
      return Dire(QStringLiteral("L'image %2 %1 est d'une sorte que Plivor ne sait pas lire.").arg(QStringLiteral("%1"), NomFormat(format)), chemin);
    default:
      return Dire(QStringLiteral("L'image %2 %1 est abîmée ou tronquée.").arg(QStringLiteral("%1"), NomFormat(format)), chemin);
  }
}

}  // namespace

ImageDecodee DecoderQt(const QString& chemin, FormatImage format, const BesoinImage& besoin) {
  QImageReader lecteur(chemin, NomQt(format));
  lecteur.setAutoTransform(format == FormatImage::Tiff);
  const int orientation = OrientationDuConteneur(chemin, format);
  const QSize stockee = lecteur.size();
  const bool tourne = format == FormatImage::Tiff ? lecteur.transformation().testFlag(QImageIOHandler::TransformationRotate90)
                                                  : OrientationTourne(orientation);
  const QSize naturelle = tourne ? stockee.transposed() : stockee;
  const qint64 permis = std::min(kPixelsMaximum, std::max(besoin.pixelsPermis, kPixelsNonReduits));
  if (stockee.isValid() && qint64(stockee.width()) * stockee.height() > permis)
    return {QImage(), messages::TropGrande(chemin, naturelle.width(), naturelle.height()), {}, naturelle};
  lecteur.setAllocationLimit(int(permis * 4 / (1024 * 1024)) + 1);
  QImage image = lecteur.read();
  if (image.isNull()) return {QImage(), Echec(lecteur, chemin, format), {}, naturelle};
  image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (format != FormatImage::Tiff) image = Redresser(image, orientation);
  const QSize droite = image.size();
  return {std::move(image), {}, {}, droite};
}

}  // namespace plivor

namespace plivor {

QSize TailleQt(const QString& chemin, FormatImage format) {
  QImageReader lecteur(chemin, NomQt(format));
  lecteur.setAutoTransform(format == FormatImage::Tiff);
  const QSize stockee = lecteur.size();
  const bool tourne = format == FormatImage::Tiff ? lecteur.transformation().testFlag(QImageIOHandler::TransformationRotate90)
                                                  : OrientationTourne(OrientationDuConteneur(chemin, format));
  return tourne ? stockee.transposed() : stockee;
}

}  // namespace plivor
