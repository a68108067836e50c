// The projection shows pictures as the file means them: a phone photo
// upright, a transparent GIF over the slide ground, a damaged photo shown
// in part and said once.

#include <gtest/gtest.h>

#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/FichiersImages.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::Proche;

class ImagesProjection : public testing::Test {
 protected:
  ImagesProjection() : banc(QSize(400, 300)) {
    vue().CodeFenetre = 380;
    vue().CadreFenetre = vue().MargeFenetre = 0;
    vue().Rafraichir();
    vue().CodeDiapo = 470;
  }
  TFVue& vue() { return *banc.vue; }
  QColor Fond() { return VersQColor(vue().CouleurDiapo); }
  test::BancVue banc;
};

TEST_F(ImagesProjection, UnePhotoPriseDeboutSeMontreDebout) {
  // Upright 100 x 200, stored lying as the camera wrote it (orientation 6).
  const QImage droite = test::Quadrants(100, 200);
  ASSERT_TRUE(test::EcrireOctetsFichier(banc.CheminHote("debout.jpg"), test::JpegOriente(test::Stockee(droite, 6), 6)));
  vue().ListePropre = false;  // a preview: the montage is told the picture's size
  vue().Charger(banc.Chemin("debout.jpg"));
  ASSERT_EQ(vue().Photo.size(), QSize(vue().LargeurDiapo, vue().HauteurDiapo));
  const int x0 = (vue().LargeurDiapo - 100) / 2, y0 = (vue().HauteurDiapo - 200) / 2;
  EXPECT_TRUE(Proche(vue().Photo.pixelColor(x0 + 25, y0 + 50), QColor(255, 0, 0)));
  EXPECT_TRUE(Proche(vue().Photo.pixelColor(x0 + 75, y0 + 50), QColor(0, 255, 0)));
  EXPECT_TRUE(Proche(vue().Photo.pixelColor(x0 + 25, y0 + 150), QColor(0, 0, 255)));
  EXPECT_TRUE(Proche(vue().Photo.pixelColor(x0 + 75, y0 + 150), QColor(255, 255, 0)));
  EXPECT_EQ(vue().Photo.pixelColor(x0 - 5, y0 + 100), Fond());
  EXPECT_EQ(banc.voisins.tailleImage, (std::pair<int, int>{100, 200}));
}

TEST_F(ImagesProjection, LesPixelsTransparentsMontrentLeFondDeLaDiapo) {
  ASSERT_TRUE(test::EcrireGif(banc.CheminHote("t.gif"), test::Quadrants(100, 100), QColor(0, 0, 255)));
  vue().Charger(banc.Chemin("t.gif"));
  const int x0 = (vue().LargeurDiapo - 100) / 2, y0 = (vue().HauteurDiapo - 100) / 2;
  EXPECT_EQ(vue().Photo.pixelColor(x0 + 25, y0 + 25), QColor(255, 0, 0));
  EXPECT_EQ(vue().Photo.pixelColor(x0 + 25, y0 + 75), Fond());
}

TEST_F(ImagesProjection, UnePhotoAbimeeSeMontreEnPartieEtSeDitUneFois) {
  QImage bruit(200, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) bruit.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * y) % 256, 200));
  ASSERT_TRUE(test::EcrireJpeg(banc.CheminHote("a.jpg"), bruit));
  const QByteArray jpeg = test::LireOctetsFichier(banc.CheminHote("a.jpg"));
  ASSERT_TRUE(test::EcrireOctetsFichier(banc.CheminHote("coupee.jpg"), jpeg.left(jpeg.size() / 2)));
  vue().Charger(banc.Chemin("coupee.jpg"));
  vue().Charger(banc.Chemin("coupee.jpg"));
  ASSERT_EQ(banc.dialogues.textes.size(), 1) << banc.dialogues.textes.join(QStringLiteral(" | ")).toStdString();
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("L'image JPEG « coupee.jpg » est tronquée : seule la partie lue est montrée."));
  const int x0 = (vue().LargeurDiapo - 200) / 2, y0 = (vue().HauteurDiapo - 200) / 2;
  EXPECT_NE(vue().Photo.pixelColor(x0 + 100, y0 + 5), Fond());
  EXPECT_EQ(vue().Photo.pixelColor(x0 + 100, y0 + 195), Fond());
}

}  // namespace
}  // namespace plivor
