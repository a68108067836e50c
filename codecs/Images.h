#pragma once
// Decoding picture files into still bitmaps for every consumer: the
// projection, the previews, the thumbnails and the video. Pictures come out
// upright (EXIF orientation applied), transparent where the file says so,
// and no larger than the caller can use.

#include <QImage>
#include <QString>
#include <functional>

namespace plivor {

// Pictures that must keep their natural pixels (cut-out slides) are refused
// beyond this size rather than allocated.
inline constexpr qint64 kPixelsMaximum = 120'000'000;
// What a caller that fits the picture to a slide needs at most: four times
// the slide, and never less than this, so that a small slide still takes
// the pictures that cannot be reduced while decoding.
inline constexpr qint64 kPixelsPlancher = 16'000'000;
qint64 PixelsPourDiapo(QSize diapo);

struct BesoinImage {
  // JPEG reduction 1, 2, 4 or 8; `choisir`, when given, picks it from the
  // upright natural size instead.
  int diviseur = 1;
  std::function<int(QSize naturelle)> choisir;
  // Pixels the decoded picture may take: a picture that can be reduced
  // while decoding (JPEG, GIF, BMP) is reduced further, any other is
  // refused. Cut-out slides, which keep natural pixels, ask kPixelsMaximum.
  qint64 pixelsPermis = kPixelsPlancher;
};

struct ImageDecodee {
  // Upright. Format_RGB32, or Format_ARGB32 where the file is transparent
  // or a damaged part is left out; transparent pixels keep the colour the
  // file gives them.
  QImage image;
  QString erreur;         // the decoder's own words on failure
  QString avertissement;  // shown all the same: what is wrong with the file
  QSize naturelle;        // the upright picture's size in the file
  bool Valide() const { return !image.isNull(); }
};

enum class FormatImage { Inconnu, Jpeg, Gif, Bmp, Png, Webp, Tiff, Heif };

// The format the first bytes of a file announce, whatever its name says.
FormatImage FormatDuContenu(const QByteArray& debut);
FormatImage FormatDuFichier(const QString& chemin);

// Any picture file, decoded by its content.
ImageDecodee DecoderImage(const QString& chemin, const BesoinImage& besoin = {});
// The upright natural size without decoding; empty when unreadable.
QSize TailleImage(const QString& chemin);

ImageDecodee DecoderJpeg(const QString& chemin, const BesoinImage& besoin);
ImageDecodee DecoderJpeg(const QString& chemin, int diviseur = 1);
// The reduction `choisir` picks from the natural size; `naturelle` gets it.
ImageDecodee DecoderJpeg(const QString& chemin, const std::function<int(QSize naturelle)>& choisir,
                         QSize* naturelle = nullptr);
// The size libjpeg-turbo gives a picture decoded with `diviseur`.
QSize TailleReduite(QSize naturelle, int diviseur);
ImageDecodee DecoderGif(const QString& chemin, const BesoinImage& besoin = {});
ImageDecodee DecoderBmp(const QString& chemin, const BesoinImage& besoin = {});
// PNG, WebP and TIFF through Qt's readers.
ImageDecodee DecoderQt(const QString& chemin, FormatImage format, const BesoinImage& besoin = {});
// HEIC and AVIF through libheif.
ImageDecodee DecoderHeif(const QString& chemin, const BesoinImage& besoin = {});

// Upright natural size of a JPEG without decoding it; empty when unreadable.
QSize TailleJpeg(const QString& chemin);

}  // namespace plivor
