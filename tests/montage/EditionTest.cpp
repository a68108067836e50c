// Editing the montage list: clipboard, cut, copy, paste, delete, moves,
// undo and drops, as the window's buttons and drags drive them.

#include <gtest/gtest.h>

#include "BancMontage.h"

namespace plivor {
namespace {

using test::BancMontage;

Liste Cinq() { return {"Tempo=100.pvi", "Tempo=101.pvi", "Tempo=102.pvi", "Tempo=103.pvi", "Tempo=104.pvi"}; }

std::vector<int> Choisies(const Montage& m) { return m.Selectionnees(); }

TEST(Edition, CouperDeuxLignesPuisCollerSousLaPremiereRendLeurOrdre) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {2, 4});
  m.Couper();
  EXPECT_EQ(m.Transfert, (Liste{"Tempo=104.pvi", "Tempo=102.pvi"}));
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=100.pvi", "Tempo=101.pvi", "Tempo=103.pvi"}));
  EXPECT_EQ(m.LigneCourante, 2);  // the line that moved up into the first cut place
  EXPECT_TRUE(banc.vue->ListeModifiee);

  m.Selectionner(1);
  m.Selection();
  m.CollerDessous();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=100.pvi", "Tempo=101.pvi", "Tempo=102.pvi", "Tempo=104.pvi", "Tempo=103.pvi"}));
  EXPECT_EQ(Choisies(m), (std::vector<int>{2, 3}));
  EXPECT_EQ(m.LigneCourante, 3);
  // The clipboard keeps its lines: a second paste repeats them.
  EXPECT_EQ(m.Transfert.size(), 2u);
}

TEST(Edition, CouperLaDerniereLigneRendLaPremiereCourante) {
  BancMontage banc;
  banc.Lignes(Cinq(), {4});
  banc.montage->Couper();
  EXPECT_EQ(banc.montage->Compte(), 4);
  EXPECT_EQ(banc.montage->LigneCourante, 0);
  EXPECT_TRUE(banc.montage->Selectionnee(0));
}

TEST(Edition, CopierNeModifiePasLaListeNiNePrendDInstantane) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {1, 3});
  m.Copier();
  EXPECT_EQ(m.Lignes(), Cinq());
  EXPECT_FALSE(banc.vue->ListeModifiee);
  EXPECT_FALSE(m.Annulable());
  EXPECT_EQ(m.Transfert, (Liste{"Tempo=103.pvi", "Tempo=101.pvi"}));
  EXPECT_EQ(Choisies(m), (std::vector<int>{1, 3}));
}

TEST(Edition, CollerEnTeteOuEnFin) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {0});
  m.Transfert = {"Titrage=B.pvv", "Titrage=A.pvv"};
  m.LigneCourante = -1;
  m.CollerDessous();
  EXPECT_EQ(m.Lignes()[0], "Titrage=A.pvv");
  EXPECT_EQ(m.Lignes()[1], "Titrage=B.pvv");
  m.Selectionner(m.Compte() - 1);
  m.Selection();
  m.CollerDessous();
  EXPECT_EQ(m.Compte(), 9);
  EXPECT_EQ(m.Lignes()[8], "Titrage=B.pvv");
  EXPECT_EQ(m.LigneCourante, 8);
}

TEST(Edition, CollerDansUneListeVideAjoute) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes({});
  m.Transfert = {"Tempo=1.pvi"};
  m.CollerDessous();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=1.pvi"}));
  EXPECT_EQ(m.LigneCourante, 0);
}

TEST(Edition, SupprimerRetireLaSelectionSansToucherAuPressePapiers) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {1, 2});
  m.Transfert = {"Tempo=9.pvi"};
  m.Supprimer();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=100.pvi", "Tempo=103.pvi", "Tempo=104.pvi"}));
  EXPECT_EQ(m.LigneCourante, 1);
  EXPECT_EQ(m.Transfert, (Liste{"Tempo=9.pvi"}));
  EXPECT_TRUE(m.Annulable());
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), Cinq());
}

TEST(Edition, DebutEtFinDeplacentLaSelectionEnUnSeulPasAnnulable) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {2, 3});
  m.Transfert = {"Titrage=Ancien.pvv"};  // lines the user did not just cut
  m.Debut();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=102.pvi", "Tempo=103.pvi", "Tempo=100.pvi", "Tempo=101.pvi", "Tempo=104.pvi"}));
  EXPECT_EQ(m.Transfert, (Liste{"Titrage=Ancien.pvv"}));  // never pasted, never overwritten
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), Cinq());

  m.DefinirSelection({0}, 0);
  m.Fin();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=101.pvi", "Tempo=102.pvi", "Tempo=103.pvi", "Tempo=104.pvi", "Tempo=100.pvi"}));
  EXPECT_EQ(m.LigneCourante, 4);
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), Cinq());
}

TEST(Edition, DebutSansSelectionNeCollePasLePressePapiers) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq());
  m.DefinirSelection({}, 2);
  m.Transfert = {"Titrage=Ancien.pvv"};
  m.Debut();
  m.Fin();
  EXPECT_EQ(m.Lignes(), Cinq());
  EXPECT_FALSE(banc.vue->ListeModifiee);
}

TEST(Edition, LAnnulationRemonteEditionParEdition) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {0});
  m.Supprimer();
  m.DefinirSelection({0}, 0);
  m.Supprimer();
  EXPECT_EQ(m.Compte(), 3);
  m.ListeUndo();
  EXPECT_EQ(m.Compte(), 4);  // the state before the last edit first
  EXPECT_EQ(m.Lignes()[0], "Tempo=101.pvi");
  EXPECT_TRUE(m.Annulable());
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), Cinq());
  EXPECT_FALSE(m.Annulable());
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), Cinq());
}

