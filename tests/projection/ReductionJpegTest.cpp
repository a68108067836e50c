// A large JPEG is decoded reduced for its slide: the prepared picture stays
// that of a full-scale decode fitted to the slide.

#include <gtest/gtest.h>

#include <cmath>

#include "codecs/Images.h"
#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

// Smooth gradients with fine detail, as in a photograph.
QImage Photographie(int l, int h) {
  QImage image(l, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < l; ++x)
      image.setPixel(x, y, qRgb(x * 255 / l, y * 255 / h, 128 + ((x / 3 + y / 5) % 7) * 10));
  return image;
}

double Psnr(const QImage& a, const QImage& b) {
  double somme = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int r = qRed(p) - qRed(q), g = qGreen(p) - qGreen(q), v = qBlue(p) - qBlue(q);
      somme += r * r + g * g + v * v;
    }
  const double mse = somme / (3.0 * a.width() * a.height());
  return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// A projection whose slide is the whole 400 x 300 paint box.
class ReductionJpeg : public testing::Test {
 protected:
  ReductionJpeg() : banc(QSize(400, 300)) {
    vue().CodeFenetre = 380;
    vue().CadreFenetre = vue().MargeFenetre = 0;
    vue().Rafraichir();
    vue().CodeDiapo = 470;
  }
  TFVue& vue() { return *banc.vue; }
  // The picture of a full-scale decode, fitted as the projection fits.
  QImage PleineEchelle(const QString& chemin) {
    ReglagesDiapo reglages;
    reglages.diapo = {vue().LargeurDiapo, vue().HauteurDiapo};
    reglages.pbox = {vue().PBox.width(), vue().PBox.height()};
    reglages.couleurDiapo = vue().CouleurDiapo;
    return PreparerImage(DecoderJpeg(chemin).image, reglages, [](Taille) { return Place{0, 0}; }).photo;
  }
  test::BancVue banc;
};

TEST_F(ReductionJpeg, UneGrandeImageReduiteResteCelleDuDecodagePleineEchelle) {
  ASSERT_TRUE(test::EcrireJpeg(banc.CheminHote("grande.jpg"), Photographie(1600, 1200), 90));
  vue().Charger(banc.Chemin("grande.jpg"));
  ASSERT_EQ(vue().LargeurDiapo, 400);
  ASSERT_EQ(vue().HauteurDiapo, 300);
  const QImage attendue = PleineEchelle(banc.CheminHote("grande.jpg"));
  ASSERT_EQ(vue().Photo.size(), attendue.size());
  EXPECT_GE(Psnr(vue().Photo, attendue), 40.0);
  // Not the same pixels to the last bit: the reduced decode served.
  EXPECT_NE(vue().Photo, attendue);
}

// Reduced by half, it would be barely larger than it is shown: the fit
// would have nothing to average.
TEST_F(ReductionJpeg, UneImageQueLaReductionLaisseraitAPeinePlusGrandeQueSaPlaceGardeLeDecodagePleineEchelle) {
  ASSERT_TRUE(test::EcrireJpeg(banc.CheminHote("moyenne.jpg"), Photographie(900, 675), 90));
  vue().Charger(banc.Chemin("moyenne.jpg"));
  EXPECT_EQ(vue().Photo, PleineEchelle(banc.CheminHote("moyenne.jpg")));
}

// Standing on a wide slide, a photo is shown narrow: it is reduced for the
// width it is shown with, not for the slide's.
TEST_F(ReductionJpeg, UnePhotoDeboutSeReduitPourLaLargeurOuElleEstMontree) {
  ASSERT_TRUE(test::EcrireJpeg(banc.CheminHote("debout.jpg"), Photographie(799, 1200), 90));
  vue().Charger(banc.Chemin("debout.jpg"));
  const QImage attendue = PleineEchelle(banc.CheminHote("debout.jpg"));
  ASSERT_EQ(vue().Photo.size(), attendue.size());
  EXPECT_GE(Psnr(vue().Photo, attendue), 40.0);
  EXPECT_NE(vue().Photo, attendue);
}

TEST(DecodeurJpegReduit, LeDiviseurSeChoisitSurLaTailleNaturelle) {
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("a.jpg"));
  ASSERT_TRUE(test::EcrireJpeg(chemin, test::Quadrants(803, 601)));
  for (const int diviseur : {1, 2, 4, 8}) {
    QSize vue, naturelle;
    const ImageDecodee d = DecoderJpeg(chemin, [&](QSize n) { vue = n; return diviseur; }, &naturelle);
    ASSERT_TRUE(d.Valide()) << d.erreur.toStdString();
    EXPECT_EQ(vue, QSize(803, 601));
    EXPECT_EQ(naturelle, QSize(803, 601));
    EXPECT_EQ(d.image.size(), TailleReduite(QSize(803, 601), diviseur));
    EXPECT_EQ(d.image.size(), QSize((803 + diviseur - 1) / diviseur, (601 + diviseur - 1) / diviseur));
    EXPECT_TRUE(test::Proche(d.image.pixelColor(d.image.width() / 4, d.image.height() / 4), QColor(255, 0, 0)));
    EXPECT_TRUE(test::Proche(d.image.pixelColor(3 * d.image.width() / 4, 3 * d.image.height() / 4),
                             QColor(255, 255, 0)));
  }
}

}  // namespace
}  // namespace plivor
