// Lists written to break the projection with extreme values, each beside a
// small JPEG and projected from its first line, then advanced.

#include <QDir>
#include <gtest/gtest.h>

#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

class Hostile : public testing::Test {
 protected:
  Hostile() {
    QDir(banc.dossier.path()).mkdir(QStringLiteral("m"));
    test::EcrireJpeg(banc.CheminHote(QStringLiteral("m/a.jpg")), test::Quadrants(64, 48), 90);
  }
  TFVue& vue() { return *banc.vue; }
  // The list with the picture at its end, projected and advanced twice.
  void Projeter(Liste lignes) {
    lignes.push_back(banc.Chemin(QStringLiteral("m/a.jpg")));
    banc.Projeter(lignes);
    vue().Suivant(Emetteur::Minuterie);
    vue().Suivant(Emetteur::Minuterie);
  }
  test::BancVue banc;
};

TEST_F(Hostile, UnVolumeExtremeResteDansSesBornes) {
  vue().PeripheriqueVolume = 0;
  Projeter({"Audio-Volume=-1000000000.pvi"});
  EXPECT_EQ(vue().VolumeAudio, 0);
  Projeter({"Audio-Volume=1000000000.pvi"});
  EXPECT_EQ(vue().VolumeAudio, 255);
}

TEST_F(Hostile, DesDimensionsEtPositionsDemesurees) {
  Projeter({"Diapo-Dim=W99999999H99999999.pvi"});
  EXPECT_LE(vue().LargeurDiapo, 2 * vue().Fenetre.width());
  EXPECT_LE(vue().HauteurDiapo, 2 * vue().Fenetre.height());
  Projeter({"Diapo-Format=50%.pvi", "Diapo-Pos=X2147483647Y0.pvi"});
  EXPECT_FALSE(vue().Photo.isNull());
  Projeter({"Diapo-Dim=W20000H15000.pvi", Cp("Diapo=Peindre.pvv")});
  EXPECT_LE(qint64(vue().PBox.width()) * vue().PBox.height(), qint64(1600) * 1200 * 4);
}

TEST_F(Hostile, UnCadreEtUneMargeDemesures) {
  Projeter({"Fenetre-Cadre=1000000000.pvi", "Fenetre-Marge=1000000000.pvi", Cp("Fenetre=Rénover.pvv")});
  EXPECT_LE(std::abs(vue().CadreFenetre), 12);
  EXPECT_LE(vue().MargeFenetre, 200);
  EXPECT_FALSE(vue().PBox.isNull());
}

TEST_F(Hostile, UneMargeNegativePuisUnTitre) {
  Projeter({"Fenetre-Marge=-1000000000.pvi", Cp("Fenetre=Rénover.pvv"), "Titrage=Bonjour.pvv"});
  EXPECT_GE(vue().MargeFenetre, 0);
  EXPECT_FALSE(vue().Titre.isNull());
}

TEST_F(Hostile, UnDelaiDemesure) {
  Projeter({"Delai=1000000000.pvi"});
  EXPECT_EQ(vue().DureeTransition, 600'000 * 14 / 1000);
}

TEST_F(Hostile, LesSautsSurEuxMemes) {
  const std::vector<Liste> listes = {
      {Cp("Saut=Début.pvi")},
      {"Drapeau=A.pvd", "Saut=Premier.pvi"},
      {"AllerA=A.pvi", "Drapeau=A.pvd"},
  };
  for (const Liste& liste : listes) {
    Projeter(liste);
    EXPECT_FALSE(vue().Medias.empty());
  }
}

}  // namespace
}  // namespace plivor
