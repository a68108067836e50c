// Every picture decoder on any file, by its content and by each decoder
// directly: JPEG at each scale and with a chosen one, GIF composition,
// our bitmaps, Qt's PNG, WebP and TIFF with their EXIF, HEIC and AVIF;
// with the bound of a small slide, so that the reductions are reached.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

#include "codecs/Images.h"
#include "codecs/Orientation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  static const QString chemin = QDir::temp().filePath(QStringLiteral("plivor-fuzz-%1.img").arg(::getpid()));
  QFile fichier(chemin);
  if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  fichier.write(reinterpret_cast<const char*>(donnees), qint64(taille));
  fichier.close();
  OrientationExif(std::string_view(reinterpret_cast<const char*>(donnees), taille));
  OrientationTiff(std::string_view(reinterpret_cast<const char*>(donnees), taille));
  BesoinImage petit;
  petit.pixelsPermis = 4096;
  DecoderImage(chemin);
  DecoderImage(chemin, petit);
  TailleImage(chemin);
  for (const int diviseur : {1, 2, 4, 8}) DecoderJpeg(chemin, diviseur);
  BesoinImage choisi = petit;
  choisi.choisir = [](QSize naturelle) { return naturelle.width() > 64 ? 8 : 1; };
  DecoderJpeg(chemin, choisi);
  DecoderGif(chemin, petit);
  DecoderBmp(chemin, petit);
  return 0;
}
