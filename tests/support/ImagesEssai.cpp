#include "support/ImagesEssai.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>
#include <optional>
#include <vector>

namespace plivor::test {

bool EcrireJpeg(const QString& chemin, const QImage& source, int qualite) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  std::FILE* f = std::fopen(QFile::encodeName(chemin).constData(), "wb");
  if (!f) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr erreur{};
  info.err = jpeg_std_error(&erreur);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, f);
  info.image_width = static_cast<JDIMENSION>(image.width());
  info.image_height = static_cast<JDIMENSION>(image.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, qualite, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW ligne = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &ligne, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(f);
  return true;
}

bool EcrireGif(const QString& chemin, const QImage& image, std::optional<QColor> transparent, bool entrelace) {
  std::vector<QRgb> palette;
  std::vector<GifByteType> pixels;
  pixels.reserve(static_cast<size_t>(image.width() * image.height()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) | 0xFF000000;
      auto it = std::find(palette.begin(), palette.end(), c);
      if (it == palette.end()) {
        if (palette.size() == 256) return false;
        palette.push_back(c);
        it = palette.end() - 1;
      }
      pixels.push_back(static_cast<GifByteType>(it - palette.begin()));
    }
  while (palette.size() < 2 || (palette.size() & (palette.size() - 1))) palette.push_back(0xFF000000);
  std::vector<GifColorType> couleurs;
  for (QRgb c : palette)
    couleurs.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                        static_cast<GifByteType>(qBlue(c))});
  int erreur = 0;
  GifFileType* gif = EGifOpenFileName(QFile::encodeName(chemin).constData(), false, &erreur);
  if (!gif) return false;
  ColorMapObject* carte = GifMakeMapObject(static_cast<int>(couleurs.size()), couleurs.data());
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, carte) == GIF_OK;
  if (ok && transparent) {
    const auto it = std::find(palette.begin(), palette.end(), transparent->rgb() | 0xFF000000);
    GraphicsControlBlock controle{};
    controle.TransparentColor = it == palette.end() ? NO_TRANSPARENT_COLOR : int(it - palette.begin());
    GifByteType octets[4];
    const size_t n = EGifGCBToExtension(&controle, octets);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), octets) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), entrelace, nullptr) == GIF_OK;
  std::vector<int> ordre;
  if (entrelace) {
    const int debut[] = {0, 4, 2, 1}, pas[] = {8, 8, 4, 2};
    for (int p = 0; p < 4; ++p)
      for (int y = debut[p]; y < image.height(); y += pas[p]) ordre.push_back(y);
  } else {
    for (int y = 0; y < image.height(); ++y) ordre.push_back(y);
  }
  for (int y : ordre)
    ok = ok && EGifPutLine(gif, pixels.data() + static_cast<size_t>(y * image.width()), image.width()) == GIF_OK;
  GifFreeMapObject(carte);
  EGifCloseFile(gif, &erreur);
  return ok;
}

bool EcrireBmp(const QString& chemin, const QImage& image) {
  return image.convertToFormat(QImage::Format_RGB888).save(chemin, "BMP");
}

QImage Quadrants(int largeur, int hauteur) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  QPainter p(&image);
  const int mx = largeur / 2, my = hauteur / 2;
  p.fillRect(0, 0, mx, my, QColor(255, 0, 0));
  p.fillRect(mx, 0, largeur - mx, my, QColor(0, 255, 0));
  p.fillRect(0, my, mx, hauteur - my, QColor(0, 0, 255));
  p.fillRect(mx, my, largeur - mx, hauteur - my, QColor(255, 255, 0));
  return image;
}

QImage Unie(int largeur, int hauteur, QColor couleur) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  image.fill(couleur);
  return image;
}

bool Proche(QColor a, QColor b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace plivor::test
