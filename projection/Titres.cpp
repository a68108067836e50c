// Titles: the title picture, the capture of what lies under its letters,
// and the mask slide.
//
// Letters are antialiased. The title picture keeps the letters' coverage as
// its alpha over a white ground of alpha 0, so that its edges blend into the
// slide instead of leaving a fringe of the white key; the capture is opaque
// wherever a letter touches a pixel, so erasing restores every such pixel.
// Both carry their transparency in their alpha, so a captured pixel of the
// ground's own green is kept, not keyed out.

#include <QFontMetrics>
#include <QPainter>
#include <functional>

#include "platform/Polices.h"
#include "projection/PreparationImage.h"
#include "projection/TFVue.h"

namespace plivor {

namespace {

constexpr QRgb kFondTitre = 0x00FFFFFF;    // white, transparent
constexpr QRgb kFondCapture = 0x0000FF00;  // RGB(0,255,0), transparent

// Coverage of the letters written at (marge, 0): 0 outside, 255 inside.
QImage Couverture(QSize taille, const QFont& police, const QString& texte, int marge) {
  QImage masque(taille, QImage::Format_ARGB32);
  masque.fill(Qt::transparent);
  QPainter peintre(&masque);
  peintre.setRenderHint(QPainter::TextAntialiasing);
  peintre.setFont(police);
  peintre.setPen(Qt::black);
  peintre.drawText(QPoint(marge, QFontMetrics(police).ascent()), texte);
  return masque;
}

// The pixel size at which `mesure` of the text reaches `limite`: the
// proportional size first, then adjusted by whole pixels, since hinted
// letters do not scale exactly.
int TailleAjustee(int taille, int limite, const std::function<int(int)>& mesure) {
  const int n = mesure(taille);
  if (n <= limite || n <= 0) return taille;
  int ajustee = std::max(1, int(qint64(limite) * taille / n));
  for (int pas = 0; pas < 16 && ajustee < taille && mesure(ajustee + 1) <= limite; ++pas) ++ajustee;
  while (ajustee > 1 && mesure(ajustee) > limite) --ajustee;
  return ajustee;
}

}  // namespace

void TFVue::Titrer(const Texte& texte) {
  Titre = QImage();
  XTitre = QImage();
  const QString ecrit = TexteEcran(texte);
  const Texte nom = PoliceNom(FonteTitre, [](const Texte& famille) {
    return PoliceInstalleeSurEcran(TexteEcran(famille));
  });
  const int style = PoliceStyle(FonteTitre);
  int taille = PoliceTaille(FonteTitre);
  if (taille <= 0) taille = 128;
  if (LargeurDiapo == 0 || HauteurDiapo == 0) {
    const Taille t = TailleCode(CodeDiapo).taille;
    LargeurDiapo = t.l;
    HauteurDiapo = t.h;
  }
  const Taille format = TailleCode(CodeDiapo).taille;
  const QString famille = TexteEcran(nom);
  // Width, then height, brought within 23/24 of the slide format; the size
  // is a pixel height, measured as it will be drawn.
  const auto largeur = [&](int t) { return QFontMetrics(PoliceDeTitre(famille, style, t)).horizontalAdvance(ecrit); };
  const auto hauteur = [&](int t) { return QFontMetrics(PoliceDeTitre(famille, style, t)).height(); };
  taille = TailleAjustee(taille, format.l * 23 / 24, largeur);
  taille = TailleAjustee(taille, format.h * 23 / 24, hauteur);
  // Sized in window pixels, drawn in the paint box's.
  const QFont police = PoliceDeTitre(famille, style, std::max(1, EnPixels(taille)));
  const QFontMetrics mesure(police);
  const QSize tailleTitre(std::max(1, mesure.horizontalAdvance(ecrit) + EnPixels(4)), std::max(1, mesure.height()));

  Titre = QImage(tailleTitre, QImage::Format_ARGB32);  // its size places it
  const Place diapo = PositionDe(CodeDiapo);
  const Place place = PositionDe(CodeTitre);
  const QRect zone(EnPixels(QPoint(diapo.x + place.x, diapo.y + place.y)), tailleTitre);

  const QImage couverture = Couverture(tailleTitre, police, ecrit, EnPixels(2));
  // Without a paint box there is nothing under the title to keep.
  QImage dessous = PBox.isNull() ? QImage() : PBox.copy(zone).convertToFormat(QImage::Format_RGB32);
  if (dessous.size() != tailleTitre) {
    dessous = QImage(tailleTitre, QImage::Format_RGB32);
    dessous.fill(Qt::black);
  }
  const QRgb couleur = VersQColor(CouleurTitre).rgb() & 0xFFFFFF;
  // Letters of the ground's own colour cannot be told from it: none show.
  const bool invisible = couleur == (kFondTitre & 0xFFFFFF);
  XTitre = QImage(tailleTitre, QImage::Format_ARGB32);
  for (int y = 0; y < tailleTitre.height(); ++y) {
    const auto* c = reinterpret_cast<const QRgb*>(couverture.constScanLine(y));
    const auto* d = reinterpret_cast<const QRgb*>(dessous.constScanLine(y));
    auto* t = reinterpret_cast<QRgb*>(Titre.scanLine(y));
    auto* x = reinterpret_cast<QRgb*>(XTitre.scanLine(y));
    for (int i = 0; i < tailleTitre.width(); ++i) {
      const int a = qAlpha(c[i]);
      t[i] = a && !invisible ? (QRgb(a) << 24) | couleur : kFondTitre;
      x[i] = a ? d[i] | 0xFF000000 : kFondCapture;
    }
  }
}

void TFVue::MasquerTitre() {
  if (XTitre.isNull()) return;
  const Place p = PositionDe(CodeTitre);
  CopierTransparent(Photo, EnPixels(QPoint(p.x, p.y)), XTitre, DepuisQColor(XTitre.pixelColor(0, XTitre.height() - 1)));
}

}  // namespace plivor
