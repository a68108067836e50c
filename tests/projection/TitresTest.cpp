#include <gtest/gtest.h>

#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

class Titres : public testing::Test {
 protected:
  Titres() {
    vue().CodeDiapo = 400;  // the slide is the paint box
    vue().LargeurDiapo = vue().PBox.width();
    vue().HauteurDiapo = vue().PBox.height();
    vue().FonteTitre = "Arial Black+N90";
    vue().CouleurTitre = RGB(200, 0, 0);
    vue().PBox.fill(Qt::black);
  }
  TFVue& vue() { return *banc.vue; }
  // The display step of a text-value line.
  void Afficher(int code) {
    vue().TypeLigne = Genre::InstructionTexte;
    vue().CodeInstruction = code;
    vue().Editer();
  }
  QRect ZoneTitre() {
    const Place d = vue().PositionDe(vue().CodeDiapo);
    const Place t = vue().PositionDe(vue().CodeTitre);
    return QRect(d.x + t.x, d.y + t.y, vue().Titre.width(), vue().Titre.height());
  }
  BancVue banc;
};

TEST_F(Titres, UnTitreNeSeDessineQueLaOuSontSesLettres) {
  vue().Titrer("Bonjour");
  const QRect zone = ZoneTitre();
  Afficher(7700);
  EXPECT_EQ(vue().CodeInstruction, 0);
  int lettres = 0;
  for (int y = 0; y < vue().PBox.height(); ++y)
    for (int x = 0; x < vue().PBox.width(); ++x) {
      const QColor c = vue().PBox.pixelColor(x, y);
      // No white fringe: only the title colour blended into the black slide.
      ASSERT_EQ(c.green(), 0) << x << "," << y;
      ASSERT_EQ(c.blue(), 0) << x << "," << y;
      if (c.red() > 0) {
        ++lettres;
        ASSERT_TRUE(zone.contains(x, y));
      }
    }
  EXPECT_GT(lettres, 500);
  EXPECT_LT(lettres, zone.width() * zone.height() * 3 / 4);
}

TEST_F(Titres, EffacerApresUnChangementDeDiapoRendLAncienneImageDansLesLettres) {
  const QImage ancienne = test::Quadrants(vue().PBox.width(), vue().PBox.height());
  vue().PBox = ancienne.copy();
  vue().Titrer("ABC");
  Afficher(7700);
  vue().PBox.fill(QColor(0, 0, 255));  // another slide
  const QRect zone = ZoneTitre();
  Afficher(7001);
  int rendus = 0;
  for (int y = 0; y < zone.height(); ++y)
    for (int x = 0; x < zone.width(); ++x) {
      const QColor c = vue().PBox.pixelColor(zone.x() + x, zone.y() + y);
      if (qAlpha(vue().XTitre.pixel(x, y)) == 255) {
        ASSERT_EQ(c, ancienne.pixelColor(zone.x() + x, zone.y() + y));
        ++rendus;
      } else {
        ASSERT_EQ(c, QColor(0, 0, 255));
      }
    }
  EXPECT_GT(rendus, 500);
  EXPECT_EQ(vue().PBox.pixelColor(0, 0), QColor(0, 0, 255));
}

TEST_F(Titres, UneDiapoMasqueMontreLImageAuTraversDesLettres) {
  const QImage image = test::Quadrants(vue().PBox.width(), vue().PBox.height());
  vue().PBox = image.copy();
  vue().CouleurDiapo = RGB(10, 20, 30);
  vue().Charger("Titre-Masque=MASQUE.pvv");
  EXPECT_EQ(vue().CodeInstruction, 7500);
  const QRect zone = ZoneTitre();
  vue().PBox.fill(Qt::white);
  vue().TypeLigne = Genre::InstructionTexte;
  vue().Editer();
  int aTravers = 0;
  for (int y = 0; y < vue().PBox.height(); y += 3)
    for (int x = 0; x < vue().PBox.width(); x += 3) {
      const QColor c = vue().PBox.pixelColor(x, y);
      const bool lettre = zone.contains(x, y) && qAlpha(vue().XTitre.pixel(x - zone.x(), y - zone.y())) == 255;
      if (lettre) {
        ASSERT_EQ(c, image.pixelColor(x, y));
        ++aTravers;
      } else {
        ASSERT_EQ(c, QColor(10, 20, 30));
      }
    }
  EXPECT_GT(aTravers, 50);
}

