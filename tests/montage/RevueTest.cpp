// Faults found by reading the montage again: each as its user would meet it.

#include <gtest/gtest.h>

#include "BancMontage.h"

namespace plivor {
namespace {

using test::BancMontage;

TEST(Revue, UneImageDuPressePapiersSeMontreSansChercherDeVoisinesHorsDeLaListe) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  banc.Image(QStringLiteral("b.jpg"));
  Montage& m = *banc.montage;
  banc.Lignes({banc.Chemin(QStringLiteral("a.jpg"))});
  m.Transfert = {"Tempo=1.pvi", "Tempo=2.pvi", banc.Chemin(QStringLiteral("b.jpg"))};
  banc.vue->ImagesVoisines = true;
  m.VoirTransfert(2);  // a clipboard row far past the list's one line
  EXPECT_FALSE(banc.vue->Photo.isNull());
  EXPECT_EQ(m.Lignes().size(), 1u);
}

TEST(Revue, UneAutreListeRecueNeGardePasLAnnulationDeLaPrecedente) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes({"Tempo=1.pvi", "Tempo=2.pvi"}, {0});
  m.Supprimer();
  ASSERT_TRUE(m.Annulable());
  m.FermerListe(EmetteurMontage::bt_Fermer);
  banc.vue->ListeModifiee = false;
  m.RecevoirListe({"Tempo=7.pvi"}, banc.Chemin(QStringLiteral("b.pvl")), banc.fichiers.DossierCourant(), 0, false);
  EXPECT_FALSE(m.Annulable());
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=7.pvi"}));
}

TEST(Revue, UnScriptNeRemplacePasUnFichierSansLeDemander) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("scene.pvs"), "Tempo=9.pvi\r\n");
  banc.Lignes({"Tempo=0.pvi", "Tempo=1.pvi"}, {1});
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("scene"));
  banc.dialogues.reponses << false;
  EXPECT_FALSE(banc.montage->EnregistrerScript());
  EXPECT_EQ(banc.Lire(QStringLiteral("scene.pvs")), "Tempo=9.pvi\r\n");
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Le fichier \"") + banc.CheminHote(QStringLiteral("scene.pvs")) +
                                              QStringLiteral("\" existe déjà.\rLe remplacer ?"));
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("scene"));
  banc.dialogues.reponses << true;
  EXPECT_TRUE(banc.montage->EnregistrerScript());
  EXPECT_EQ(banc.Lire(QStringLiteral("scene.pvs")), "Tempo=1.pvi\r\n");
}

TEST(Revue, FermerLeMontageRendLePanneauQuandLesOptionsLeVeulent) {
  BancMontage banc;
  banc.options->options[2] = true;  // "Afficher les icônes"
  banc.Lignes({"Tempo=1.pvi"});
  EXPECT_FALSE(banc.voisins.PanneauVisible());
  banc.montage->FermerListe(EmetteurMontage::bt_Fermer);
  EXPECT_TRUE(banc.voisins.PanneauVisible());
}

TEST(Revue, UnTempoNegatifNeDonneJamaisUnCodeDErreur) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  banc.Lignes({"Tempo=-2.pvi", banc.Chemin(QStringLiteral("a.jpg"))});
  banc.montage->DefinirSelection({1}, 1);
  EXPECT_EQ(banc.montage->DureeLignesSelectionnees(), 0);
}

TEST(Revue, LaDureeDUneSelectionTroueeDansUneLongueListe) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  Liste lignes(200'000, "Titrage=x.pvv");
  lignes.front() = "Tempo=10.pvi";
  banc.Lignes(lignes);
  banc.montage->DefinirSelection({1, 199'999}, 199'999);
  // Two displayed lines under a 10 ms tempo, whatever lies between them.
  EXPECT_EQ(banc.montage->DureeLignesSelectionnees(), 20);
}

TEST(Revue, CopierLaisseLInstantaneExistant) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes({"Tempo=1.pvi", "Tempo=2.pvi", "Tempo=3.pvi"}, {0});
  m.Supprimer();
  m.DefinirSelection({0}, 0);
  m.Copier();
  ASSERT_TRUE(m.Annulable());
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=1.pvi", "Tempo=2.pvi", "Tempo=3.pvi"}));
}

TEST(Revue, UneRessourceIntrouvableInterromptLExpansion) {
  BancMontage banc;
  banc.Image(QStringLiteral("show/a.jpg"));
  banc.Ecrire(QStringLiteral("show/liste.pvl"), "a.jpg\r\nDrapeaux=menu.txt.pvr\r\na.jpg\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("show/liste.pvl"))));
  // Expanded up to the failing line; that line and the next stay as written.
  EXPECT_EQ(banc.montage->Lignes(), (Liste{banc.Chemin(QStringLiteral("show/a.jpg")), "Drapeaux=menu.txt.pvr", "a.jpg"}));
  ASSERT_EQ(banc.dialogues.textes.size(), 2);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("Le fichier \"Drapeaux=") + banc.CheminHote(QStringLiteral("show/menu.txt")) +
                                          QStringLiteral(".pvr\" n'existe pas !\rImpossible d'étendre son adresse"));
  EXPECT_EQ(banc.dialogues.textes[1], QStringLiteral("Procédure interrompue !\rErreurs dans la liste."));
}

TEST(Revue, LeMontageOuvertArreteMuetManuelPauseEtAvance) {
  BancMontage banc;
  TFVue& vue = *banc.vue;
  vue.Medias = {"Tempo=100.pvi", "Titrage=Un.pvv"};
  vue.AvanceAM(Emetteur::Aucun);
  vue.ModeMuet();
  vue.ModeManuel();
  ASSERT_TRUE(vue.Muet && vue.Manuel);
  banc.montage->RecevoirListe(vue.Medias, banc.Chemin(QStringLiteral("l.pvl")), banc.fichiers.DossierCourant(), 0,
                              false);
  EXPECT_FALSE(vue.Muet);
  EXPECT_FALSE(vue.Manuel);
  EXPECT_LE(vue.EtatPause, 0);
  EXPECT_FALSE(vue.AvanceAuto);
}

TEST(Revue, UneLigneChoisiePendantLeSuiviArreteLaProjection) {
  BancMontage banc;
  banc.Lignes({"Tempo=100.pvi", "Titrage=Un.pvv"});
  TFVue& vue = *banc.vue;
  vue.Medias = banc.montage->Lignes();
  vue.AvanceAM(Emetteur::Aucun);
  vue.SuiviListe = true;
  ASSERT_TRUE(vue.AvanceAuto);
  banc.montage->Selectionner(1);
  banc.montage->Selection();
  EXPECT_FALSE(vue.SuiviListe);
  EXPECT_FALSE(vue.AvanceAuto);
}

}  // namespace
}  // namespace plivor
