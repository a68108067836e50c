#include "support/FichiersImages.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gif_lib.h>

#include "codecs/Encodeurs.h"

namespace plivor::test {

namespace {

void Petit16(QByteArray& o, unsigned v) { o.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
void Petit32(QByteArray& o, unsigned v) { Petit16(o, v & 0xFFFF), Petit16(o, v >> 16); }
void Grand16(QByteArray& o, unsigned v) { o.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF)); }
void Grand32(QByteArray& o, unsigned v) { Grand16(o, v >> 16), Grand16(o, v & 0xFFFF); }

unsigned Crc32(const QByteArray& octets) {
  unsigned crc = 0xFFFFFFFFu;
  for (const char c : octets) {
    crc ^= unsigned(quint8(c));
    for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
  }
  return crc ^ 0xFFFFFFFFu;
}

QByteArray Tiff(int orientation, bool grand) {
  QByteArray t;
  const auto e16 = [&](unsigned v) { grand ? Grand16(t, v) : Petit16(t, v); };
  const auto e32 = [&](unsigned v) { grand ? Grand32(t, v) : Petit32(t, v); };
  t.append(grand ? "MM" : "II");
  e16(42), e32(8);
  // IFD0: a dummy entry first, then the orientation, SHORT, count 1.
  e16(2);
  e16(0x010F), e16(2), e32(1), e32(0);
  e16(0x0112), e16(3), e32(1), e16(unsigned(orientation)), e16(0);
  e32(0);
  return t;
}

QByteArray Encoder(const QImage& image, const char* format) {
  QByteArray octets;
  QBuffer tampon(&octets);
  tampon.open(QIODevice::WriteOnly);
  image.save(&tampon, format, format == QByteArray("webp") ? 100 : -1);
  return octets;
}

}  // namespace

QImage Stockee(const QImage& droite, int o) {
  const int l = droite.width(), h = droite.height();
  const bool tourne = o >= 5;
  QImage s(tourne ? h : l, tourne ? l : h, droite.format());
  for (int ys = 0; ys < s.height(); ++ys)
    for (int xs = 0; xs < s.width(); ++xs) {
      int xu = xs, yu = ys;
      switch (o) {
        case 2: xu = l - 1 - xs; break;
        case 3: xu = l - 1 - xs, yu = h - 1 - ys; break;
        case 4: yu = h - 1 - ys; break;
        case 5: xu = ys, yu = xs; break;            // row 0 left, column 0 top
        case 6: xu = l - 1 - ys, yu = xs; break;    // row 0 right, column 0 top
        case 7: xu = l - 1 - ys, yu = h - 1 - xs; break;  // right, bottom
        case 8: xu = ys, yu = h - 1 - xs; break;    // left, bottom
        default: break;
      }
      s.setPixel(xs, ys, droite.pixel(xu, yu));
    }
  return s;
}

QByteArray SegmentExif(int orientation, bool grand) { return QByteArray("Exif\0\0", 6) + Tiff(orientation, grand); }

QByteArray JpegOriente(const QImage& stockee, int orientation) {
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("a.jpg"));
  EcrireJpeg(chemin, stockee, 95);
  QByteArray jpeg = LireOctetsFichier(chemin);
  const QByteArray exif = SegmentExif(orientation, orientation % 2 == 0);
  QByteArray app1("\xFF\xE1", 2);
  Grand16(app1, unsigned(exif.size() + 2));
  app1 += exif;
  jpeg.insert(2, app1);
  return jpeg;
}

QByteArray PngOriente(const QImage& stockee, int orientation) {
  QByteArray png = Encoder(stockee, "png");
  const QByteArray corps = QByteArray("eXIf") + Tiff(orientation, false);
  QByteArray morceau;
  Grand32(morceau, unsigned(corps.size() - 4));
  morceau += corps;
  Grand32(morceau, Crc32(corps));
  png.insert(8 + 8 + 13 + 4, morceau);  // after IHDR
  return png;
}

QByteArray WebpOriente(const QImage& stockee, int orientation) {
  const QByteArray simple = Encoder(stockee, "webp");
  QByteArray corps("WEBP");
  corps += "VP8X";
  Petit32(corps, 10);
  corps.append(char(0x08)).append(QByteArray(3, '\0'));
  const unsigned l = unsigned(stockee.width() - 1), h = unsigned(stockee.height() - 1);
  corps.append(char(l & 0xFF)).append(char((l >> 8) & 0xFF)).append(char(l >> 16));
  corps.append(char(h & 0xFF)).append(char((h >> 8) & 0xFF)).append(char(h >> 16));
  corps += simple.mid(12);  // the picture's own chunk
  const QByteArray exif = Tiff(orientation, false);
  corps += "EXIF";
  Petit32(corps, unsigned(exif.size()));
  corps += exif;
  if (exif.size() % 2) corps.append('\0');
  QByteArray webp("RIFF");
  Petit32(webp, unsigned(corps.size()));
  return webp + corps;
}

