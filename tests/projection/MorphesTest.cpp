#include <gtest/gtest.h>

#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

class Morphes : public testing::Test {
 protected:
  Morphes() {
    vue().CodeDiapo = 400;
    vue().LargeurDiapo = vue().PBox.width();
    vue().HauteurDiapo = vue().PBox.height();
    vue().PBox.fill(Qt::black);
    vue().SansFond = true;
    vue().VitesseTransitions = 400;
    vue().DureeTransition = 14;
    QObject::connect(banc.vue.get(), &TFVue::Presenter, [this] { images.push_back(Boite()); });
  }
  TFVue& vue() { return *banc.vue; }
  void Jouer(int code, const QImage& image) {
    vue().Photo = image;
    vue().CodeTransition = code;
    vue().CodeInstruction = 0;
    images.clear();
    vue().Morphes();
  }
  // The bounding box of what is not black on the paint box.
  QRect Boite() const {
    QRect boite;
    const QImage& p = banc.vue->PBox;
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x)
        if ((p.pixel(x, y) & 0xFFFFFF) != 0) boite |= QRect(x, y, 1, 1);
    return boite;
  }
  QImage Zone() const {
    const Place o = banc.vue->PositionDe(banc.vue->CodeDiapo);
    const QImage& photo = banc.vue->Photo;
    return banc.vue->PBox.copy(o.x + (banc.vue->LargeurDiapo - photo.width()) / 2,
                               o.y + (banc.vue->HauteurDiapo - photo.height()) / 2, photo.width(), photo.height());
  }
  BancVue banc;
  std::vector<QRect> images;
};

TEST_F(Morphes, UnePetiteImageSeDessineDUnCoup) {
  Jouer(103, test::Unie(32, 100, Qt::red));
  EXPECT_EQ(banc.cadence.pauses, 0);
  EXPECT_EQ(images.size(), 1u);
  EXPECT_EQ(Zone(), test::Unie(32, 100, Qt::red));
}

TEST_F(Morphes, LeZoomPartDUneBoiteDeDouzeSurHuit) {
  Jouer(114, test::Unie(400, 100, Qt::red));
  ASSERT_GT(images.size(), 2u);
  EXPECT_EQ(images.front().size(), QSize(12, 8));
  EXPECT_EQ(images.front().center(), QRect(190, 240, 400, 100).center());
}

TEST_F(Morphes, PasDeQuatorzePixelsAQuatorzeQuatorziemes) {
  Jouer(103, test::Unie(412, 200, Qt::red));
  ASSERT_GT(images.size(), 3u);
  EXPECT_EQ(images[0].width(), 12);
  EXPECT_EQ(images[1].width(), 26);
  EXPECT_EQ(images[2].width(), 40);
  EXPECT_EQ(vue().PasMorphe, 14);
}

TEST_F(Morphes, LesDureesCourtesCroissentGeometriquement) {
  vue().DureeTransition = 4;
  Jouer(103, test::Unie(600, 200, Qt::red));
  ASSERT_GT(images.size(), 3u);
  EXPECT_EQ(images[0].width(), 12);
  EXPECT_EQ(images[1].width(), 18);  // 12 + 12 * 2 / 4
  EXPECT_EQ(images[2].width(), 27);  // 18 + 18 * 2 / 4
}

TEST_F(Morphes, LImageFinaleEstLImage) {
  for (int code : {101, 103, 105, 107, 114, 110}) {
    vue().PBox.fill(Qt::black);
    const QImage image = test::Quadrants(300, 200);
    Jouer(code, image);
    EXPECT_EQ(Zone(), image) << code;
  }
}

TEST_F(Morphes, SansLeMorphingAlbumJoueGauche) {
  banc.options->options[10] = true;
  const QImage image = test::Quadrants(300, 200);
  Jouer(103, image);
  EXPECT_EQ(banc.cadence.pauses, 300);  // "Gauche": one pause a column
  EXPECT_EQ(vue().PasMorphe, 0);
  EXPECT_EQ(Zone(), image);
}

TEST_F(Morphes, PeindreLaFenetreParUnMorphe) {
  vue().CouleurFenetre = RGB(20, 40, 60);
  vue().CodeTransition = 101;
  vue().CodeInstruction = 3001;
  vue().Peindre();
  EXPECT_EQ(vue().Photo.size(), vue().PBox.size());
  EXPECT_EQ(vue().Photo.pixelColor(5, 5), QColor(20, 40, 60));
  EXPECT_EQ(vue().PBox.pixelColor(vue().PBox.width() - 1, vue().PBox.height() - 1), QColor(20, 40, 60));
}

TEST_F(Morphes, LeTourDeLaDiapoPrendSaCouleur) {
  vue().SansFond = false;
  vue().CodeDiapo = 420;  // half the paint box, centred
  vue().LargeurDiapo = vue().PBox.width() / 2;
  vue().HauteurDiapo = vue().PBox.height() / 2;
  vue().CouleurDiapo = RGB(0, 0, 200);
  Jouer(103, test::Unie(100, 80, Qt::red));
  const Place o = vue().PositionDe(420);
  EXPECT_EQ(vue().PBox.pixelColor(o.x + 50, o.y + 40), QColor(Qt::red));
  EXPECT_EQ(vue().PBox.pixelColor(o.x + 50, o.y + 100), QColor(0, 0, 200));   // below
  EXPECT_EQ(vue().PBox.pixelColor(o.x + 150, o.y + 40), QColor(0, 0, 200));   // right
}

}  // namespace
}  // namespace plivor