TEST(Edition, LInstantaneNEstPasLeTamponDeChargement) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Ecrire(QStringLiteral("autre.pvl"), "Tempo=7.pvi\r\nTempo=8.pvi\r\n");
  banc.Lignes(Cinq(), {0});
  m.Supprimer();
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("autre.pvl"))));
  m.ListeUndo();  // the load left nothing to undo into the new list
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=7.pvi", "Tempo=8.pvi"}));
}

TEST(Edition, GlisserDeuxLignesDevantLaCinquieme) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {0, 1});
  m.Transfert = {"Titrage=Garde.pvv"};
  m.DeposerInterne(4);
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=102.pvi", "Tempo=103.pvi", "Tempo=100.pvi", "Tempo=101.pvi", "Tempo=104.pvi"}));
  EXPECT_EQ(m.Transfert, (Liste{"Titrage=Garde.pvv"}));
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), Cinq());
  // Below the last line: appended.
  m.DefinirSelection({1}, 1);
  m.DeposerInterne(99);
  EXPECT_EQ(m.Lignes().back(), "Tempo=101.pvi");
}

TEST(Edition, SansGlisserInsererLeDepotEstIgnore) {
  BancMontage banc;
  banc.Lignes(Cinq(), {0});
  banc.montage->DragOn = false;
  banc.montage->DeposerInterne(4);
  EXPECT_EQ(banc.montage->Lignes(), Cinq());
}

TEST(Edition, DepotDuBureauRefuseLesFichiersInconnus) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {0});
  banc.Image(QStringLiteral("vue.jpg"));
  banc.Ecrire(QStringLiteral("notes.txt"), "x");
  banc.Ecrire(QStringLiteral("trace.wmf"), "x");
  m.DeposerBureau({banc.CheminHote(QStringLiteral("notes.txt")), banc.CheminHote(QStringLiteral("vue.jpg")),
                   banc.CheminHote(QStringLiteral("trace.wmf"))},
                  2);
  ASSERT_EQ(banc.dialogues.textes.size(), 2);
  EXPECT_EQ(banc.dialogues.textes[0],
            QStringLiteral("Fichier : \r") + banc.CheminHote(QStringLiteral("trace.wmf")) + QStringLiteral("\rnon reconnu par Plivor"));
  EXPECT_EQ(banc.dialogues.textes[1],
            QStringLiteral("Fichier : \r") + banc.CheminHote(QStringLiteral("notes.txt")) + QStringLiteral("\rnon reconnu par Plivor"));
  ASSERT_EQ(m.Compte(), 6);
  EXPECT_EQ(m.Lignes()[2], banc.Chemin(QStringLiteral("vue.jpg")));  // in front of the row dropped on
  EXPECT_EQ(m.Transfert, (Liste{banc.Chemin(QStringLiteral("vue.jpg"))}));
}

TEST(Edition, UnNomQueWindows1252NePeutTenirEstRefuse) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {0});
  const QString nom = banc.CheminHote(QStringLiteral("photo-\u65e5\u672c.jpg"));
  banc.Image(QStringLiteral("photo-\u65e5\u672c.jpg"));
  m.DeposerBureau({nom}, std::nullopt);
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_TRUE(banc.dialogues.textes[0].startsWith(QStringLiteral("Fichier : \r") + nom + QStringLiteral("\r")));
  EXPECT_TRUE(banc.dialogues.textes[0].contains(QStringLiteral("Windows-1252")));
  EXPECT_EQ(m.Lignes(), Cinq());
  for (const Texte& l : m.Lignes()) EXPECT_EQ(l.find('?'), Texte::npos);
}

TEST(Edition, DepotDeLaFenetreDesSources) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes(Cinq(), {0});
  m.DeposerSource({"/a/un.jpg", "/a/deux.jpg"}, 1);
  EXPECT_EQ(m.Lignes()[1], "/a/un.jpg");
  EXPECT_EQ(m.Lignes()[2], "/a/deux.jpg");
  EXPECT_TRUE(m.Annulable());
  banc.vue->ModePublication = true;
  m.DeposerSource({"/a/trois.jpg"}, 0);
  EXPECT_EQ(m.Compte(), 7);
}

TEST(Edition, ToutSelectionner) {
  BancMontage banc;
  banc.Lignes(Cinq(), {1});
  banc.montage->ToutSelectionner();
  EXPECT_EQ(banc.montage->NombreSelectionnees(), 5);
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

TEST(PressePapiers, LesScriptsDeLaProjectionNeLeTouchentPas) {
  test::BancMontage banc;
  banc.Lignes({"Tempo=1.pvi"}, {0});
  banc.montage->Copier();
  banc.Ecrire(QStringLiteral("scene.pvs"), "Tempo=500.pvi\r\nTransition=Gauche.pvi\r\n");
  banc.vue->ExecuterScript(banc.Chemin(QStringLiteral("scene.pvs")));
  EXPECT_EQ(banc.vue->CodeTransition, 3);  // the script ran
  EXPECT_EQ(banc.montage->Transfert, (Liste{"Tempo=1.pvi"}));
  banc.vue->Arguments.clear();
  banc.vue->ChargerListe(Emetteur::Aucun);  // the projection loads a list
  EXPECT_EQ(banc.montage->Transfert, (Liste{"Tempo=1.pvi"}));
}

}  // namespace
}  // namespace plivor
