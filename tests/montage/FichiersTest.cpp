// Loading, saving and importing lists: the bytes on disk, the questions
// asked, and what a cancelled or failed save leaves behind.

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "core/FichiersListe.h"

namespace plivor {
namespace {

using test::BancMontage;

// File services whose writes stop half-way, as on a full disk.
class FichiersDefaillants : public FichiersHote {
 public:
  bool refuser = true;

 protected:
  bool EcrireOctets(int descripteur, const std::string& contenu) override {
    if (!refuser) return FichiersHote::EcrireOctets(descripteur, contenu);
    FichiersHote::EcrireOctets(descripteur, contenu.substr(0, contenu.size() / 2));
    return false;
  }
};

// The files of the folder, the settings file aside.
QStringList Fichiers(const QTemporaryDir& dossier) {
  QStringList noms = QDir(dossier.path()).entryList(QDir::Files, QDir::Name);
  noms.removeAll(QStringLiteral("reglages.ini"));
  return noms;
}

TEST(Fichiers, UneListeEnLfEstReecriteEnCrLfOctetPourOctet) {
  BancMontage banc;
  banc.Image(QStringLiteral("images/une.jpg"));
  const std::string absolu = banc.Chemin(QStringLiteral("images/une.jpg"));
  // Windows-1252 é (0xE9) in a title; LF line ends.
  banc.Ecrire(QStringLiteral("voyage.pvl"), "Tempo=1500.pvi\n" + absolu + "\nTitrage=\xC9t\xE9.pvv\nFoo=Bar.pvi\n");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("voyage.pvl"))));
  EXPECT_EQ(m.Compte(), 4);
  EXPECT_EQ(m.TempoBase, "1500");
  EXPECT_FALSE(banc.vue->ListeModifiee);
  banc.vue->ListeModifiee = true;
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("voyage.pvl"));
  ASSERT_TRUE(m.Sauver());
  EXPECT_EQ(banc.dialogues.dialogues.last(), QStringLiteral("Sauver une liste Plivor"));
  EXPECT_EQ(banc.Lire(QStringLiteral("voyage.pvl")),
            "Tempo=1500.pvi\r\n" + absolu + "\r\nTitrage=\xC9t\xE9.pvv\r\nFoo=Bar.pvi\r\n");
  EXPECT_FALSE(banc.vue->ListeModifiee);
  EXPECT_EQ(Fichiers(banc.dossier), (QStringList{QStringLiteral("voyage.pvl")}));
}

TEST(Fichiers, LesLignesRelativesSEtendentDepuisLeDossierDeLaListe) {
  BancMontage banc;
  banc.Image(QStringLiteral("expo/photos/a.jpg"));
  banc.Ecrire(QStringLiteral("expo/expo.pvl"), "photos\\a.jpg\r\nphotos\\absente.jpg\r\nTempo=10.pvi\r\n/x/y.jpg\r\n");
  // The current folder is elsewhere: the list's own folder counts.
  banc.fichiers.ChangerDossier(banc.Chemin(QStringLiteral("")) + "/ailleurs");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("expo/expo.pvl"))));
  EXPECT_EQ(m.Lignes(), (Liste{banc.Chemin(QStringLiteral("expo/photos/a.jpg")), "photos\\absente.jpg", "Tempo=10.pvi",
                               "/x/y.jpg"}));
  EXPECT_EQ(m.DossierListe, banc.Chemin(QStringLiteral("expo")));
}

TEST(Fichiers, EnModeTexteLeChargementGardeChaqueLigne) {
  BancMontage banc;
  banc.Image(QStringLiteral("photos/a.jpg"));
  const std::string brut = "photos\\a.jpg\r\nphotos/a.jpg\r\n  espaces  \r\nTempo=10.pvi\r\n";
  banc.Ecrire(QStringLiteral("brut.pvl"), brut);
  Montage& m = *banc.montage;
  m.AfficherTexte(true);
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("brut.pvl"))));
  EXPECT_EQ(m.Lignes(), (Liste{"photos\\a.jpg", "photos/a.jpg", "  espaces  ", "Tempo=10.pvi"}));
  banc.vue->ListeModifiee = true;
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("brut2.pvl"));
  ASSERT_TRUE(m.Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("brut2.pvl")), brut);
}

