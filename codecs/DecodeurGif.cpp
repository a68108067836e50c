// GIF through giflib: the first frame as a viewer composes it, image block
// after image block until one asks to be seen for a while, on a canvas that
// is transparent wherever no block paints. The file is read record by
// record, and the canvas is reduced while decoding when the logical screen
// is larger than the caller may take.

#include <QFile>
#include <gif_lib.h>
#include <algorithm>
#include <vector>

#include "codecs/Images.h"
#include "codecs/Messages.h"
#include "codecs/Toile.h"

namespace plivor {

namespace {

// A crafted file can repeat full-screen blocks for ever: the decoding stops
// after this many blocks, or this many pixels over the screen's own.
constexpr int kBlocsMaximum = 1024;
constexpr qint64 kPixelsBlocsEnPlus = 16'000'000;

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

ImageDecodee Echec(const QString& message) { return {QImage(), message, {}, {}}; }

struct Controle {
  int transparent = NO_TRANSPARENT_COLOR;
  int delai = 0;
  int disposition = DISPOSAL_UNSPECIFIED;
};

// The graphics control extension, if the extension is one.
bool LireExtension(GifFileType* gif, Controle& controle) {
  int code = 0;
  GifByteType* extension = nullptr;
  if (DGifGetExtension(gif, &code, &extension) != GIF_OK) return false;
  while (extension) {
    if (code == GRAPHICS_EXT_FUNC_CODE) {
      GraphicsControlBlock bloc{};
      if (DGifExtensionToGCB(extension[0], extension + 1, &bloc) == GIF_OK)
        controle = {bloc.TransparentColor, bloc.DelayTime, bloc.DisposalMode};
    }
    if (DGifGetExtensionNext(gif, &extension) != GIF_OK) return false;
  }
  return true;
}

// Rows of the block in file order; interlaced blocks come in four passes.
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

class Composition {
 public:
  Composition(GifFileType* gif, const QString& chemin, qint64 permis) : gif_(gif), chemin_(chemin), permis_(permis) {}

  ImageDecodee Composer();

 private:
  bool Preparer(const GifImageDesc& premier, const Controle& controle);
  // Gives false when the block could not be read to its end.
  bool Peindre(const GifImageDesc& desc, const ColorMapObject* palette, int transparent);
  void Disposer(const GifImageDesc& desc, int disposition, const QImage& avant);

  GifFileType* gif_;
  const QString& chemin_;
  qint64 permis_;
  Toile toile_;
  bool lignesLues_ = false;
  qint64 pixelsLus_ = 0;
  qint64 largeur_ = 0, hauteur_ = 0;

