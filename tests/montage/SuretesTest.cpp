// The ways a list could be lost or changed behind the user's back: a
// vanished folder, the projection's expanded copy, characters or bytes lost
// at reading, undo and redo.

#include <gtest/gtest.h>

#include <QDir>

#include "BancMontage.h"
#include "montage/Historique.h"
#include "montage/Verification.h"

namespace plivor::test {
namespace {

TEST(Suretes, UnDossierDisparuEstDitEtLeDialogueNePartPasDAilleurs) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("A/show.pvl"), "Tempo=2000.pvi\r\n");
  banc.Ecrire(QStringLiteral("B/show.pvl"), "Tempo=3000.pvi\r\nTempo=1.pvi\r\n");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("B/show.pvl"))));
  m.Selectionner(1);
  m.Supprimer();
  // The folder goes, as a medium taken out.
  ASSERT_TRUE(QDir(banc.CheminHote(QStringLiteral("B"))).removeRecursively());
  banc.dialogues.fichiers << std::nullopt;
  EXPECT_FALSE(m.Sauver());
  ASSERT_FALSE(banc.dialogues.textes.isEmpty());
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Le dossier de la liste n'existe plus :\r") +
                                              banc.CheminHote(QStringLiteral("B")) +
                                              QStringLiteral("\rChoisissez où enregistrer la liste."));
  EXPECT_EQ(banc.dialogues.dialogues.last(), QStringLiteral("Sauver une liste Plivor (son dossier n'existe plus)"));
  // It starts in the nearest folder that is still there, never in A.
  EXPECT_EQ(banc.dialogues.departs.last(), banc.CheminHote(QStringLiteral("show.pvl")));
  EXPECT_EQ(banc.Lire(QStringLiteral("A/show.pvl")), "Tempo=2000.pvi\r\n");
  EXPECT_TRUE(banc.vue->ListeModifiee);
}

TEST(Suretes, LeMontageRecoitLaListeTelleQueSonFichierLaTient) {
  BancMontage banc;
  for (const char* nom : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) banc.Image(QString::fromLatin1(nom));
  banc.Ecrire(QStringLiteral("main.pvl"), "Tempo=1000.pvi\r\na.jpg\r\nsub.pvl\r\nd.jpg\r\ne.jpg\r\n");
  banc.Ecrire(QStringLiteral("sub.pvl"), "b.jpg\r\nc.jpg\r\n");
  // The projection's working copy, once it has gone past the sub-list.
  const Liste travail = {"Tempo=1000.pvi", "a.jpg", "Drapeau=sub.pvd", "b.jpg", "c.jpg", "d.jpg", "e.jpg"};
  Montage& m = *banc.montage;
  m.RecevoirListe(travail, banc.Chemin(QStringLiteral("main.pvl")), banc.Chemin(QString()), 5, false);
  const auto dedans = [&](const char* nom) { return banc.Chemin(QString::fromLatin1(nom)); };
  ASSERT_EQ(m.Lignes(), (Liste{"Tempo=1000.pvi", dedans("a.jpg"), dedans("sub.pvl"), dedans("d.jpg"), dedans("e.jpg")}));
  // The line on show (d.jpg) is the one selected.
  EXPECT_EQ(m.LigneCourante, 3);
  m.Selectionner(4);
  m.Supprimer();
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("main.pvl"));
  ASSERT_TRUE(m.Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("main.pvl")),
            "Tempo=1000.pvi\r\n" + dedans("a.jpg") + "\r\n" + dedans("sub.pvl") + "\r\n" + dedans("d.jpg") + "\r\n");
  EXPECT_EQ(banc.Lire(QStringLiteral("sub.pvl")), "b.jpg\r\nc.jpg\r\n");
}

TEST(Suretes, UnCaracterePerduALaLectureEstDemandeParChaqueEntree) {
  BancMontage banc;
  // "日本.jpg" in a UTF-8 list with its mark.
  banc.Ecrire(QStringLiteral("bomcjk.pvl"), "\xEF\xBB\xBFTempo=2000.pvi\r\n\xE6\x97\xA5\xE6\x9C\xAC.jpg\r\na.jpg\r\n");
  Montage& m = *banc.montage;
  // By the projection (C): the file is read again, its lost line known.
  m.RecevoirListe({"Tempo=2000.pvi", "??.jpg", "a.jpg"}, banc.Chemin(QStringLiteral("bomcjk.pvl")),
                  banc.Chemin(QString()), 0, false);
  m.Selectionner(2);
  m.Supprimer();
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("bomcjk.pvl"));
  banc.dialogues.reponses << false;
  EXPECT_FALSE(m.Sauver());
  EXPECT_TRUE(banc.dialogues.textes.last().startsWith(QStringLiteral("La liste contient 1 ligne(s) qui ne sont plus")));
  EXPECT_EQ(banc.Lire(QStringLiteral("bomcjk.pvl")).substr(0, 3), "\xEF\xBB\xBF");
  // By an import into another list.
  m.NvelleListe();
  m.ImporterListe(banc.Chemin(QStringLiteral("bomcjk.pvl")));
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("autre.pvl"));
  banc.dialogues.reponses << false;
  EXPECT_FALSE(m.Sauver());
  EXPECT_TRUE(banc.dialogues.textes.last().startsWith(QStringLiteral("La liste contient 1 ligne(s) qui ne sont plus")));
  EXPECT_FALSE(QFile::exists(banc.CheminHote(QStringLiteral("autre.pvl"))));
}

