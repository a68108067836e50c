// GIF through giflib: the first frame, composed on the logical screen.

#include <QFile>
#include <gif_lib.h>

#include "codecs/Images.h"

namespace plivor {

namespace {

struct FermetureGif {
  GifFileType* gif;
  ~FermetureGif() {
    if (gif) DGifCloseFile(gif, nullptr);
  }
};

QString MessageGif(int code) {
  const char* texte = GifErrorString(code);
  return texte ? QString::fromUtf8(texte) : QStringLiteral("GIF illisible");
}

}  // namespace

ImageDecodee DecoderGif(const QString& chemin) {
  int code = 0;
  FermetureGif fermeture{DGifOpenFileName(QFile::encodeName(chemin).constData(), &code)};
  GifFileType* gif = fermeture.gif;
  if (!gif) return {QImage(), MessageGif(code)};
  const qint64 ecran = qint64(gif->SWidth) * gif->SHeight;
  if (gif->SWidth <= 0 || gif->SHeight <= 0 || ecran > kPixelsMaximum)
    return {QImage(), QStringLiteral("Image trop grande (%1 x %2 pixels)").arg(gif->SWidth).arg(gif->SHeight)};
  // A truncated file still gives its complete frames.
  if (DGifSlurp(gif) != GIF_OK && gif->ImageCount == 0) return {QImage(), MessageGif(gif->Error)};
  if (gif->ImageCount < 1) return {QImage(), QStringLiteral("GIF sans image")};

  const SavedImage& cadre = gif->SavedImages[0];
  const GifImageDesc& desc = cadre.ImageDesc;
  const ColorMapObject* palette = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!palette || !cadre.RasterBits) return {QImage(), QStringLiteral("GIF sans palette")};
  GraphicsControlBlock controle{};
  controle.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif, 0, &controle);

  auto couleur = [&](int index) {
    if (index < 0 || index >= palette->ColorCount) return qRgb(0, 0, 0);
    const GifColorType& c = palette->Colors[index];
    return qRgb(c.Red, c.Green, c.Blue);
  };
  QImage image(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
  if (image.isNull()) return {QImage(), QStringLiteral("Mémoire insuffisante")};
  // Transparent pixels keep the colour of their index, so that a
  // transparent display keys them out like any other ground.
  const int fond = controle.TransparentColor != NO_TRANSPARENT_COLOR ? controle.TransparentColor : gif->SBackGroundColor;
  image.fill(couleur(fond));
  for (int y = 0; y < desc.Height; ++y) {
    const int yy = desc.Top + y;
    if (yy < 0 || yy >= image.height()) continue;
    auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(yy));
    for (int x = 0; x < desc.Width; ++x) {
      const int xx = desc.Left + x;
      if (xx < 0 || xx >= image.width()) continue;
      ligne[xx] = couleur(cadre.RasterBits[y * desc.Width + x]);
    }
  }
  return {std::move(image), QString()};
}

}  // namespace plivor