TEST(Fichiers, UneEcritureQuiEchoueLaisseLAncienFichierIntact) {
  FichiersDefaillants defaillants;
  BancMontage banc(nullptr, &defaillants);
  defaillants.ChangerDossier(banc.fichiers.DossierCourant());
  const std::string ancien = "Tempo=1.pvi\r\nTempo=2.pvi\r\n";
  banc.Ecrire(QStringLiteral("liste.pvl"), ancien);
  Montage& m = *banc.montage;
  defaillants.refuser = false;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("liste.pvl"))));
  defaillants.refuser = true;
  m.Selectionner(0);
  m.Supprimer();
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("liste.pvl"));
  EXPECT_FALSE(m.Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("liste.pvl")), ancien);
  EXPECT_EQ(Fichiers(banc.dossier), (QStringList{QStringLiteral("liste.pvl")}));
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2.pvi"}));
  ASSERT_FALSE(banc.dialogues.textes.isEmpty());
  EXPECT_TRUE(banc.dialogues.textes.last().startsWith(QStringLiteral("Impossible d'écrire le fichier")))
      << banc.dialogues.textes.join(QLatin1Char('|')).toStdString();
}

TEST(Fichiers, AnnulerLaSauvegardeEnQuittantGardeLeProgrammeEtLesModifications) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("liste.pvl"), "Tempo=1.pvi\r\nTempo=2.pvi\r\n");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("liste.pvl"))));
  m.Selectionner(1);
  m.Supprimer();
  int fins = 0;
  QObject::connect(banc.vue.get(), &TFVue::Terminer, [&fins] { ++fins; });
  banc.dialogues.reponses << true;                 // save it? yes
  banc.dialogues.fichiers << std::nullopt;         // then the save dialog is cancelled
  banc.vue->Quitter(Emetteur::PopQuitter);
  EXPECT_EQ(fins, 0);
  EXPECT_FALSE(banc.vue->Fermeture);
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=1.pvi"}));
  EXPECT_EQ(banc.Lire(QStringLiteral("liste.pvl")), "Tempo=1.pvi\r\nTempo=2.pvi\r\n");

  // A save that does happen lets the program end.
  banc.dialogues.reponses << true;
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("liste.pvl"));
  banc.vue->Quitter(Emetteur::PopQuitter);
  EXPECT_EQ(fins, 1);
  EXPECT_EQ(banc.Lire(QStringLiteral("liste.pvl")), "Tempo=1.pvi\r\n");
}

TEST(Fichiers, NouvelleListeEtChargementSArretentSiLaSauvegardeEstAnnulee) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("liste.pvl"), "Tempo=1.pvi\r\nTempo=2.pvi\r\n");
  banc.Ecrire(QStringLiteral("autre.pvl"), "Tempo=3.pvi\r\n");
  Montage& m = *banc.montage;
  ASSERT_TRUE(m.Ouvrir(banc.Chemin(QStringLiteral("liste.pvl"))));
  m.Selectionner(0);
  m.Supprimer();
  banc.dialogues.reponses << true;
  banc.dialogues.fichiers << std::nullopt;
  EXPECT_FALSE(m.NvelleListe());
  EXPECT_EQ(banc.dialogues.textes.last(),
            QString::fromStdString("La liste " + VersUtf8(banc.Chemin(QStringLiteral("liste.pvl"))) +
                                   " a été modifiée, la sauvegarder ?"));
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2.pvi"}));
  banc.dialogues.reponses << true;
  banc.dialogues.fichiers << std::nullopt;
  EXPECT_FALSE(m.ChargerListe());
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=2.pvi"}));
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // No: the edits are dropped and the other list comes.
  banc.dialogues.reponses << false;
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("autre.pvl"));
  EXPECT_TRUE(m.ChargerListe());
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=3.pvi"}));
  EXPECT_TRUE(m.NvelleListe());
  EXPECT_EQ(m.NomListe, "Sans nom");
  EXPECT_EQ(m.Compte(), 0);
}

TEST(Fichiers, UnChargementAnnuleLeDit) {
  BancMontage banc;
  banc.Lignes({"Tempo=1.pvi"});
  banc.montage->NomListe = "Sans nom";
  EXPECT_FALSE(banc.montage->ChargerListe());
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Liste non chargée.\rListe en cours : Sans nom"));
  EXPECT_EQ(banc.montage->Lignes(), (Liste{"Tempo=1.pvi"}));
}