TEST(Suretes, UnCaracterePerduDansUneSousListeDeployeeEstDemande) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("main.pvl"), "Tempo=2000.pvi\r\nsub.pvl\r\n");
  banc.Ecrire(QStringLiteral("sub.pvl"), "\xEF\xBB\xBFTempo=3000.pvi\r\n\xE6\x97\xA5\xE6\x9C\xAC.jpg\r\n");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("main.pvl"))));
  ASSERT_TRUE(DeployerPvl(m));
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("deployee.pvl"));
  banc.dialogues.reponses << false;
  EXPECT_FALSE(m.Sauver());
  EXPECT_TRUE(banc.dialogues.textes.last().startsWith(QStringLiteral("La liste contient 1 ligne(s) qui ne sont plus")))
      << banc.dialogues.textes.join('|').toStdString();
  EXPECT_FALSE(QFile::exists(banc.CheminHote(QStringLiteral("deployee.pvl"))));
}

TEST(Suretes, UnOctetNulEstDitEtLaSuiteDeLaListeEstGardee) {
  BancMontage banc;
  const char octets[] = "Tempo=2000.pvi\r\nTempo=1.pvi\r\n\0Tempo=2.pvi\r\nTempo=9000.pvi\r\n";
  banc.Ecrire(QStringLiteral("nul.pvl"), std::string(octets, sizeof octets - 1));
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("nul.pvl"))));
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2000.pvi", "Tempo=1.pvi", "Tempo=2.pvi", "Tempo=9000.pvi"}));
  EXPECT_TRUE(banc.dialogues.textes.join('|').contains(QStringLiteral("caractère nul à l'octet 29")))
      << banc.dialogues.textes.join('|').toStdString();
  m.Selectionner(1);
  m.Copier();
  m.CollerDessous();
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("nul.pvl"));
  banc.dialogues.reponses << true;
  ASSERT_TRUE(m.Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("nul.pvl")),
            "Tempo=2000.pvi\r\nTempo=1.pvi\r\nTempo=1.pvi\r\nTempo=2.pvi\r\nTempo=9000.pvi\r\n");
}

TEST(Suretes, AnnulerEtRetablirParcourentChaqueEditionEtSuiventLeFichier) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("L.pvl"), "Tempo=1.pvi\r\nTempo=2.pvi\r\nTempo=3.pvi\r\n");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("L.pvl"))));
  const Liste fichier = m.Lignes();
  m.Selectionner(0);
  m.Supprimer();  // 2 3
  m.Selectionner(1);
  m.Couper();  // 2
  m.CollerDessous();  // 2 3
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2.pvi", "Tempo=3.pvi"}));
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2.pvi"}));
  m.ListeUndo();
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), fichier);
  EXPECT_FALSE(banc.vue->ListeModifiee);  // back to what the file holds
  EXPECT_FALSE(m.Annulable());
  m.ListeRedo();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2.pvi", "Tempo=3.pvi"}));
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // Saved, then undone: the list on screen differs from the file again.
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("L.pvl"));
  ASSERT_TRUE(m.Sauver());
  EXPECT_FALSE(banc.vue->ListeModifiee);
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), fichier);
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // A new edit leaves no redo.
  m.Selectionner(0);
  m.Supprimer();
  EXPECT_FALSE(m.Refaisable());
}

TEST(Suretes, UnDeploiementSAnnuleSeul) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("L.pvl"), "Tempo=1.pvi\r\nTempo=2.pvi\r\n");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("L.pvl"))));
  m.Selectionner(0);
  m.Supprimer();
  m.RemplacerLignes({"Tempo=2.pvi", "Tempo=5.pvi"});
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2.pvi"}));
}

TEST(Suretes, UneListeVideeNeGardePasLaDescriptionDUneLignePartie) {
  BancMontage banc;
  banc.Image(QStringLiteral("d.jpg"));
  Montage& m = *banc.montage;
  m.RecevoirListe({banc.Chemin(QStringLiteral("d.jpg"))}, kSansNom, banc.Chemin(QString()), 0, false);
  ASSERT_EQ(m.TitreFichier(), "d.jpg");
  ASSERT_FALSE(m.InfosCourantes().lignes.empty());
  m.ToutSelectionner();
  m.Couper();
  EXPECT_EQ(m.TitreFichier(), "");
  EXPECT_TRUE(m.InfosCourantes().lignes.empty());
}

TEST(Historique, LesPasLesPlusAnciensPartentLesPremiersEtLeDernierResteToujours) {
  Historique h(3, 10);
  for (int i = 0; i < 5; ++i) h.Noter({Liste(static_cast<size_t>(i), "x"), i, i});
  EXPECT_EQ(h.Pas(), 3u);
  auto etat = h.Annuler({{}, 0, 0});
  ASSERT_TRUE(etat);
  EXPECT_EQ(etat->focus, 4);
  // A state larger than the bound alone is still kept.
  Historique petit(10, 5);
  petit.Noter({Liste(50, "y"), 1, 1});
  EXPECT_TRUE(petit.PeutAnnuler());
}

}  // namespace
}  // namespace plivor::test
