// Lists written to break the projection: chains that run back on
// themselves, lines given alone, values it cannot read.

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include "projection/PreparationImage.h"
#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

class Tenue : public testing::Test {
 protected:
  TFVue& vue() { return *banc.vue; }
  void Ecrire(const QString& nom, const Liste& lignes) { banc.EcrireTexte(nom, JoindreLignesCrLf(lignes)); }
  static std::string JoindreLignesCrLf(const Liste& lignes) {
    std::string r;
    for (const Texte& l : lignes) r += l + "\r\n";
    return r;
  }
  // The list opened as the program opens it, then a few ticks of the advance.
  void ProjeterPuisAvancer(const QString& nom) {
    vue().NomDialogueOuvrir = banc.Chemin(nom);
    vue().ChargerListe(Emetteur::Menu);
    for (int tic = 0; tic < 3; ++tic) vue().Suivant(Emetteur::Minuterie);
    vue().Debut(Emetteur::bt_Debut);
  }
  // The show is still there: a list, a line within it, a timer that runs.
  void ToujoursVivante() {
    ASSERT_FALSE(vue().Medias.empty());
    EXPECT_GE(vue().IndexCourant, 0);
    EXPECT_LT(vue().IndexCourant, int(vue().Medias.size()));
  }
  BancVue banc;
};

TEST_F(Tenue, DesMediasTousAbsentsQuandOnIgnoreLesAbsents) {
  Liste absents;
  for (int i = 0; i < 50; ++i) absents.push_back(banc.Chemin(QStringLiteral("absent%1.jpg").arg(i)));
  Ecrire(QStringLiteral("absents.pvl"), absents);
  banc.options->Coches(8, true);
  ProjeterPuisAvancer(QStringLiteral("absents.pvl"));
  ToujoursVivante();
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());  // ignored, not reported
}

TEST_F(Tenue, UnSautAuDebutSeulDansSaListe) {
  Ecrire(QStringLiteral("saut.pvl"), {Cp("Saut=Début.pvi")});
  ProjeterPuisAvancer(QStringLiteral("saut.pvl"));
  ToujoursVivante();
}

TEST_F(Tenue, UnTempoPuisUnSautAuDebut) {
  Ecrire(QStringLiteral("tempo.pvl"), {"Tempo=500.pvi", Cp("Saut=Début.pvi")});
  ProjeterPuisAvancer(QStringLiteral("tempo.pvl"));
  ToujoursVivante();
  EXPECT_EQ(vue().Timer1.interval(), 500);
}

TEST_F(Tenue, UnAllerASurSonPropreDrapeau) {
  Ecrire(QStringLiteral("boucle.pvl"), {"AllerA=X.pvi", "Drapeau=X.pvd"});
  ProjeterPuisAvancer(QStringLiteral("boucle.pvl"));
  ToujoursVivante();
}

TEST_F(Tenue, DeuxSequencesQuiSeChargentLUneLAutre) {
  Ecrire(QStringLiteral("a.pvl"), {Cp("Séquence=") + banc.Chemin(QStringLiteral("b.pvl")) + ".pvr"});
  Ecrire(QStringLiteral("b.pvl"), {Cp("Séquence=") + banc.Chemin(QStringLiteral("a.pvl")) + ".pvr"});
  ProjeterPuisAvancer(QStringLiteral("a.pvl"));
  ToujoursVivante();
}

TEST_F(Tenue, UneListeDInstructionsSeuleSArreteSurUneLignePendante) {
  Liste instructions(5000, "Tempo=600.pvi");
  Ecrire(QStringLiteral("instructions.pvl"), instructions);
  ProjeterPuisAvancer(QStringLiteral("instructions.pvl"));
  ToujoursVivante();
  EXPECT_EQ(vue().Timer1.interval(), 600);
}

TEST_F(Tenue, UneSousListeLueSeuleQuandLaListeEstVide) {
  Ecrire(QStringLiteral("sous.pvl"), {"Tempo=700.pvi", "Titrage=Un.pvv"});
  vue().Medias.clear();
  vue().IndexCourant = 0;
  vue().Charger(banc.Chemin(QStringLiteral("sous.pvl")));
  EXPECT_EQ(vue().Medias, (Liste{"Drapeau=sous.pvd", "Tempo=700.pvi", "Titrage=Un.pvv"}));
}

TEST_F(Tenue, UneCouleurIllisibleEstSignaleeEtLaCouleurGardee) {
  banc.Projeter({"Titre-Couleur=clRed.pvi", "Titre-Couleur=pourpre.pvi", "Titrage=Fin.pvv"});
  EXPECT_EQ(vue().CouleurTitre, RGB(255, 0, 0));
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("\"pourpre\" n'est pas une couleur correcte"));
}

TEST_F(Tenue, LesCouleursSystemeViennentDeLaPalette) {
  const QPalette palette = QGuiApplication::palette();
  EXPECT_EQ(VersQColor(kCouleurSysteme + 15), palette.color(QPalette::Active, QPalette::Button));  // clBtnFace
  EXPECT_EQ(VersQColor(kCouleurSysteme + 5), palette.color(QPalette::Active, QPalette::Base));     // clWindow
  EXPECT_EQ(VersQColor(RGB(1, 2, 3)), QColor(1, 2, 3));
  // A slide of that colour is filled with it around a smaller picture.
  banc.Projeter({"Diapo-Couleur=clBtnFace.pvi", "Titrage=Fin.pvv"});
  ASSERT_EQ(vue().CouleurDiapo, kCouleurSysteme + 15);
  QImage petite(10, 10, QImage::Format_RGB32);
  petite.fill(Qt::red);
  ReglagesDiapo reglages;
  reglages.diapo = {40, 40};
  reglages.pbox = {400, 300};
  reglages.couleurDiapo = vue().CouleurDiapo;
  const QImage photo = PreparerImage(petite, reglages, nullptr).photo;
  EXPECT_EQ(photo.pixelColor(0, 0), palette.color(QPalette::Active, QPalette::Button));
  EXPECT_EQ(photo.pixelColor(20, 20), QColor(Qt::red));
}

TEST_F(Tenue, AdapterAuBureauAgranditLaFenetreALEcran) {
  banc.Projeter({"Diapo-Format=Adapter au bureau.pvi", "Titrage=Fin.pvv"});
  EXPECT_EQ(vue().CodeFenetre, 380);
  EXPECT_EQ(vue().CodeDiapo, 470);
  EXPECT_EQ(vue().Carton.size(), QSize(1280, 800));
  EXPECT_EQ(QSize(vue().LargeurDiapo, vue().HauteurDiapo), vue().RectPBox().size());
}

}  // namespace
}  // namespace plivor
