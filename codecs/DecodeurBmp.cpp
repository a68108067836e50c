// Windows and OS/2 bitmaps, read by our own code so that every pixel of the
// result is one the file gives: what a truncated or cut run-length file
// does not give stays transparent, and the picture is said to be damaged.
// 1, 4, 8, 16, 24 and 32 bits, palettes, bit fields with alpha, RLE4 and
// RLE8, bottom-up and top-down.

#include <QFile>
#include <algorithm>
#include <bit>
#include <cstdint>

#include "codecs/Images.h"
#include "codecs/Messages.h"
#include "codecs/Toile.h"

namespace plivor {

namespace {

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kChamps = 3, kChampsAlpha = 6 };

struct Octets {
  const QByteArray& donnees;
  std::uint32_t U16(qsizetype i) const {
    if (i < 0 || i + 2 > donnees.size()) return 0;
    return std::uint8_t(donnees[i]) | std::uint32_t(std::uint8_t(donnees[i + 1])) << 8;
  }
  std::uint32_t U32(qsizetype i) const { return U16(i) | U16(i + 2) << 16; }
  std::int32_t I32(qsizetype i) const { return std::int32_t(U32(i)); }
  int U8(qsizetype i) const { return i >= 0 && i < donnees.size() ? std::uint8_t(donnees[i]) : -1; }
};

// One colour channel given by a mask, scaled to 8 bits.
struct Champ {
  std::uint32_t masque = 0;
  int decalage = 0, bits = 0;
  explicit Champ(std::uint32_t m = 0) : masque(m) {
    if (!m) return;
    decalage = std::countr_zero(m);
    bits = std::min(8, std::popcount(m >> decalage));
  }
  int Valeur(std::uint32_t pixel) const {
    if (!masque) return 255;
    const std::uint32_t v = (pixel & masque) >> decalage;
    const int largeur = std::popcount(masque >> decalage);
    const std::uint32_t maxi = largeur >= 32 ? 0xFFFFFFFFu : (1u << largeur) - 1;
    return int((std::uint64_t(v) * 255 + maxi / 2) / maxi);
  }
};

struct Entete {
  qint64 largeur = 0, hauteur = 0;
  bool descendante = false;  // rows stored top first
  int bits = 0;
  std::uint32_t compression = kRgb;
  qsizetype debutPixels = 0;
  std::vector<QRgb> palette;
  Champ rouge, vert, bleu, alpha;
};

class LecteurBmp {
 public:
  LecteurBmp(const QByteArray& donnees, const QString& chemin) : o_{donnees}, chemin_(chemin) {}
  ImageDecodee Lire(const BesoinImage& besoin);

 private:
  QString LireEntete();
  void LirePalette(qsizetype debut, int taille, int nombre);
  void ChoisirAlpha(qsizetype pas);
  void LireNonCompresse();
  void LireRle();
  QRgb Couleur(std::uint32_t pixel) const;
  int Ligne(qint64 rangee) const { return int(e_.descendante ? rangee : e_.hauteur - 1 - rangee); }

