// The three picture decoders on any file: JPEG at each scale, GIF, BMP.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

#include "codecs/Images.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  using namespace plivor;
  static const QString chemin = QDir::temp().filePath(QStringLiteral("plivor-fuzz-%1.img").arg(::getpid()));
  QFile fichier(chemin);
  if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  fichier.write(reinterpret_cast<const char*>(donnees), qint64(taille));
  fichier.close();
  for (const int diviseur : {1, 2, 4, 8}) DecoderJpeg(chemin, diviseur);
  DecoderGif(chemin);
  DecoderBmp(chemin);
  return 0;
}