TEST(Fichiers, LesPointsDuNomSontGardes) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("voyage.pvl"), "Tempo=9.pvi\r\n");
  banc.Lignes({"Tempo=1.pvi"});
  banc.vue->ListeModifiee = true;
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("voyage.ete.pvl"));
  ASSERT_TRUE(banc.montage->Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("voyage.ete.pvl")), "Tempo=1.pvi\r\n");
  EXPECT_EQ(banc.Lire(QStringLiteral("voyage.pvl")), "Tempo=9.pvi\r\n");
  EXPECT_EQ(banc.montage->NomListe, banc.Chemin(QStringLiteral("voyage.ete.pvl")));
  // A dotted folder is left alone too.
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("mon.dossier/liste.pvl"));
  QDir().mkpath(banc.CheminHote(QStringLiteral("mon.dossier")));
  ASSERT_TRUE(banc.montage->Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("mon.dossier/liste.pvl")), "Tempo=1.pvi\r\n");
}

TEST(Fichiers, UnNomQuiRemplaceraitUnAutreFichierDemandeDAbord) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("voyage.ete.pvl"), "Tempo=9.pvi\r\n");
  banc.Lignes({"Tempo=1.pvi"});
  banc.vue->ListeModifiee = true;
  // "voyage.ete" is given the list extension; that file exists: asked, No.
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("voyage.ete"));
  banc.dialogues.reponses << false;
  EXPECT_FALSE(banc.montage->Sauver());
  EXPECT_EQ(banc.dialogues.textes.last(),
            QString::fromStdString("Le fichier \"" + VersUtf8(banc.Chemin(QStringLiteral("voyage.ete.pvl"))) +
                                   "\" existe déjà.\rLe remplacer ?"));
  EXPECT_EQ(banc.Lire(QStringLiteral("voyage.ete.pvl")), "Tempo=9.pvi\r\n");
  EXPECT_TRUE(banc.vue->ListeModifiee);
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("voyage.ete"));
  banc.dialogues.reponses << true;
  EXPECT_TRUE(banc.montage->Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("voyage.ete.pvl")), "Tempo=1.pvi\r\n");
}

TEST(Fichiers, UneListeVideNEstPasEcrite) {
  BancMontage banc;
  banc.Lignes({});
  EXPECT_FALSE(banc.montage->Sauver());
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("La liste est vide"));
  EXPECT_TRUE(banc.dialogues.dialogues.isEmpty());
}

TEST(Fichiers, UnFichierEnLectureSeuleEstRefuse) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("protegee.pvl"), "Tempo=9.pvi\r\n");
  QFile::setPermissions(banc.CheminHote(QStringLiteral("protegee.pvl")), QFile::ReadOwner | QFile::ReadGroup);
  banc.Lignes({"Tempo=1.pvi"});
  banc.vue->ListeModifiee = true;
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("protegee.pvl"));
  EXPECT_FALSE(banc.montage->Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("protegee.pvl")), "Tempo=9.pvi\r\n");
}

TEST(Fichiers, LeNomProposeSuitLesModifications) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("liste.pvl"), "Tempo=1.pvi\r\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("liste.pvl"))));
  EXPECT_FALSE(banc.montage->Sauver());  // unchanged: a new name is proposed; cancelled
  EXPECT_EQ(banc.dialogues.departs.last(), banc.CheminHote(QStringLiteral("NouveauNom")));
  banc.vue->ListeModifiee = true;
  EXPECT_FALSE(banc.montage->Sauver());
  EXPECT_EQ(banc.dialogues.departs.last(), banc.CheminHote(QStringLiteral("liste.pvl")));
  EXPECT_TRUE(banc.vue->ListeModifiee);
}

TEST(Fichiers, UnScriptPrendLesLignesDansLOrdreDeLaListe) {
  BancMontage banc;
  banc.Lignes({"Tempo=0.pvi", "Tempo=1.pvi", "Tempo=2.pvi", "Tempo=3.pvi", "Tempo=4.pvi", "Tempo=5.pvi"}, {5, 2});
  banc.montage->Transfert = {"Titrage=Garde.pvv"};
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("scene"));
  ASSERT_TRUE(banc.montage->EnregistrerScript());
  EXPECT_EQ(banc.Lire(QStringLiteral("scene.pvs")), "Tempo=2.pvi\r\nTempo=5.pvi\r\n");
  EXPECT_EQ(banc.montage->Transfert, (Liste{"Titrage=Garde.pvv"}));
  banc.montage->DefinirSelection({}, 0);
  EXPECT_FALSE(banc.montage->EnregistrerScript());
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Aucune ligne n'est sélectionnée !..."));
}