  Octets o_;
  const QString& chemin_;
  Entete e_;
  Toile toile_;
  bool incomplete_ = false;  // the file ends before its pixels do
};

QString LecteurBmp::LireEntete() {
  using namespace messages;
  if (o_.donnees.size() < 26 || !o_.donnees.startsWith("BM")) return Dire(QStringLiteral("Le fichier %1 n'est pas une image BMP."), chemin_);
  e_.debutPixels = qsizetype(o_.U32(10));
  const std::uint32_t taille = o_.U32(14);
  int nombre = 0;
  if (taille == 12) {
    e_.largeur = o_.U16(18);
    e_.hauteur = o_.U16(20);
    e_.bits = int(o_.U16(24));
  } else if (taille >= 40 && taille <= 124) {
    e_.largeur = o_.I32(18);
    const std::int32_t h = o_.I32(22);
    e_.descendante = h < 0;
    e_.hauteur = h < 0 ? -qint64(h) : h;
    e_.bits = int(o_.U16(28));
    e_.compression = o_.U32(30);
    nombre = int(std::min<std::uint32_t>(o_.U32(46), 256));
    const bool champs = e_.compression == kChamps || e_.compression == kChampsAlpha;
    // The masks follow a 40-byte header, or belong to a longer one.
    const qsizetype masques = 14 + 40;
    if (champs) {
      e_.rouge = Champ(o_.U32(masques));
      e_.vert = Champ(o_.U32(masques + 4));
      e_.bleu = Champ(o_.U32(masques + 8));
    }
    if (e_.compression == kChampsAlpha || (taille >= 56 && champs)) {
      e_.alpha = Champ(o_.U32(masques + 12));
    }
  } else {
    return Dire(QStringLiteral("L'image BMP %1 est d'une sorte que Plivor ne sait pas lire."), chemin_);
  }
  if (e_.largeur <= 0 || e_.hauteur <= 0) return Dire(QStringLiteral("L'image BMP %1 est abîmée ou tronquée."), chemin_);
  if (e_.largeur * e_.hauteur > kPixelsMaximum) return TropGrande(chemin_, e_.largeur, e_.hauteur);
  const bool rle = e_.compression == kRle8 || e_.compression == kRle4;
  const bool connu = (e_.compression == kRgb && (e_.bits == 1 || e_.bits == 4 || e_.bits == 8 || e_.bits == 16 ||
                                                 e_.bits == 24 || e_.bits == 32)) ||
                     (e_.compression == kRle8 && e_.bits == 8) || (e_.compression == kRle4 && e_.bits == 4) ||
                     ((e_.compression == kChamps || e_.compression == kChampsAlpha) && (e_.bits == 16 || e_.bits == 32));
  if (!connu || (rle && e_.descendante))
    return Dire(QStringLiteral("L'image BMP %1 est d'une sorte que Plivor ne sait pas lire."), chemin_);
  if (e_.bits <= 8) LirePalette(14 + qsizetype(taille), taille == 12 ? 3 : 4, nombre ? nombre : 1 << e_.bits);
  if (e_.bits == 16 && !e_.rouge.masque) e_.rouge = Champ(0x7C00), e_.vert = Champ(0x03E0), e_.bleu = Champ(0x001F);
  if (e_.bits == 32 && !e_.rouge.masque) e_.rouge = Champ(0xFF0000), e_.vert = Champ(0xFF00), e_.bleu = Champ(0xFF);
  return {};
}

void LecteurBmp::LirePalette(qsizetype debut, int taille, int nombre) {
  for (int i = 0; i < nombre; ++i) {
    const qsizetype p = debut + qsizetype(i) * taille;
    if (p + taille > o_.donnees.size() || p + taille > e_.debutPixels) break;
    e_.palette.push_back(qRgb(o_.U8(p + 2), o_.U8(p + 1), o_.U8(p)));
  }
}

QRgb LecteurBmp::Couleur(std::uint32_t pixel) const {
  if (e_.bits <= 8) return pixel < e_.palette.size() ? e_.palette[pixel] : qRgb(0, 0, 0);
  const int a = e_.alpha.masque ? e_.alpha.Valeur(pixel) : 255;
  return qRgba(e_.rouge.Valeur(pixel), e_.vert.Valeur(pixel), e_.bleu.Valeur(pixel), a);
}

std::uint32_t Pixel(const std::uint8_t* p, int x, int bits) {
  switch (bits) {
    case 1: return (p[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (p[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case 8: return p[x];
    case 16: return p[2 * x] | std::uint32_t(p[2 * x + 1]) << 8;
    case 24: return p[3 * x] | std::uint32_t(p[3 * x + 1]) << 8 | std::uint32_t(p[3 * x + 2]) << 16;
    default:
      return p[4 * x] | std::uint32_t(p[4 * x + 1]) << 8 | std::uint32_t(p[4 * x + 2]) << 16 |
             std::uint32_t(p[4 * x + 3]) << 24;
  }
}

// An alpha channel counts only when some pixel uses it: Windows' own
// programs write alpha in the fourth byte of plain 32-bit pixels, and many
// writers declare an alpha mask they leave at zero.
void LecteurBmp::ChoisirAlpha(qsizetype pas) {
  const std::uint32_t masque = e_.alpha.masque ? e_.alpha.masque : e_.bits == 32 && e_.compression == kRgb ? 0xFF000000u : 0;
  e_.alpha = Champ();
  if (!masque) return;
  for (qint64 r = 0; r < e_.hauteur; ++r) {
    const qsizetype debut = e_.debutPixels + qsizetype(r) * pas;
    if (debut + pas > o_.donnees.size()) break;
    const auto* p = reinterpret_cast<const std::uint8_t*>(o_.donnees.constData() + debut);
    for (int x = 0; x < e_.largeur; ++x)
      if (Pixel(p, x, e_.bits) & masque) {
        e_.alpha = Champ(masque);
        return;
      }
  }
}

void LecteurBmp::LireNonCompresse() {
  const qsizetype pas = qsizetype(((e_.largeur * e_.bits + 31) / 32) * 4);
  if (e_.bits >= 16) ChoisirAlpha(pas);
  for (qint64 r = 0; r < e_.hauteur; ++r) {
    const qsizetype debut = e_.debutPixels + qsizetype(r) * pas;
    if (debut < 0 || debut + pas > o_.donnees.size()) {
      incomplete_ = true;
      return;
    }
    const int y = Ligne(r);
    if (!toile_.PrendLigne(y)) continue;
    QRgb* cible = toile_.Ligne(y);
    const auto* p = reinterpret_cast<const std::uint8_t*>(o_.donnees.constData() + debut);
    for (int x = 0; x < e_.largeur; ++x)
      if (toile_.PrendColonne(x)) {
        const std::uint32_t v = Pixel(p, x, e_.bits);
        cible[x / toile_.k] = e_.bits == 24 ? qRgb(int(v >> 16), int(v >> 8) & 0xFF, int(v & 0xFF)) : Couleur(v);
      }
  }
}

void LecteurBmp::LireRle() {
  const bool quatre = e_.compression == kRle4;
  qsizetype i = e_.debutPixels;
  qint64 x = 0, rangee = 0;
  const auto poser = [&](std::uint32_t index) {
    if (x < e_.largeur && rangee < e_.hauteur) toile_.Poser(int(x), Ligne(rangee), Couleur(index));
    ++x;
  };
  while (rangee < e_.hauteur) {
    const int n = o_.U8(i), v = o_.U8(i + 1);
    if (n < 0 || v < 0) {
      incomplete_ = true;
      return;
    }
    i += 2;
    if (n > 0) {
      for (int j = 0; j < n; ++j) poser(quatre ? std::uint32_t(j & 1 ? v & 0xF : v >> 4) : std::uint32_t(v));
      continue;
    }
    if (v == 0) {
      x = 0, ++rangee;
    } else if (v == 1) {
      return;
    } else if (v == 2) {
      const int dx = o_.U8(i), dy = o_.U8(i + 1);
      if (dx < 0 || dy < 0) {
        incomplete_ = true;
        return;
      }
      i += 2, x += dx, rangee += dy;
    } else {
      // A literal run, padded to a whole word.
      const qsizetype octets = quatre ? (v + 1) / 2 : v;
      if (i + octets > o_.donnees.size()) {
        incomplete_ = true;
        return;
      }
      for (int j = 0; j < v; ++j) {
        const int b = o_.U8(i + (quatre ? j / 2 : j));
        poser(quatre ? std::uint32_t(j & 1 ? b & 0xF : b >> 4) : std::uint32_t(b));
      }
      i += octets + (octets & 1);
    }
  }
}

ImageDecodee LecteurBmp::Lire(const BesoinImage& besoin) {
  if (const QString faute = LireEntete(); !faute.isEmpty()) return {QImage(), faute, {}, {}};
  const QSize naturelle(int(e_.largeur), int(e_.hauteur));
  if (!toile_.Creer(e_.largeur, e_.hauteur, besoin.pixelsPermis))
    return {QImage(), toile_.k > 1 ? messages::TropGrande(chemin_, e_.largeur, e_.hauteur) : messages::Memoire(chemin_), {}, naturelle};
  const bool rle = e_.compression == kRle8 || e_.compression == kRle4;
  if (rle)
    LireRle();
  else
    LireNonCompresse();
  const bool sansAlpha = !rle && !incomplete_ && !e_.alpha.masque;
  ImageDecodee d{toile_.Finie(sansAlpha), {}, {}, naturelle};
  if (incomplete_)
    d.avertissement = messages::Dire(QStringLiteral("L'image BMP %1 est tronquée : seule la partie lue est montrée."), chemin_);
  return d;
}

}  // namespace

ImageDecodee DecoderBmp(const QString& chemin, const BesoinImage& besoin) {
  QFile fichier(chemin);
  if (!fichier.open(QIODevice::ReadOnly)) return {QImage(), messages::NonOuvert(chemin), {}, {}};
  // Bitmaps are read whole: the largest one allowed is a few hundred
  // megabytes, and a file larger than its header says is cut there.
  const QByteArray donnees = fichier.read(std::min<qint64>(fichier.size(), kPixelsMaximum * 4 + (1 << 20)));
  return LecteurBmp(donnees, chemin).Lire(besoin);
}

}  // namespace plivor