TEST_F(Titres, UnTexteTropLargeSeRameneAuxVingtTroisVingtQuatriemes) {
  vue().FonteTitre = "Arial Black+N128";
  vue().Titrer("Un titre beaucoup trop long pour la diapo");
  // The largest whole pixel size that fits: within one size step of 23/24.
  const int attendue = vue().PBox.width() * 23 / 24;
  EXPECT_LE(vue().Titre.width() - 4, attendue);
  EXPECT_GT(vue().Titre.width() - 4, attendue * 95 / 100);
}

TEST_F(Titres, UnTitreTropHautAussi) {
  vue().CodeDiapo = 450;  // 156 x 116
  vue().FonteTitre = "Arial Black+N300";
  vue().Titrer("I");
  EXPECT_LE(vue().Titre.height(), 116 * 23 / 24);
  EXPECT_GT(vue().Titre.height(), 116 * 23 / 24 - 12);
}

TEST_F(Titres, UnTitreBlancPurNeDessineRien) {
  vue().CouleurTitre = RGB(255, 255, 255);
  const QImage avant = vue().PBox.copy();
  vue().Titrer("Blanc");
  Afficher(7700);
  EXPECT_EQ(vue().PBox, avant);
}

TEST_F(Titres, EnBasADroiteAvecLesMarges) {
  vue().MargeDiapo = true;
  vue().Medias = {Cp("Titre-Position=en bas à Droite.pvi"), "Titrage=Fin.pvv"};
  vue().Charger(vue().Medias[0]);
  ASSERT_EQ(vue().CodeTitre, 788);
  vue().Titrer("Fin");
  const QRect zone = ZoneTitre();
  EXPECT_EQ(zone.x() + zone.width(), vue().LargeurDiapo * 23 / 24);
  EXPECT_EQ(zone.y() + zone.height(), vue().HauteurDiapo * 23 / 24);
}

TEST_F(Titres, UnePoliceInconnueRetombeSurArialBlack) {
  vue().FonteTitre = "Police Inexistante+B60";
  vue().Titrer("Police");
  const QImage inconnue = vue().Titre;
  vue().FonteTitre = "Arial Black+B60";
  vue().Titrer("Police");
  EXPECT_EQ(vue().Titre.size(), inconnue.size());
  EXPECT_GE(vue().Titre.height(), 60);
  EXPECT_LE(vue().Titre.height(), 80);
}

TEST_F(Titres, LaCaptureDevientLeTitre) {
  vue().PBox = test::Quadrants(vue().PBox.width(), vue().PBox.height());
  vue().Manuel = true;  // nothing chains after it
  vue().Charger("Titre-Capture=Lettres.pvi");
  EXPECT_EQ(vue().Titre, vue().XTitre);
  EXPECT_FALSE(vue().Titre.isNull());
}

TEST_F(Titres, EffacerPuisAfficherAutantDeFoisQuOnVeut) {
  vue().Titrer("Encore");
  Afficher(7700);
  const QImage avecTitre = vue().PBox.copy();
  Afficher(7001);
  const QImage sans = vue().PBox.copy();
  EXPECT_NE(sans, avecTitre);
  Afficher(7011);
  EXPECT_EQ(vue().PBox, avecTitre);
  Afficher(7001);
  EXPECT_EQ(vue().PBox, sans);
}

}  // namespace
}  // namespace plivor
