// GIF through giflib: the first frame, composed on the logical screen. The
// file is read record by record so that nothing larger than the limit is
// ever allocated.

#include <QFile>
#include <gif_lib.h>
#include <vector>

#include "codecs/Images.h"
#include "codecs/Messages.h"

namespace plivor {

namespace {

struct FermetureGif {
  GifFileType* gif;
  ~FermetureGif() {
    if (gif) DGifCloseFile(gif, nullptr);
  }
};

QString MessageGif(int code, const QString& chemin) {
  using namespace messages;
  switch (code) {
    case D_GIF_ERR_OPEN_FAILED: return NonOuvert(chemin);
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_NOT_READABLE: return Dire(QStringLiteral("Le fichier %1 ne peut pas être lu."), chemin);
    case D_GIF_ERR_NOT_GIF_FILE: return Dire(QStringLiteral("Le fichier %1 n'est pas une image GIF."), chemin);
    case D_GIF_ERR_NO_SCRN_DSCR:
    case D_GIF_ERR_NO_IMAG_DSCR: return Dire(QStringLiteral("L'image GIF %1 est incomplète : sa description manque."), chemin);
    case D_GIF_ERR_NO_COLOR_MAP: return Dire(QStringLiteral("L'image GIF %1 n'a pas de palette."), chemin);
    case D_GIF_ERR_WRONG_RECORD:
    case D_GIF_ERR_DATA_TOO_BIG:
    case D_GIF_ERR_IMAGE_DEFECT: return Dire(QStringLiteral("L'image GIF %1 est abîmée."), chemin);
    case D_GIF_ERR_NOT_ENOUGH_MEM: return Memoire(chemin);
    case D_GIF_ERR_EOF_TOO_SOON: return Dire(QStringLiteral("L'image GIF %1 est tronquée : le fichier s'arrête avant sa fin."), chemin);
    default: {
      const char* texte = GifErrorString(code);
      return Dire(QStringLiteral("L'image GIF %1 est illisible"), chemin) +
             (texte ? QStringLiteral(" (giflib : ") + QString::fromUtf8(texte) + QStringLiteral(").") : QStringLiteral("."));
    }
  }
}

ImageDecodee Echec(const QString& message) { return {QImage(), message}; }

// The transparent index of a graphics control extension, if it has one.
void LireControle(GifFileType* gif, int& transparent) {
  int code = 0;
  GifByteType* extension = nullptr;
  if (DGifGetExtension(gif, &code, &extension) != GIF_OK) return;
  while (extension) {
    if (code == GRAPHICS_EXT_FUNC_CODE) {
      GraphicsControlBlock controle{};
      if (DGifExtensionToGCB(extension[0], extension + 1, &controle) == GIF_OK)
        transparent = controle.TransparentColor;
    }
    if (DGifGetExtensionNext(gif, &extension) != GIF_OK) return;
  }
}

// Rows of the frame in file order; interlaced frames come in four passes.
std::vector<int> OrdreDesLignes(int hauteur, bool entrelace) {
  std::vector<int> ordre;
  ordre.reserve(static_cast<size_t>(hauteur));
  if (!entrelace) {
    for (int y = 0; y < hauteur; ++y) ordre.push_back(y);
    return ordre;
  }
  const int debut[] = {0, 4, 2, 1}, pas[] = {8, 8, 4, 2};
  for (int passe = 0; passe < 4; ++passe)
    for (int y = debut[passe]; y < hauteur; y += pas[passe]) ordre.push_back(y);
  return ordre;
}

}  // namespace

ImageDecodee DecoderGif(const QString& chemin) {
  int code = 0;
  FermetureGif fermeture{DGifOpenFileName(QFile::encodeName(chemin).constData(), &code)};
  GifFileType* gif = fermeture.gif;
  if (!gif) return Echec(MessageGif(code, chemin));
  if (gif->SWidth <= 0 || gif->SHeight <= 0 || qint64(gif->SWidth) * gif->SHeight > kPixelsMaximum)
    return Echec(messages::TropGrande(chemin, gif->SWidth, gif->SHeight));

  int transparent = NO_TRANSPARENT_COLOR;
  GifRecordType type = UNDEFINED_RECORD_TYPE;
  do {
    if (DGifGetRecordType(gif, &type) != GIF_OK) return Echec(MessageGif(gif->Error, chemin));
    if (type == EXTENSION_RECORD_TYPE) LireControle(gif, transparent);
  } while (type != IMAGE_DESC_RECORD_TYPE && type != TERMINATE_RECORD_TYPE);
  if (type != IMAGE_DESC_RECORD_TYPE) return Echec(messages::Dire(QStringLiteral("Le fichier GIF %1 ne contient aucune image."), chemin));
  if (DGifGetImageDesc(gif) != GIF_OK) return Echec(MessageGif(gif->Error, chemin));

  const GifImageDesc& desc = gif->Image;
  if (desc.Width <= 0 || desc.Height <= 0 || qint64(desc.Width) * desc.Height > kPixelsMaximum)
    return Echec(messages::TropGrande(chemin, desc.Width, desc.Height));
  const ColorMapObject* palette = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!palette) return Echec(MessageGif(D_GIF_ERR_NO_COLOR_MAP, chemin));
  auto couleur = [palette](int index) {
    if (index < 0 || index >= palette->ColorCount) return qRgb(0, 0, 0);
    const GifColorType& c = palette->Colors[index];
    return qRgb(c.Red, c.Green, c.Blue);
  };

  QImage image(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
  if (image.isNull()) return Echec(messages::Memoire(chemin));
  // Transparent pixels keep the colour of their index, so that a
  // transparent display keys them out like any other ground.
  image.fill(couleur(transparent != NO_TRANSPARENT_COLOR ? transparent : gif->SBackGroundColor));
  std::vector<GifPixelType> ligne(static_cast<size_t>(desc.Width));
  for (const int y : OrdreDesLignes(desc.Height, desc.Interlace)) {
    if (DGifGetLine(gif, ligne.data(), desc.Width) != GIF_OK) return Echec(MessageGif(gif->Error, chemin));
    const int yy = desc.Top + y;
    if (yy < 0 || yy >= image.height()) continue;
    auto* cible = reinterpret_cast<QRgb*>(image.scanLine(yy));
    for (int x = 0; x < desc.Width; ++x) {
      const int xx = desc.Left + x;
      if (xx >= 0 && xx < image.width()) cible[xx] = couleur(ligne[static_cast<size_t>(x)]);
    }
  }
  return {std::move(image), QString()};
}

}  // namespace plivor
