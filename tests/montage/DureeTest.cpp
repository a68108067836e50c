// Duration of a selection, with the messages the author reads.

#include <gtest/gtest.h>

#include "BancMontage.h"

namespace plivor {
namespace {

using test::BancMontage;

class Duree : public testing::Test {
 protected:
  Duree() {
    banc.Image(QStringLiteral("img1.jpg"));
    banc.Image(QStringLiteral("img2.jpg"));
    banc.Ecrire(QStringLiteral("sous.pvl"), "Tempo=1.pvi\r\n");
  }
  Texte Img(int n) const { return banc.Chemin(QStringLiteral("img%1.jpg").arg(n)); }
  // The message shown for lines `lignes` with `choisies` selected.
  QString Message(const Liste& lignes, const std::vector<int>& choisies) {
    banc.Lignes(lignes);
    banc.montage->DefinirSelection(choisies, choisies.empty() ? 0 : choisies.back());
    banc.dialogues.textes.clear();
    banc.montage->DureeSelection();
    return banc.dialogues.textes.value(0);
  }
  BancMontage banc;
};

TEST_F(Duree, DeuxImagesSousUnTempo) {
  EXPECT_EQ(Message({"Tempo=2000.pvi", Img(1), Img(2)}, {1, 2}),
            QStringLiteral("Durée de la sélection : 4000 millisecondes.\rSoit une Durée : 0 Min 4 sec 0 mill."));
}

TEST_F(Duree, LeTempoQuiSuitUneImageFixeSonDelai) {
  EXPECT_EQ(Message({"Tempo=2000.pvi", Img(1), "Tempo=3000.pvi", Img(2)}, {1}),
            QStringLiteral("Durée de la sélection : 3000 millisecondes.\rSoit une Durée : 0 Min 3 sec 0 mill."));
}

TEST_F(Duree, SansTempo) {
  EXPECT_EQ(Message({Img(1), Img(2)}, {0, 1}),
            QStringLiteral("Au moins une instruction \"Tempo\" doit être présente\rau début ou avant la sélection, "
                           "sinon les premières lignes\rn'auront pas de durée !..."));
  EXPECT_EQ(Message({Img(1), Img(2)}, {0}), QStringLiteral("Durée de la sélection : 0 milliseconde"));
}

TEST_F(Duree, UneSelectionTroueeIgnoreLesLignesEntreDeux) {
  // Lines 2 and 5 selected: lines 3 and 4 do not count, the tempo before
  // line 2 and the one after line 5 do.
  const Liste lignes = {"Tempo=1000.pvi", "Transition=Gauche.pvi", Img(1), Img(2), "Tempo=9000.pvi", Img(1),
                        "Tempo=500.pvi", Img(2)};
  EXPECT_EQ(Message(lignes, {2, 5}),
            QStringLiteral("Durée de la sélection : 1500 millisecondes.\rSoit une Durée : 0 Min 1 sec 500 mill."));
}

TEST_F(Duree, SautsArretsEtSousListes) {
  const QString trois = QStringLiteral(
      "La sélection contient des instructions\rqui ne permettent pas le calcul de durée :\r  Avance, Saut, "
      "AllerA...\rLes déselectionner ou les effacer.");
  EXPECT_EQ(Message({"Tempo=1000.pvi", Img(1), "AllerA=Fin.pvi"}, {1, 2}), trois);
  EXPECT_EQ(Message({"Tempo=1000.pvi", Img(1), "Avance=Pause.pvi", Img(2)}, {1, 2, 3}), trois);
  EXPECT_EQ(Message({"Tempo=1000.pvi", Img(1), banc.Chemin(QStringLiteral("sous.pvl"))}, {1, 2}),
            QStringLiteral("  Déployer les listes *.pvl\ravant de calculer la durée !"));
  EXPECT_EQ(Message({"Tempo=1000.pvi", Img(1)}, {}),
            QStringLiteral("Aucune ligne n'est sélectionnée !\r\rSélectionner un groupe de lignes\rafin d'en "
                           "calculer la durée"));
}

TEST_F(Duree, LesTotauxDepassentTrenteEtUnBits) {
  // Three visuals of two thousand million ms each: past 2^31, still a duration.
  EXPECT_EQ(Message({"Tempo=2000000000.pvi", Img(1), Img(2), Img(1)}, {1, 2, 3}),
            QStringLiteral("Durée de la sélection : 6000000000 millisecondes.\rSoit une Durée : 100000 Min 0 sec 0 mill."));
  EXPECT_EQ(banc.montage->DureeLignesSelectionnees(), 6000000000LL);
}

TEST_F(Duree, UnTempoIllisibleCompteZero) {
  EXPECT_EQ(Message({"Tempo=vite.pvi", Img(1), Img(2)}, {1, 2}),
            QStringLiteral("Au moins une instruction \"Tempo\" doit être présente\rau début ou avant la sélection, "
                           "sinon les premières lignes\rn'auront pas de durée !..."));
}

}  // namespace
}  // namespace plivor
