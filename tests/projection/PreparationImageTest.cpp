#include <gtest/gtest.h>

#include "projection/PreparationImage.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::Proche;
using test::Quadrants;
using test::Unie;

constexpr Couleur kFond = RGB(60, 0, 0);

ReglagesDiapo Reglages(Taille diapo) {
  ReglagesDiapo r;
  r.diapo = diapo;
  r.pbox = {780, 580};
  r.couleurDiapo = kFond;
  return r;
}

PlacerDiapo AuCentre(Taille pbox) {
  return [pbox](Taille diapo) { return Place{(pbox.l - diapo.l) / 2, (pbox.h - diapo.h) / 2}; };
}

QColor Pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

TEST(PreparationImage, UneImagePetiteResteEntiereAuCentreDuFond) {
  const auto p = PreparerImage(Quadrants(100, 60), Reglages({400, 300}), AuCentre({780, 580}));
  EXPECT_EQ(p.photo.size(), QSize(400, 300));
  EXPECT_EQ(p.travail, (Taille{100, 60}));
  EXPECT_TRUE(p.avecFond);
  // The picture sits at (150, 120) unscaled; the rest is the slide colour.
  EXPECT_EQ(Pixel(p.photo, 0, 0), VersQColor(kFond));
  EXPECT_EQ(Pixel(p.photo, 149, 150), VersQColor(kFond));
  EXPECT_EQ(Pixel(p.photo, 150, 120), QColor(255, 0, 0));
  EXPECT_EQ(Pixel(p.photo, 249, 179), QColor(255, 255, 0));
  EXPECT_EQ(Pixel(p.photo, 250, 179), VersQColor(kFond));
}

TEST(PreparationImage, UneImageLargeSeRameneALaLargeur) {
  const auto p = PreparerImage(Quadrants(800, 200), Reglages({400, 300}), AuCentre({780, 580}));
  EXPECT_EQ(p.travail, (Taille{400, 100}));
  EXPECT_EQ(p.photo.size(), QSize(400, 300));
  EXPECT_TRUE(Proche(Pixel(p.photo, 10, 110), QColor(255, 0, 0)));
  EXPECT_TRUE(Proche(Pixel(p.photo, 390, 190), QColor(255, 255, 0)));
  EXPECT_EQ(Pixel(p.photo, 200, 99), VersQColor(kFond));
  EXPECT_EQ(Pixel(p.photo, 200, 200), VersQColor(kFond));
}

TEST(PreparationImage, UneImageHauteSeRameneALaHauteur) {
  const auto p = PreparerImage(Quadrants(150, 600), Reglages({400, 300}), AuCentre({780, 580}));
  EXPECT_EQ(p.travail, (Taille{75, 300}));
  EXPECT_TRUE(Proche(Pixel(p.photo, 163, 5), QColor(255, 0, 0)));
  EXPECT_TRUE(Proche(Pixel(p.photo, 236, 295), QColor(255, 255, 0)));
  EXPECT_EQ(Pixel(p.photo, 161, 150), VersQColor(kFond));
}

TEST(PreparationImage, DeuxReductionsGardentLesProportionsEtFinissentALaHauteur) {
  // 1000 x 900 into 400 x 300: 400 x 360 first, then 333 x 300.
  const auto p = PreparerImage(Quadrants(1000, 900), Reglages({400, 300}), AuCentre({780, 580}));
  EXPECT_EQ(p.travail, (Taille{333, 300}));
  EXPECT_EQ(p.photo.size(), QSize(400, 300));
}

TEST(PreparationImage, SansFondLaPhotoNeTientQueLImage) {
  ReglagesDiapo r = Reglages({400, 300});
  r.sansFond = true;
  const auto p = PreparerImage(Quadrants(100, 60), r, AuCentre({780, 580}));
  EXPECT_FALSE(p.avecFond);
  EXPECT_EQ(p.photo.size(), QSize(100, 60));
}

TEST(PreparationImage, UneImageTransparenteDonneSaCouleurCle) {
  ReglagesDiapo r = Reglages({400, 300});
  r.opaque = false;
  const auto p = PreparerImage(Quadrants(100, 60), r, AuCentre({780, 580}));
  EXPECT_FALSE(p.avecFond);
  EXPECT_EQ(p.couleurTransparente, RGB(0, 0, 255));  // bottom-left pixel
}

TEST(PreparationImage, LaDecoupeSuitLaPlaceDeLaDiapo) {
  // A 780 x 580 picture centred on a 780 x 580 paint box; a 200 x 100 slide
  // at the top left cuts out the picture's own top left.
  ReglagesDiapo r = Reglages({200, 100});
  r.decoupee = true;
  const auto p = PreparerImage(Quadrants(780, 580), r, [](Taille) { return Place{0, 0}; });
  EXPECT_EQ(p.photo.size(), QSize(200, 100));
  EXPECT_EQ(Pixel(p.photo, 0, 0), QColor(255, 0, 0));
  EXPECT_EQ(Pixel(p.photo, 199, 99), QColor(255, 0, 0));
  // Placed at the bottom right, it cuts out yellow.
  const auto q = PreparerImage(Quadrants(780, 580), r, [](Taille) { return Place{580, 480}; });
  EXPECT_EQ(Pixel(q.photo, 100, 50), QColor(255, 255, 0));
}

TEST(PreparationImage, LaDecoupeReduitLaDiapoALImage) {
  ReglagesDiapo r = Reglages({400, 300});
  r.decoupee = true;
  Taille vue;
  const auto p = PreparerImage(Quadrants(100, 500), r, [&vue](Taille d) {
    vue = d;
    return Place{0, 0};
  });
  EXPECT_EQ(p.diapo, (Taille{100, 300}));
  EXPECT_EQ(vue, (Taille{100, 300}));
  // Outside the picture the slide colour shows.
  EXPECT_EQ(Pixel(p.photo, 50, 0), VersQColor(kFond));
}

TEST(PreparationImage, UneDiapoNulleNePlantePas) {
  const auto p = PreparerImage(Quadrants(100, 60), Reglages({0, 0}), AuCentre({780, 580}));
  EXPECT_FALSE(p.photo.isNull());
}

TEST(CopierTransparent, LaCouleurCleNeSeDessinePas) {
  QImage fond = Unie(10, 10, Qt::white);
  QImage motif = Unie(4, 4, Qt::green);
  motif.setPixelColor(1, 1, Qt::red);
  CopierTransparent(fond, QPoint(8, 8), motif, RGB(0, 255, 0));
  EXPECT_EQ(fond.pixelColor(8, 8), QColor(Qt::white));
  EXPECT_EQ(fond.pixelColor(9, 9), QColor(Qt::red));
}

}  // namespace
}  // namespace plivor