 public:
  QSize Naturelle() const { return QSize(int(largeur_), int(hauteur_)); }
};

bool Composition::Preparer(const GifImageDesc& premier, const Controle& controle) {
  // A first block larger than the screen widens it, as viewers do.
  largeur_ = std::max<qint64>(gif_->SWidth, qint64(premier.Left) + premier.Width);
  hauteur_ = std::max<qint64>(gif_->SHeight, qint64(premier.Top) + premier.Height);
  if (largeur_ * hauteur_ > kPixelsMaximum) return false;
  // Transparent, with the colour a key-colour display of old keeps out.
  const ColorMapObject* palette = gif_->SColorMap ? gif_->SColorMap : premier.ColorMap;
  const int index = controle.transparent != NO_TRANSPARENT_COLOR ? controle.transparent : gif_->SBackGroundColor;
  QRgb couleur = 0;
  if (palette && index >= 0 && index < palette->ColorCount) {
    const GifColorType& c = palette->Colors[index];
    couleur = qRgb(c.Red, c.Green, c.Blue);
  }
  return toile_.Creer(largeur_, hauteur_, permis_, couleur);
}

bool Composition::Peindre(const GifImageDesc& desc, const ColorMapObject* palette, int transparent) {
  std::vector<GifPixelType> ligne(static_cast<size_t>(desc.Width));
  for (const int y : OrdreDesLignes(desc.Height, desc.Interlace)) {
    if (DGifGetLine(gif_, ligne.data(), desc.Width) != GIF_OK) return false;
    lignesLues_ = true;
    const int yy = desc.Top + y;
    if (!toile_.PrendLigne(yy)) continue;
    QRgb* cible = toile_.Ligne(yy);
    for (int x = 0; x < desc.Width; ++x) {
      const int xx = desc.Left + x, index = ligne[static_cast<size_t>(x)];
      if (index == transparent || index >= palette->ColorCount || !toile_.PrendColonne(xx)) continue;
      const GifColorType& c = palette->Colors[index];
      cible[xx / toile_.k] = qRgb(c.Red, c.Green, c.Blue);
    }
  }
  return true;
}

void Composition::Disposer(const GifImageDesc& desc, int disposition, const QImage& avant) {
  if (disposition == DISPOSE_BACKGROUND)
    toile_.Effacer(desc.Left, desc.Top, desc.Width, desc.Height);
  else if (disposition == DISPOSE_PREVIOUS && !avant.isNull())
    toile_.image = avant;
}

ImageDecodee Composition::Composer() {
  Controle controle;
  bool prete = false;
  for (int blocs = 0; blocs < kBlocsMaximum;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif_, &type) != GIF_OK) break;
    if (type == TERMINATE_RECORD_TYPE) break;
    if (type == EXTENSION_RECORD_TYPE) {
      if (!LireExtension(gif_, controle)) break;
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) break;
    if (DGifGetImageDesc(gif_) != GIF_OK) break;
    const GifImageDesc& desc = gif_->Image;
    if (desc.Width <= 0 || desc.Height <= 0) break;
    if (!prete) {
      if (!Preparer(desc, controle))
        return Echec(largeur_ * hauteur_ > kPixelsMaximum || toile_.k > 1 ? messages::TropGrande(chemin_, largeur_, hauteur_)
                                                                           : messages::Memoire(chemin_));
      prete = true;
    }
    const ColorMapObject* palette = desc.ColorMap ? desc.ColorMap : gif_->SColorMap;
    if (!palette) return Echec(MessageGif(D_GIF_ERR_NO_COLOR_MAP, chemin_));
    const QImage avant = controle.disposition == DISPOSE_PREVIOUS ? toile_.image.copy() : QImage();
    if (!Peindre(desc, palette, controle.transparent)) {
      if (!lignesLues_) return Echec(MessageGif(gif_->Error, chemin_));
      ImageDecodee partielle{toile_.image, {}, {}, Naturelle()};
      partielle.avertissement =
          messages::Dire(QStringLiteral("L'image GIF %1 est tronquée : seule la partie lue est montrée."), chemin_);
      return partielle;
    }
    ++blocs;
    pixelsLus_ += qint64(desc.Width) * desc.Height;
    // A block meant to be seen for a while ends the first frame.
    if (controle.delai > 0) break;
    if (pixelsLus_ > qint64(gif_->SWidth) * gif_->SHeight + kPixelsBlocsEnPlus) break;
    Disposer(desc, controle.disposition, avant);
    controle = Controle{};
  }
  if (!prete) {
    if (gif_->Error != 0 && gif_->Error != D_GIF_SUCCEEDED) return Echec(MessageGif(gif_->Error, chemin_));
    return Echec(messages::Dire(QStringLiteral("Le fichier GIF %1 ne contient aucune image."), chemin_));
  }
  return {toile_.image, {}, {}, Naturelle()};
}

}  // namespace

ImageDecodee DecoderGif(const QString& chemin, const BesoinImage& besoin) {
  int code = 0;
  FermetureGif fermeture{DGifOpenFileName(QFile::encodeName(chemin).constData(), &code)};
  GifFileType* gif = fermeture.gif;
  if (!gif) return Echec(MessageGif(code, chemin));
  if (qint64(gif->SWidth) * gif->SHeight > kPixelsMaximum)
    return Echec(messages::TropGrande(chemin, gif->SWidth, gif->SHeight));
  return Composition(gif, chemin, besoin.pixelsPermis).Composer();
}

}  // namespace plivor
