#include "projection/PreparationImage.h"

#include <QGuiApplication>
#include <QPalette>

#include <QPainter>
#include <cmath>

#include "projection/Pinceau.h"
#include <algorithm>

namespace plivor {

namespace {

// The system colours by their index after 0x80000000, taken from the
// platform's palette: clScrollBar, clBackground, clActiveCaption, ...
QColor CouleurSysteme(unsigned index) {
  using R = QPalette::ColorRole;
  struct Role {
    QPalette::ColorGroup groupe;
    R role;
  };
  static constexpr Role kRoles[] = {
      {QPalette::Active, R::Button},          {QPalette::Active, R::Dark},
      {QPalette::Active, R::Highlight},       {QPalette::Inactive, R::Highlight},
      {QPalette::Active, R::Window},          {QPalette::Active, R::Base},
      {QPalette::Active, R::Shadow},          {QPalette::Active, R::WindowText},
      {QPalette::Active, R::Text},            {QPalette::Active, R::HighlightedText},
      {QPalette::Active, R::Window},          {QPalette::Inactive, R::Window},
      {QPalette::Active, R::Dark},            {QPalette::Active, R::Highlight},
      {QPalette::Active, R::HighlightedText}, {QPalette::Active, R::Button},
      {QPalette::Active, R::Mid},             {QPalette::Disabled, R::Text},
      {QPalette::Active, R::ButtonText},      {QPalette::Inactive, R::HighlightedText},
      {QPalette::Active, R::Light},           {QPalette::Active, R::Shadow},
      {QPalette::Active, R::Midlight},        {QPalette::Active, R::ToolTipText},
      {QPalette::Active, R::ToolTipBase}};
  if (index >= std::size(kRoles)) return Qt::black;
  const QPalette palette = QGuiApplication::palette();
  return palette.color(kRoles[index].groupe, kRoles[index].role);
}

}  // namespace

QColor VersQColor(Couleur c) {
  if (c & kCouleurSysteme) return CouleurSysteme(c & 0xFF);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

Couleur DepuisQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

void CopierTransparent(QImage& destination, QPoint origine, const QImage& image, Couleur cle) {
  Pinceau(destination, image, origine, cle).Tout();
}

namespace {

QImage Remplie(Taille t, Couleur couleur) {
  QImage image(std::max(t.l, 1), std::max(t.h, 1), QImage::Format_RGB32);
  image.fill(VersQColor(couleur));
  return image;
}


Taille EnPixels(Taille t, double echelle) {
  if (echelle == 1.0) return t;
  return {std::max(1, int(std::lround(t.l * echelle))), std::max(1, int(std::lround(t.h * echelle)))};
}

QImage AuxPixels(const QImage& image, Taille t) {
  if (image.width() == t.l && image.height() == t.h) return image;
  return image.scaled(t.l, t.h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The fit is made in window pixels, the picture in paint-box pixels: at a
// larger scale a small picture keeps its place in the slide.
QImage Ajuster(const QImage& image, const ReglagesDiapo& r, Taille& travail) {
  const Taille naturelle{image.width(), image.height()};
  const Taille diapo = r.diapo;
  const bool tient = diapo.l >= naturelle.l && diapo.h >= naturelle.h;
  travail = EnPixels(tient ? naturelle : TailleImageAjustee(naturelle, diapo), r.echelle);
  return AuxPixels(image, travail);
}

// The picture imagined centred on the paint box; the slide cuts out what lies
// under it. Parts outside the picture keep the slide colour.
QImage Decouper(const QImage& image, Taille& diapo, const ReglagesDiapo& r,
                const PlacerDiapo& placerDiapo) {
  diapo = {std::min(diapo.l, image.width()), std::min(diapo.h, image.height())};
  const Place place = placerDiapo(diapo);
  const int x = place.x + (image.width() - r.pbox.l) / 2;
  const int y = place.y + (image.height() - r.pbox.h) / 2;
  QImage travail = Remplie(diapo, r.couleurDiapo);
  QPainter peintre(&travail);
  peintre.drawImage(QPoint(0, 0), image, QRect(x, y, diapo.l, diapo.h));
  peintre.end();
  return AuxPixels(travail, EnPixels(diapo, r.echelle));
}

}  // namespace

// Scaled picture: narrowed to the slide width, then lowered to its height.
Taille TailleImageAjustee(Taille image, Taille diapo) {
  Taille t = image;
  if (diapo.l < image.l) t = {diapo.l, MulDiv(diapo.l, image.h, image.l)};
  if (diapo.h < t.h) t = {MulDiv(t.l, diapo.h, t.h), diapo.h};
  return {std::max(t.l, 1), std::max(t.h, 1)};
}

namespace {

// A transparent picture shows the slide ground through it. Under a key
// colour the file's own colours stay, transparent pixels included, so that
// the key keeps its meaning of old.
QImage SansAlpha(const QImage& image, const ReglagesDiapo& r) {
  if (!image.hasAlphaChannel()) return image;
  if (!r.opaque) return image.convertToFormat(QImage::Format_RGB32);
  QImage plate(image.size(), QImage::Format_RGB32);
  plate.fill(VersQColor(r.couleurDiapo));
  QPainter peintre(&plate);
  peintre.drawImage(QPoint(0, 0), image);
  return plate;
}

}  // namespace

ImagePreparee PreparerImage(QImage image, const ReglagesDiapo& r, const PlacerDiapo& placerDiapo) {
  image = SansAlpha(image, r);
  ImagePreparee p;
  p.diapo = r.diapo;
  QImage travail = r.decoupee ? Decouper(image, p.diapo, r, placerDiapo) : Ajuster(image, r, p.travail);
  image = QImage();
  if (r.decoupee) p.travail = {travail.width(), travail.height()};
  if (!r.opaque) p.couleurTransparente = DepuisQColor(travail.pixelColor(0, travail.height() - 1));
  p.avecFond = !r.sansFond && r.opaque;
  if (!p.avecFond) {
    p.photo = travail.convertToFormat(QImage::Format_RGB32);
    return p;
  }
  const Taille diapo = EnPixels(p.diapo, r.echelle);
  p.photo = Remplie(diapo, r.couleurDiapo);
  QPainter peintre(&p.photo);
  peintre.drawImage(QPoint((diapo.l - p.travail.l) / 2, (diapo.h - p.travail.h) / 2), travail);
  return p;
}

}  // namespace plivor