QByteArray OctetsBmp(const Bmp& b) {
  QByteArray entete;
  if (b.entete == 12) {
    Petit32(entete, 12), Petit16(entete, unsigned(b.largeur)), Petit16(entete, unsigned(b.hauteur));
    Petit16(entete, 1), Petit16(entete, unsigned(b.bits));
  } else {
    Petit32(entete, unsigned(b.entete)), Petit32(entete, unsigned(b.largeur));
    Petit32(entete, unsigned(b.descendante ? -b.hauteur : b.hauteur));
    Petit16(entete, 1), Petit16(entete, unsigned(b.bits)), Petit32(entete, b.compression);
    Petit32(entete, unsigned(b.pixels.size())), Petit32(entete, 2835), Petit32(entete, 2835);
    Petit32(entete, unsigned(b.palette.size())), Petit32(entete, 0);
    if (b.entete > 40) {
      for (int i = 0; i < 4; ++i) Petit32(entete, i < int(b.masques.size()) ? b.masques[size_t(i)] : 0);
      entete.append(QByteArray(b.entete - 56, '\0'));
    } else {
      for (const unsigned m : b.masques) Petit32(entete, m);
    }
  }
  QByteArray palette;
  for (const QRgb c : b.palette) {
    palette.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
    if (b.entete != 12) palette.append('\0');
  }
  QByteArray o("BM");
  const unsigned debut = unsigned(14 + entete.size() + palette.size());
  Petit32(o, debut + unsigned(b.pixels.size())), Petit32(o, 0), Petit32(o, debut);
  return o + entete + palette + b.pixels;
}

bool EcrireGifBlocs(const QString& chemin, QSize ecran, const std::vector<QRgb>& palette,
                    const std::vector<BlocGif>& blocs) {
  int erreur = 0;
  GifFileType* gif = EGifOpenFileName(QFile::encodeName(chemin).constData(), false, &erreur);
  if (!gif) return false;
  std::vector<GifColorType> couleurs(256);
  for (size_t i = 0; i < palette.size() && i < 256; ++i)
    couleurs[i] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])), GifByteType(qBlue(palette[i]))};
  ColorMapObject* carte = GifMakeMapObject(256, couleurs.data());
  EGifSetGifVersion(gif, true);
  bool bon = EGifPutScreenDesc(gif, ecran.width(), ecran.height(), 8, 0, carte) == GIF_OK;
  for (const BlocGif& bloc : blocs) {
    if (bloc.controle) {
      GraphicsControlBlock gcb{};
      gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
      gcb.DelayTime = bloc.delaiCentiemes;
      gcb.TransparentColor = bloc.transparent;
      GifByteType extension[4];
      EGifGCBToExtension(&gcb, extension);
      bon = bon && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
    }
    const QRect& z = bloc.zone;
    bon = bon && EGifPutImageDesc(gif, z.x(), z.y(), z.width(), z.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> ligne(size_t(z.width()));
    for (int y = 0; bon && y < z.height(); ++y) {
      for (int x = 0; x < z.width(); ++x) ligne[size_t(x)] = GifPixelType(bloc.index[size_t(y * z.width() + x)]);
      bon = EGifPutLine(gif, ligne.data(), z.width()) == GIF_OK;
    }
  }
  GifFreeMapObject(carte);
  return EGifCloseFile(gif, &erreur) == GIF_OK && bon;
}

bool EcrireJpegLigneALigne(const QString& chemin, int largeur, int hauteur,
                           const std::function<QRgb(int x, int y)>& couleur, int qualite) {
  return EcrireJpegParLignes(chemin, largeur, hauteur, [&](int y, unsigned char* rgb) {
    for (int x = 0; x < largeur; ++x) {
      const QRgb c = couleur(x, y);
      rgb[3 * x] = static_cast<unsigned char>(qRed(c));
      rgb[3 * x + 1] = static_cast<unsigned char>(qGreen(c));
      rgb[3 * x + 2] = static_cast<unsigned char>(qBlue(c));
    }
  }, qualite);
}

bool EcrireOctetsFichier(const QString& chemin, const QByteArray& octets) {
  QFile f(chemin);
  return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
}

QByteArray LireOctetsFichier(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace plivor::test
