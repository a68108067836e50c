#pragma once
// Picture files built byte by byte for the decoders' tests: EXIF
// orientations in JPEG, PNG and WebP, bitmaps of every kind, GIFs of
// several blocks, and a JPEG far larger than memory would hold whole.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace plivor::test {

// The picture as a camera held `orientation` stores it, by the EXIF
// definitions of its first row and column.
QImage Stockee(const QImage& droite, int orientation);
// An APP1 payload: "Exif\0\0", a TIFF header and one orientation entry.
QByteArray SegmentExif(int orientation, bool grandBoutiste = false);
QByteArray JpegOriente(const QImage& stockee, int orientation);
QByteArray PngOriente(const QImage& stockee, int orientation);
QByteArray WebpOriente(const QImage& stockee, int orientation);

struct Bmp {
  Bmp(int l, int h, int b, unsigned c = 0, int e = 40, bool d = false)
      : largeur(l), hauteur(h), bits(b), compression(c), entete(e), descendante(d) {}
  int largeur = 0, hauteur = 0;
  int bits = 24;
  unsigned compression = 0;
  int entete = 40;           // 12, 40, 108 or 124
  bool descendante = false;  // rows top first
  std::vector<unsigned> masques;  // red, green, blue[, alpha] where given
  std::vector<QRgb> palette;
  QByteArray pixels;         // as stored, rows padded
};
QByteArray OctetsBmp(const Bmp& bmp);

struct BlocGif {
  QRect zone;
  std::vector<int> index;  // zone.width() x zone.height(), row by row
  int transparent = -1;
  int delaiCentiemes = 0;
  bool controle = false;   // a graphics control extension precedes it
};
// `ecran` is the logical screen; the palette is shared.
bool EcrireGifBlocs(const QString& chemin, QSize ecran, const std::vector<QRgb>& palette,
                    const std::vector<BlocGif>& blocs);

// A baseline JPEG of any size, its rows drawn one at a time.
bool EcrireJpegLigneALigne(const QString& chemin, int largeur, int hauteur,
                           const std::function<QRgb(int x, int y)>& couleur, int qualite = 50);

bool EcrireOctetsFichier(const QString& chemin, const QByteArray& octets);
QByteArray LireOctetsFichier(const QString& chemin);

}  // namespace plivor::test
