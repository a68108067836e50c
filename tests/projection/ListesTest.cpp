#include <gtest/gtest.h>

#include "support/BancVue.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancVue;

class Listes : public testing::Test {
 protected:
  Listes() { test::EcrireBmp(banc.CheminHote("a.bmp"), test::Unie(20, 20, Qt::red)); }
  TFVue& vue() { return *banc.vue; }
  void EcrireListe(const QString& nom, const Liste& lignes) {
    std::string texte;
    for (const Texte& l : lignes) texte += l + "\r\n";
    banc.EcrireTexte(nom, texte);
  }
  BancVue banc;
};

TEST_F(Listes, LaListeDIntroductionDesOptionsEstChargeeEtDemarree) {
  EcrireListe("Plivor.pvl", {"Tempo=1200.pvi", banc.Chemin("a.bmp")});
  vue().Ouverture();
  EXPECT_EQ(vue().Medias.size(), 2u);
  EXPECT_EQ(vue().CheminListe, banc.Chemin("Plivor.pvl"));
  EXPECT_EQ(vue().DossierProjection, banc.fichiers.DossierCourant());
  EXPECT_TRUE(vue().AvanceAuto);
  EXPECT_EQ(vue().Timer1.interval(), 1200);
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

TEST_F(Listes, SansListeDIntroductionLaListeIntegreeJoue) {
  vue().Ouverture();
  EXPECT_EQ(banc.dialogues.textes.value(0),
            QStringLiteral("Liste ") + banc.CheminHote("Plivor.pvl") +
                QString::fromUtf8(" non trouvée.\rChoisir une autre liste Plivor."));
  EXPECT_EQ(banc.dialogues.dialogues.value(0), QStringLiteral("Charger une liste"));
  EXPECT_EQ(vue().Medias, ListeIntroduction());
  for (int tic = 0; tic < 10 && vue().AvanceAuto; ++tic) vue().Suivant(Emetteur::Minuterie);
  EXPECT_FALSE(vue().AvanceAuto);
  EXPECT_EQ(vue().IndexCourant, 13);
}

TEST_F(Listes, UneListeAucuneEnCapitalesDemarreVideSansMessage) {
  banc.options->opt_ListeIntro = QStringLiteral("AUCUNE");
  banc.options->LireOptions();  // no saved settings: the name typed stays
  ASSERT_EQ(vue().CheminListe, banc.Chemin("AUCUNE"));
  vue().Ouverture();
  EXPECT_TRUE(vue().Medias.empty());
  EXPECT_EQ(vue().CheminListe, "Sans nom");
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
  EXPECT_TRUE(banc.voisins.panneau);
}

TEST_F(Listes, LaLigneDeCommandeNeCompteQuAvecLaListeIntegree) {
  EcrireListe("Plivor.pvl", {"Tempo=1200.pvi", banc.Chemin("a.bmp")});
  EcrireListe("Autre.pvl", {"Tempo=900.pvi", banc.Chemin("a.bmp")});
  vue().Arguments = {banc.Chemin("Autre.pvl")};
  vue().Ouverture();
  EXPECT_EQ(vue().CheminListe, banc.Chemin("Autre.pvl"));
  // Later loads from other windows ignore it.
  vue().NomDialogueOuvrir = banc.Chemin("Plivor.pvl");
  vue().ChargerListe(Emetteur::Aucun);
  EXPECT_EQ(vue().CheminListe, banc.Chemin("Plivor.pvl"));
}

TEST_F(Listes, UnFichierVideEstUneListeVierge) {
  banc.EcrireTexte("Vide.pvl", "");
  vue().NomDialogueOuvrir = banc.Chemin("Vide.pvl");
  vue().ChargerListe(Emetteur::Aucun);
  EXPECT_TRUE(vue().Medias.empty());
  EXPECT_EQ(vue().CheminListe, banc.Chemin("Vide.pvl"));
  EXPECT_EQ(banc.dialogues.textes.value(0),
            QStringLiteral("La liste \"") + banc.CheminHote("Vide.pvl") +
                QString::fromUtf8("\" est Vierge.\rOuvrir la fenêtre de montage pour ajouter des médias."));
  EXPECT_TRUE(banc.voisins.panneau);
}

TEST_F(Listes, OuvrirUneSequenceDepuisLeMenu) {
  EcrireListe("Choisie.pvl", {"Tempo=800.pvi", banc.Chemin("a.bmp")});
  banc.dialogues.fichiers = {banc.CheminHote("Choisie.pvl")};
  vue().ChargerListe(Emetteur::PopOuvrir);
  EXPECT_EQ(vue().CheminListe, banc.Chemin("Choisie.pvl"));
  EXPECT_EQ(vue().Timer1.interval(), 800);
  // Cancelled: the list in place stays.
  vue().ChargerListe(Emetteur::PopOuvrir);
  EXPECT_EQ(vue().Medias.size(), 2u);
}

TEST_F(Listes, UneLigneSequenceRemplaceLaListe) {
  EcrireListe("Suite.pvl", {"Tempo=650.pvi", banc.Chemin("a.bmp")});
  vue().Medias = {Cp("Séquence=") + banc.Chemin("Suite.pvl") + ".pvr", "Tempo=100.pvi"};
  vue().IndexCourant = 0;
  vue().Charger(vue().Medias[0]);
  EXPECT_EQ(vue().CheminListe, banc.Chemin("Suite.pvl"));
  EXPECT_EQ(vue().Timer1.interval(), 650);
}

TEST_F(Listes, QuitterNonPuisNonGardeLeProgramme) {
  int fins = 0;
  QObject::connect(banc.vue.get(), &TFVue::Terminer, [&fins] { ++fins; });
  vue().Medias = {banc.Chemin("a.bmp")};
  vue().AvanceAM(Emetteur::Aucun);
  vue().ListeModifiee = true;
  banc.voisins.nomListeMontage = "Vacances.pvl";
  banc.dialogues.reponses = {false, false};
  vue().Quitter(Emetteur::Menu);
  EXPECT_EQ(banc.dialogues.textes,
            (QStringList{QString::fromUtf8("La liste Vacances.pvl a été modifiée, la sauvegarder ?"),
                         QStringLiteral("         Quitter le programme ?")}));
  EXPECT_EQ(fins, 0);
  EXPECT_FALSE(vue().Fermeture);
  EXPECT_FALSE(vue().AvanceAuto);  // the show stays stopped
}

TEST_F(Listes, QuitterRendLesVolumesDOrigine) {
  int fins = 0;
  QObject::connect(banc.vue.get(), &TFVue::Terminer, [&fins] { ++fins; });
  banc.audio.RegleVolume(Peripherique::Onde, {150 * 256, 150 * 256});
  banc.audio.RegleVolume(Peripherique::Midi, {90 * 256, 90 * 256});
  vue().Ouverture();
  banc.audio.RegleVolume(Peripherique::Onde, {3, 3});
  banc.audio.RegleVolume(Peripherique::Midi, {3, 3});
  vue().ListeModifiee = true;
  banc.dialogues.reponses = {true};
  vue().Quitter(Emetteur::Menu);
  EXPECT_EQ(fins, 1);
  EXPECT_EQ(banc.voisins.sauvegardes, 1);
  EXPECT_EQ(banc.audio.Volume(Peripherique::Onde).gauche, 150 * 256);
  EXPECT_EQ(banc.audio.Volume(Peripherique::Midi).droite, 90 * 256);
}

TEST_F(Listes, EditerConfieLaListeAuMontage) {
  vue().Medias = {"Tempo=100.pvi", banc.Chemin("a.bmp")};
  vue().IndexCourant = 1;
  vue().EditerListe(Emetteur::Menu);
  EXPECT_TRUE(banc.voisins.montage);
  EXPECT_EQ(banc.voisins.listeMontage, vue().Medias);
  EXPECT_EQ(banc.voisins.ligneMontage, 1);
  banc.voisins.montage = false;
  vue().ListePropre = false;
  vue().EditerListe(Emetteur::Menu);
  EXPECT_FALSE(banc.voisins.montage);
}

TEST_F(Listes, ListerOuvreLOuvreur) {
  vue().Medias = {banc.Chemin("a.bmp")};
  vue().AvanceAM(Emetteur::Aucun);
  vue().Lister(Emetteur::Menu);
  EXPECT_TRUE(banc.voisins.ouvreur);
  EXPECT_FALSE(vue().AvanceAuto);
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

TEST_F(Listes, UneListeUtf8AvecDesCaracteresHorsWindows1252EstSignalee) {
  // Marked as UTF-8: unmarked, a character Windows-1252 cannot hold makes
  // the text Windows-1252.
  banc.EcrireTexte("Linux.pvl", "\xEF\xBB\xBFTitrage=Caf\xC3\xA9.pvv\r\nTitrage=\xE2\x86\x92 fl\xC3\xA8" "che.pvv\r\n");
  vue().NomDialogueOuvrir = banc.Chemin("Linux.pvl");
  vue().ChargerListe(Emetteur::Aucun);
  ASSERT_EQ(vue().Medias.size(), 2u);
  EXPECT_EQ(vue().Medias[0], Cp("Titrage=Café.pvv"));
  EXPECT_EQ(vue().Medias[1], Cp("Titrage=? flèche.pvv"));
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_TRUE(banc.dialogues.textes[0].contains(QStringLiteral("1 ligne(s)")));
}

}  // namespace
}  // namespace plivor
