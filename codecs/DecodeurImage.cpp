// One entry for every picture: the file's first bytes choose the decoder,
// whatever its name says.

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>

#include "codecs/Images.h"
#include "codecs/Messages.h"

namespace plivor {

QSize TailleHeif(const QString& chemin);
QSize TailleQt(const QString& chemin, FormatImage format);

qint64 PixelsPourDiapo(QSize diapo) {
  return std::max(kPixelsPlancher, 4 * qint64(std::max(diapo.width(), 1)) * std::max(diapo.height(), 1));
}

FormatImage FormatDuContenu(const QByteArray& debut) {
  if (debut.startsWith("\xFF\xD8\xFF")) return FormatImage::Jpeg;
  if (debut.startsWith("GIF87a") || debut.startsWith("GIF89a")) return FormatImage::Gif;
  if (debut.startsWith("\x89PNG\r\n\x1A\n")) return FormatImage::Png;
  if (debut.startsWith("RIFF") && debut.mid(8, 4) == "WEBP") return FormatImage::Webp;
  if (debut.startsWith(QByteArray("II*\0", 4)) || debut.startsWith(QByteArray("MM\0*", 4))) return FormatImage::Tiff;
  if (debut.mid(4, 4) == "ftyp") {
    static const char* const kMarques[] = {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1", "avif", "avis"};
    const QByteArray marque = debut.mid(8, 4);
    for (const char* m : kMarques)
      if (marque == m) return FormatImage::Heif;
  }
  // Two letters many a text begins with: the size of a known header must
  // follow.
  if (debut.startsWith("BM") && debut.size() >= 18) {
    const quint32 entete = qFromLittleEndian<quint32>(debut.constData() + 14);
    for (const quint32 connue : {12u, 40u, 52u, 56u, 64u, 108u, 124u})
      if (entete == connue) return FormatImage::Bmp;
  }
  return FormatImage::Inconnu;
}

FormatImage FormatDuFichier(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return FormatImage::Inconnu;
  return FormatDuContenu(f.read(32));
}

ImageDecodee DecoderImage(const QString& chemin, const BesoinImage& besoin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return {QImage(), messages::NonOuvert(chemin), {}, {}};
  const QByteArray debut = f.read(32);
  f.close();
  switch (const FormatImage format = FormatDuContenu(debut)) {
    case FormatImage::Jpeg: return DecoderJpeg(chemin, besoin);
    case FormatImage::Gif: return DecoderGif(chemin, besoin);
    case FormatImage::Bmp: return DecoderBmp(chemin, besoin);
    case FormatImage::Png:
    case FormatImage::Webp:
    case FormatImage::Tiff: return DecoderQt(chemin, format, besoin);
    case FormatImage::Heif: return DecoderHeif(chemin, besoin);
    case FormatImage::Inconnu: break;
  }
  if (debut.isEmpty()) return {QImage(), messages::Dire(QStringLiteral("Le fichier %1 est vide."), chemin), {}, {}};
  return {QImage(), messages::Dire(QStringLiteral("Le fichier %1 n'est pas une image que Plivor sait lire."), chemin), {}, {}};
}

QSize TailleImage(const QString& chemin) {
  switch (const FormatImage format = FormatDuFichier(chemin)) {
    case FormatImage::Jpeg: return TailleJpeg(chemin);
    case FormatImage::Heif: return TailleHeif(chemin);
    case FormatImage::Inconnu: return {};
    case FormatImage::Png:
    case FormatImage::Webp:
    case FormatImage::Tiff: return TailleQt(chemin, format);
    default: return QImageReader(chemin).size();
  }
}

}  // namespace plivor
