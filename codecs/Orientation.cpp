#include "codecs/Orientation.h"

#include <QTransform>
#include <algorithm>
#include <cstdint>

namespace plivor {

namespace {

// A bounded reader of the TIFF structure inside the segment: every offset
// is checked against what is there.
struct Tiff {
  std::string_view octets;
  bool petit = true;  // "II": little-endian

  bool Lire16(std::size_t i, std::uint16_t& v) const {
    if (i > octets.size() || octets.size() - i < 2) return false;
    const auto a = std::uint8_t(octets[i]), b = std::uint8_t(octets[i + 1]);
    v = petit ? std::uint16_t(a | b << 8) : std::uint16_t(a << 8 | b);
    return true;
  }
  bool Lire32(std::size_t i, std::uint32_t& v) const {
    std::uint16_t h = 0, l = 0;
    if (!Lire16(i, petit ? l : h) || !Lire16(i + 2, petit ? h : l)) return false;
    v = std::uint32_t(h) << 16 | l;
    return true;
  }
};

constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTypeShort = 3;

}  // namespace

int OrientationExif(std::string_view app1) {
  constexpr std::string_view kEntete("Exif\0\0", 6);
  if (app1.substr(0, 6) != kEntete) return 1;
  return OrientationTiff(app1.substr(6));
}

int OrientationTiff(std::string_view structure) {
  Tiff tiff{structure};
  const std::string_view ordre = tiff.octets.substr(0, 2);
  if (ordre == "MM")
    tiff.petit = false;
  else if (ordre != "II")
    return 1;
  std::uint16_t magique = 0;
  std::uint32_t ifd = 0;
  if (!tiff.Lire16(2, magique) || magique != 42 || !tiff.Lire32(4, ifd)) return 1;
  std::uint16_t entrees = 0;
  if (!tiff.Lire16(ifd, entrees)) return 1;
  for (std::uint32_t n = 0; n < entrees; ++n) {
    const std::size_t entree = std::size_t(ifd) + 2 + 12 * std::size_t(n);
    std::uint16_t tag = 0, type = 0, valeur = 0;
    if (!tiff.Lire16(entree, tag) || !tiff.Lire16(entree + 2, type)) return 1;
    if (tag != kTagOrientation) continue;
    if (type != kTypeShort || !tiff.Lire16(entree + 8, valeur)) return 1;
    return valeur >= 1 && valeur <= 8 ? valeur : 1;
  }
  return 1;
}

bool OrientationTourne(int orientation) { return orientation >= 5 && orientation <= 8; }

QSize TailleRedressee(QSize stockee, int orientation) {
  return OrientationTourne(orientation) ? stockee.transposed() : stockee;
}

QImage Redresser(const QImage& stockee, int orientation) {
  switch (orientation) {
    case 2: return stockee.mirrored(true, false);
    case 3: return stockee.transformed(QTransform().rotate(180));
    case 4: return stockee.mirrored(false, true);
    case 5: return stockee.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return stockee.transformed(QTransform().rotate(90));
    case 7: return stockee.transformed(QTransform().rotate(270)).mirrored(true, false);
    case 8: return stockee.transformed(QTransform().rotate(270));
    default: return stockee;
  }
}

}  // namespace plivor

namespace plivor {

void PoserLigneRedressee(QImage& droite, int y, const QRgb* ligne, QSize stockee, int orientation) {
  const int l = stockee.width(), h = stockee.height();
  if (orientation <= 4 || orientation > 8) {
    const bool miroirX = orientation == 2 || orientation == 3;
    const bool miroirY = orientation == 3 || orientation == 4;
    auto* cible = reinterpret_cast<QRgb*>(droite.scanLine(miroirY ? h - 1 - y : y));
    for (int x = 0; x < l; ++x) cible[miroirX ? l - 1 - x : x] = ligne[x];
    return;
  }
  // Orientations 5 to 8: the stored row becomes a column of the upright
  // picture, read downwards (5, 6) or upwards (7, 8).
  const int colonne = orientation == 5 || orientation == 8 ? y : h - 1 - y;
  const bool montante = orientation == 7 || orientation == 8;
  const qsizetype pas = droite.bytesPerLine();
  uchar* base = droite.bits() + qsizetype(colonne) * 4;
  for (int x = 0; x < l; ++x) {
    const int rangee = montante ? l - 1 - x : x;
    *reinterpret_cast<QRgb*>(base + rangee * pas) = ligne[x];
  }
}

void PoserBlocRedresse(QImage& droite, int y, const QRgb* lignes, int nombre, QSize stockee, int orientation) {
  const int l = stockee.width(), h = stockee.height();
  if (orientation <= 4 || orientation > 8) {
    for (int r = 0; r < nombre; ++r) PoserLigneRedressee(droite, y + r, lignes + qsizetype(r) * l, stockee, orientation);
    return;
  }
  // Stored row y + r lands in column c(y + r) of each upright row; the
  // block's rows fill a run of neighbouring columns there. Taken a tile of
  // kTuile stored columns at a time, the reads stay within a few cache
  // lines and the writes go to kTuile rows at once.
  constexpr int kTuile = 16;
  const bool descendante = orientation == 5 || orientation == 8;  // column grows with y
  const bool montante = orientation == 7 || orientation == 8;
  const qsizetype pas = droite.bytesPerLine();
  uchar* const bits = droite.bits();
  QRgb* rangees[kTuile];
  for (int x0 = 0; x0 < l; x0 += kTuile) {
    const int n = std::min(kTuile, l - x0);
    for (int i = 0; i < n; ++i) {
      const int x = x0 + i;
      rangees[i] = reinterpret_cast<QRgb*>(bits + qsizetype(montante ? l - 1 - x : x) * pas);
    }
    for (int r = 0; r < nombre; ++r) {
      const QRgb* source = lignes + qsizetype(r) * l + x0;
      const int colonne = descendante ? y + r : h - 1 - y - r;
      for (int i = 0; i < n; ++i) rangees[i][colonne] = source[i];
    }
  }
}

}  // namespace plivor