TEST(Fichiers, ImporterUneListeEtendSesLignesDepuisSonDossier) {
  BancMontage banc;
  banc.Ecrire(QStringLiteral("show/liste.pvl"), "images\\a.jpg\r\nTempo=2000.pvi\r\n/abs/b.jpg\r\n");
  banc.Lignes({"Tempo=0.pvi", "Tempo=1.pvi"});
  banc.montage->Selectionner(0);
  banc.montage->Selection();
  banc.montage->ImporterListe(banc.Chemin(QStringLiteral("show/liste.pvl")));
  EXPECT_EQ(banc.montage->Lignes(), (Liste{"Tempo=0.pvi", banc.Chemin(QStringLiteral("show/images/a.jpg")),
                                           "Tempo=2000.pvi", "/abs/b.jpg", "Tempo=1.pvi"}));
  EXPECT_TRUE(banc.vue->ListeModifiee);
}

}  // namespace
}  // namespace plivor

namespace plivor {
namespace {

TEST(FichiersUtf8, UneListeEnUtf8EstReecriteEnWindows1252EtSesIntraduisiblesSontDites) {
  test::BancMontage banc;
  // With its mark: UTF-8 even though one character has no Windows-1252 byte.
  banc.Ecrire(QStringLiteral("linux.pvl"), "\xEF\xBB\xBFTitrage=\xC3\x89t\xC3\xA9.pvv\nTitrage=\xE6\x97\xA5.pvv\n");
  ASSERT_TRUE(banc.montage->Ouvrir(banc.Chemin(QStringLiteral("linux.pvl"))));
  EXPECT_EQ(banc.montage->Lignes()[0], "Titrage=\xC9t\xE9.pvv");
  ASSERT_FALSE(banc.dialogues.textes.isEmpty());
  EXPECT_EQ(banc.dialogues.textes[0],
            QStringLiteral("Ligne 2 : caractères que Windows-1252 ne peut pas représenter, lus \"?\"."));
  banc.vue->ListeModifiee = true;
  // Saving asks before writing the line that lost its character; No: nothing written.
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("windows.pvl"));
  banc.dialogues.reponses << false;
  EXPECT_FALSE(banc.montage->Sauver());
  EXPECT_EQ(banc.dialogues.textes.last(),
            QStringLiteral("La liste contient 1 ligne(s) dont des caractères ne s'écrivent pas en Windows-1252 "
                           "(lus \"?\").\rLes enregistrer ainsi ?"));
  EXPECT_EQ(banc.Lire(QStringLiteral("windows.pvl")), "<absent>");
  // Once the line is gone, the list is written in Windows-1252.
  banc.montage->Selectionner(1);
  banc.montage->Supprimer();
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("windows.pvl"));
  ASSERT_TRUE(banc.montage->Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("windows.pvl")), "Titrage=\xC9t\xE9.pvv\r\n");
}

TEST(Suivi, LeMontageSuitLaLigneDeLaProjection) {
  test::BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  banc.Image(QStringLiteral("b.jpg"));
  banc.Lignes({"Tempo=500.pvi", banc.Chemin(QStringLiteral("a.jpg")), "Transition=Gauche.pvi",
               banc.Chemin(QStringLiteral("b.jpg"))},
              {3});
  banc.montage->Diaporama(EmetteurMontage::bts_suivi, false);
  banc.vue->Timer1.stop();
  EXPECT_TRUE(banc.montage->Visible);  // the montage stays open
  EXPECT_TRUE(banc.vue->SuiviListe);
  // The projection showed line 1 and holds line 3 pending: the montage's
  // current line is the one on screen... and follows each advance.
  EXPECT_EQ(banc.vue->IndexCourant, 3);
  EXPECT_EQ(banc.montage->Focus(), 2);
  banc.vue->Suivant(Emetteur::Minuterie);
  EXPECT_EQ(banc.vue->IndexCourant, 1);
  EXPECT_EQ(banc.montage->Focus(), 0);
}

}  // namespace
}  // namespace plivor
