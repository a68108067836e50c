// The list's checks and rewritings on real files: verification with its
// sub-lists, the relative copy and its ".bak", the deployment of nested and
// self-including lists, walking by type, and the object file choice. None
// of them may touch the user's clipboard or the undo snapshot.

#include <QDir>
#include <gtest/gtest.h>

#include "BancMontage.h"
#include "support/FichiersMemoire.h"
#include "montage/TFConstructeur.h"
#include "montage/TFListe.h"
#include "montage/Verification.h"

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>

namespace plivor {
namespace {

using test::BancMontage;

QStringList Fichiers(const QTemporaryDir& dossier) {
  QStringList noms = QDir(dossier.path()).entryList(QDir::Files, QDir::Name);
  noms.removeAll(QStringLiteral("reglages.ini"));
  return noms;
}

QString Dernier(const BancMontage& banc) { return banc.dialogues.textes.isEmpty() ? QString() : banc.dialogues.textes.last(); }

// A clipboard and an undo snapshot of the user's, to be found intact.
void TravailDeLUtilisateur(Montage& m) {
  m.Transfert = {"Tempo=777.pvi"};
  m.Selectionner(m.Compte() - 1);
  m.Copier();
  m.Transfert = {"Tempo=777.pvi"};
  m.InsererLigne(m.Compte(), "Tempo=5.pvi");
  m.Selectionner(m.Compte() - 1);
  m.Supprimer();  // the snapshot holds the list with Tempo=5.pvi at the end
}

void VerifierTravailIntact(Montage& m, const Liste& avantSuppression) {
  EXPECT_EQ(m.Transfert, (Liste{"Tempo=777.pvi"}));
  ASSERT_TRUE(m.Annulable());
  m.ListeUndo();
  EXPECT_EQ(m.Lignes(), avantSuppression);
}

// ---- Verification.

TEST(Verification, UneListeSaineSeTermineParLesRessourcesSontCompletes) {
  BancMontage banc;
  banc.Image(QStringLiteral("img/a.jpg"));
  banc.Image(QStringLiteral("sous/b.jpg"));
  // A sub-list whose relative line names a picture beside it.
  banc.Ecrire(QStringLiteral("sous/suite.pvl"), "b.jpg\r\nTempo=500.pvi\r\n");
  const Texte a = banc.Chemin(QStringLiteral("img/a.jpg")), suite = banc.Chemin(QStringLiteral("sous/suite.pvl"));
  banc.Lignes({"Tempo=2000.pvi", a, "Drapeau=Scène.pvd", suite, "Titrage=Bonjour.pvv"});
  Montage& m = *banc.montage;
  TravailDeLUtilisateur(m);
  const Liste avant = {"Tempo=2000.pvi", a, "Drapeau=Scène.pvd", suite, "Titrage=Bonjour.pvv", "Tempo=5.pvi"};
  EXPECT_EQ(VerifierListe(m), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Les ressources sont complètes !"));
  EXPECT_EQ(m.NombreSelectionnees(), 0);
  VerifierTravailIntact(m, avant);
}

TEST(Verification, UneSousListeAuFichierAbsentArreteSurSaLigneAvecSonMessage) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  banc.Ecrire(QStringLiteral("suite.pvl"), "Tempo=500.pvi\r\nmanque.jpg\r\n");
  const Texte a = banc.Chemin(QStringLiteral("a.jpg")), suite = banc.Chemin(QStringLiteral("suite.pvl"));
  banc.Lignes({a, suite, "Foo=Bar.pvi"});
  Montage& m = *banc.montage;
  TravailDeLUtilisateur(m);
  const Liste lignes = m.Lignes();
  EXPECT_EQ(VerifierListe(m), 1);
  EXPECT_EQ(Dernier(banc), QString::fromStdString("Erreur dans \"" + suite + "\" !\""));
  EXPECT_EQ(m.Selectionnees(), (std::vector<int>{1}));
  EXPECT_EQ(m.Focus(), 1);
  EXPECT_EQ(m.LigneCourante, 1);
  EXPECT_EQ(m.Lignes(), lignes);
  // The clipboard was not the reading buffer.
  EXPECT_EQ(m.Transfert, (Liste{"Tempo=777.pvi"}));
  EXPECT_TRUE(m.Annulable());
}

TEST(Verification, UnFichierAbsentOuUneInstructionInconnueArreteLaVerification) {
  BancMontage banc;
  banc.Image(QStringLiteral("a.jpg"));
  const Texte a = banc.Chemin(QStringLiteral("a.jpg"));
  Montage& m = *banc.montage;
  banc.Lignes({a, "Tempo=10.pvi", banc.Chemin(QStringLiteral("absente.jpg")), "Foo=Bar.pvi"});
  EXPECT_EQ(VerifierListe(m), 2);
  EXPECT_EQ(m.InfosCourantes().lignes.at(2), "F I C H I E R   A B S E N T");
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());

  banc.Lignes({a, "Foo=Bar.pvi", "Tempo=10.pvi"});
  EXPECT_EQ(VerifierListe(m), 1);
  EXPECT_EQ(m.InfosCourantes().lignes.at(2), "NON RECONNUE");

  banc.Ecrire(QStringLiteral("notes.xyz"), "x");
  banc.Lignes({a, banc.Chemin(QStringLiteral("notes.xyz"))});
  EXPECT_EQ(VerifierListe(m), 1);
  EXPECT_EQ(m.InfosCourantes().lignes.at(2), "LIGNE NON RECONNUE");
}

// ---- Relative copy.

class Relatif : public testing::Test {
 protected:
  void SetUp() override {
    banc.Image(QStringLiteral("show/img/a.jpg"));
    banc.Image(QStringLiteral("show/b.jpg"));
    banc.Ecrire(QStringLiteral("show/sons/chant.wav"), "RIFF");
    banc.Ecrire(QStringLiteral("show/sub.pvl"), "Tempo=1.pvi\r\n");
    banc.Ecrire(QStringLiteral("show/liste.pvl"), "ancienne\r\n");
    show = banc.Chemin(QStringLiteral("show"));
    lignes = {"Tempo=2000.pvi",
              banc.Chemin(QStringLiteral("show/img/a.jpg")),
              banc.Chemin(QStringLiteral("show/sons/chant.wav")),
              Cp("Séquence=") + banc.Chemin(QStringLiteral("show/sub.pvl")) + ".pvr",
              banc.Chemin(QStringLiteral("show/sub.pvl")),
              Cp("Drapeau=Scène.pvd"),
              banc.Chemin(QStringLiteral("show/b.jpg"))};
    banc.Lignes(lignes);
    m.NomListe = banc.Chemin(QStringLiteral("show/liste.pvl"));
    m.DossierListe = show;
    banc.vue->ListeModifiee = true;
  }

  std::string Relative() const {
    return Cp("Tempo=2000.pvi\r\nimg\\a.jpg\r\nsons\\chant.wav\r\nSéquence=sub.pvl.pvr\r\nsub.pvl\r\nDrapeau=Scène.pvd\r\n"
              "b.jpg\r\n");
  }

  BancMontage banc;
  Montage& m = *banc.montage;
  Texte show;
  Liste lignes;
};

TEST_F(Relatif, LaCopieRelativeEstEcriteEtLAncienneListeGardeeEnBak) {
  TravailDeLUtilisateur(m);
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show")) + QStringLiteral("/");
  banc.dialogues.reponses << true;
  ASSERT_TRUE(CheminRelatif(m));
  EXPECT_EQ(banc.dialogues.textes.last(),
            QString::fromStdString("Désirez-vous sauvegarder une liste relative dans \"" + VersUtf8(show) + "/\" ?"));
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.pvl")), Relative());
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.bak")), "ancienne\r\n");
  EXPECT_FALSE(banc.vue->ListeModifiee);
  EXPECT_EQ(m.NomListe, banc.Chemin(QStringLiteral("show/liste.pvl")));
  // The montage keeps its full paths; the user's work is untouched.
  Liste attendues = lignes;
  attendues.push_back("Tempo=5.pvi");
  VerifierTravailIntact(m, attendues);
}

TEST_F(Relatif, UneDeuxiemeCopieFaitTournerLesBakSansRienPerdre) {
  banc.Ecrire(QStringLiteral("show/liste.bak"), "plus ancienne\r\n");
  for (int i = 0; i < 2; ++i) {
    banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
    banc.dialogues.reponses << true;
    ASSERT_TRUE(CheminRelatif(m));
  }
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.pvl")), Relative());
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.bak")), Relative());
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.bak1")), "ancienne\r\n");
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.bak2")), "plus ancienne\r\n");
}

TEST_F(Relatif, UnFichierHorsDuDossierArreteTout) {
  banc.Image(QStringLiteral("ailleurs/c.jpg"));
  lignes.insert(lignes.begin() + 2, banc.Chemin(QStringLiteral("ailleurs/c.jpg")));
  banc.Lignes(lignes);
  m.NomListe = banc.Chemin(QStringLiteral("show/liste.pvl"));
  banc.vue->ListeModifiee = true;
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
  banc.dialogues.reponses << true;
  EXPECT_FALSE(CheminRelatif(m));
  ASSERT_EQ(banc.dialogues.textes.size(), 2);
  EXPECT_EQ(banc.dialogues.textes[0],
            QString::fromStdString("Le fichier \"c.jpg\" est extérieur au dossier \"" + VersUtf8(show) + "/\" !"));
  EXPECT_EQ(banc.dialogues.textes[1], QStringLiteral("Procédure interrompue !\rVérifier le contenu de la Liste."));
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.pvl")), "ancienne\r\n");
  EXPECT_EQ(QDir(banc.CheminHote(QStringLiteral("show"))).entryList(QDir::Files),
            (QStringList{QStringLiteral("b.jpg"), QStringLiteral("liste.pvl"), QStringLiteral("sub.pvl")}));
  EXPECT_TRUE(banc.vue->ListeModifiee);
}

TEST_F(Relatif, UnDossierAnnuleOuUnNonNEcriventRien) {
  EXPECT_FALSE(CheminRelatif(m));  // the folder dialog cancelled
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
  banc.dialogues.reponses << false;
  EXPECT_FALSE(CheminRelatif(m));
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.pvl")), "ancienne\r\n");
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.bak")), "<absent>");
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_EQ(Fichiers(banc.dossier), QStringList());
}

TEST_F(Relatif, UneListeSansNomDemandeSonNom) {
  m.NomListe = kSansNom;
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
  banc.dialogues.reponses << true;
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("show/nouvelle"));
  ASSERT_TRUE(CheminRelatif(m));
  EXPECT_EQ(banc.Lire(QStringLiteral("show/nouvelle.pvl")), Relative());
  EXPECT_EQ(m.NomListe, banc.Chemin(QStringLiteral("show/nouvelle.pvl")));
}

// A list written on Windows: drives, "\\" and letter case as there.
TEST(RelatifWindows, LeDisqueDAutresFichiersResteAbsoluEtUnDossierVoisinArrete) {
  test::FichiersMemoire disques(StyleChemins::Windows, "D:\\show");
  for (const char* f : {"D:\\show\\img\\a.jpg", "E:\\b.jpg", "D:\\other\\c.jpg"}) disques.Ajouter(f, "x");
  disques.Ajouter("D:\\show\\liste.pvl", "ancienne\r\n");
  BancMontage banc(nullptr, &disques);
  Montage& m = *banc.montage;
  banc.Lignes({"Tempo=2000.pvi", "D:\\SHOW\\img\\a.jpg", "E:\\b.jpg"});
  m.NomListe = "D:\\show\\liste.pvl";
  banc.dialogues.dossiers << QStringLiteral("D:\\show\\");
  banc.dialogues.reponses << true;
  ASSERT_TRUE(CheminRelatif(m));
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Désirez-vous sauvegarder une liste relative dans \"D:\\show\\\" ?"));
  EXPECT_EQ(disques.LireFichier("D:\\show\\liste.pvl"), "Tempo=2000.pvi\r\nimg\\a.jpg\r\nE:\\b.jpg\r\n");
  EXPECT_EQ(disques.LireFichier("D:\\show\\liste.bak"), "ancienne\r\n");

  banc.Lignes({"Tempo=2000.pvi", "D:\\other\\c.jpg"});
  m.NomListe = "D:\\show\\liste.pvl";
  banc.dialogues.dossiers << QStringLiteral("D:\\show");
  EXPECT_FALSE(CheminRelatif(m));
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Procédure interrompue !\rVérifier le contenu de la Liste."));
  EXPECT_EQ(disques.LireFichier("D:\\show\\liste.bak1"), std::nullopt);
}

// File services whose writes stop half-way, as on a full disk.
class FichiersPleins : public FichiersHote {
 protected:
  bool EcrireOctets(int descripteur, const std::string& contenu) override {
    FichiersHote::EcrireOctets(descripteur, contenu.substr(0, contenu.size() / 2));
    return false;
  }
};

TEST(RelatifDisquePlein, UneEcritureRateeRendLaListeEtNeDitPasEnregistre) {
  FichiersPleins pleins;
  BancMontage banc(nullptr, &pleins);
  pleins.ChangerDossier(banc.fichiers.DossierCourant());
  banc.Image(QStringLiteral("show/a.jpg"));
  banc.Ecrire(QStringLiteral("show/liste.pvl"), "ancienne\r\n");
  Montage& m = *banc.montage;
  banc.Lignes({banc.Chemin(QStringLiteral("show/a.jpg"))});
  m.NomListe = banc.Chemin(QStringLiteral("show/liste.pvl"));
  banc.vue->ListeModifiee = true;
  banc.dialogues.dossiers << banc.CheminHote(QStringLiteral("show"));
  banc.dialogues.reponses << true;
  EXPECT_FALSE(CheminRelatif(m));
  EXPECT_EQ(Dernier(banc),
            QString::fromStdString("Impossible d'écrire le fichier \"" + VersUtf8(banc.Chemin(QStringLiteral("show/liste.pvl"))) + "\"."));
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.pvl")), "ancienne\r\n");
  EXPECT_EQ(banc.Lire(QStringLiteral("show/liste.bak")), "<absent>");
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_EQ(m.NomListe, banc.Chemin(QStringLiteral("show/liste.pvl")));
}

// ---- Deployment.

TEST(Deploiement, LesSousListesImbriqueesSeDeploientAvecLeursCheminsJoints) {
  BancMontage banc;
  banc.Image(QStringLiteral("a/x.jpg"));
  banc.Image(QStringLiteral("a/b/y.jpg"));
  banc.Image(QStringLiteral("fin.jpg"));
  banc.Ecrire(QStringLiteral("a/sub1.pvl"), "x.jpg\r\nb\\sub2.pvl\r\nabc\r\nTempo=500.pvi\r\n");
  banc.Ecrire(QStringLiteral("a/b/sub2.pvl"), "y.jpg\r\nVignette=y.jpg.pvr\r\n");
  const Texte fin = banc.Chemin(QStringLiteral("fin.jpg"));
  banc.Lignes({"Tempo=1000.pvi", banc.Chemin(QStringLiteral("a/sub1.pvl")), fin});
  Montage& m = *banc.montage;
  TravailDeLUtilisateur(m);
  banc.vue->ListeModifiee = false;
  ASSERT_TRUE(DeployerPvl(m));
  EXPECT_TRUE(banc.vue->ListeModifiee);
  EXPECT_EQ(m.NombreSelectionnees(), 0);
  EXPECT_EQ(m.Transfert, (Liste{"Tempo=777.pvi"}));
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("deployee.pvl"));
  ASSERT_TRUE(m.Sauver());
  const std::string a = banc.Chemin(QStringLiteral("a")), b = banc.Chemin(QStringLiteral("a/b"));
  EXPECT_EQ(banc.Lire(QStringLiteral("deployee.pvl")),
            "Tempo=1000.pvi\r\nDrapeau=sub1.pvd\r\n" + a + "/x.jpg\r\nDrapeau=sub2.pvd\r\n" + b + "/y.jpg\r\nVignette=" + b +
                "/y.jpg.pvr\r\nTempo=500.pvi\r\n" + fin + "\r\n");
}

TEST(Deploiement, UneListeQuiSeContientNEstDeployeeQuUneFois) {
  BancMontage banc;
  banc.Image(QStringLiteral("i.jpg"));
  const Texte boucle = banc.Chemin(QStringLiteral("boucle.pvl")), b = banc.Chemin(QStringLiteral("b.pvl")),
              c = banc.Chemin(QStringLiteral("c.pvl"));
  banc.Ecrire(QStringLiteral("boucle.pvl"), "i.jpg\r\nboucle.pvl\r\n");
  banc.Ecrire(QStringLiteral("b.pvl"), "Tempo=1.pvi\r\nc.pvl\r\n");
  banc.Ecrire(QStringLiteral("c.pvl"), "Tempo=2.pvi\r\nb.pvl\r\n");
  banc.Lignes({boucle, b});
  Montage& m = *banc.montage;
  ASSERT_TRUE(DeployerPvl(m));
  const Texte i = banc.Chemin(QStringLiteral("i.jpg"));
  EXPECT_EQ(m.Lignes(), (Liste{"Drapeau=boucle.pvd", i, boucle, "Drapeau=b.pvd", "Tempo=1.pvi", "Drapeau=c.pvd",
                               "Tempo=2.pvi", b}));
  ASSERT_EQ(banc.dialogues.textes.size(), 2);
  EXPECT_EQ(banc.dialogues.textes[0],
            QString::fromStdString("La liste \"" + boucle + "\" se contient elle-même : elle n'est déployée qu'une fois."));
  EXPECT_EQ(banc.dialogues.textes[1],
            QString::fromStdString("La liste \"" + b + "\" se contient elle-même : elle n'est déployée qu'une fois."));
}

TEST(Deploiement, ListeVideOuSousListeIlliible) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes({});
  EXPECT_FALSE(DeployerPvl(m));
  EXPECT_EQ(Dernier(banc), QStringLiteral("La liste est vide..."));

  const Texte absente = banc.Chemin(QStringLiteral("absente.pvl"));
  banc.Lignes({"Tempo=1.pvi", absente});
  EXPECT_FALSE(DeployerPvl(m));
  EXPECT_EQ(Dernier(banc), QString::fromStdString("Le fichier \"" + absente + "\" est absent ou illisible.\rContinuer sans ce fichier ?"));
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=1.pvi", absente}));
  EXPECT_FALSE(banc.vue->ListeModifiee);
}

// ---- Walking by type or instruction.

class Parcours : public testing::Test {
 protected:
  void SetUp() override {
    banc.Image(QStringLiteral("i1.jpg"));
    banc.Image(QStringLiteral("i2.jpg"));
    banc.Ecrire(QStringLiteral("son.wav"), "RIFF");
    banc.Ecrire(QStringLiteral("sub.pvl"), "Tempo=1.pvi\r\n");
    banc.Lignes({"Tempo=2000.pvi", banc.Chemin(QStringLiteral("i1.jpg")), banc.Chemin(QStringLiteral("son.wav")),
                 "Titrage=Salut.pvv", "Transition=Gauche.pvi", banc.Chemin(QStringLiteral("i2.jpg")),
                 "Avance=Pause.pvi", "Tempo=1000.pvi", "Drapeau=A.pvd", banc.Chemin(QStringLiteral("sub.pvl")),
                 banc.Chemin(QStringLiteral("manque.jpg"))});
  }
  std::optional<int> Depuis(int ligne, bool suivant, bool gauche) {
    m.Selectionner(ligne);
    m.LigneCourante = ligne;
    return Parcourir(m, suivant, gauche);
  }

  BancMontage banc;
  Montage& m = *banc.montage;
};

TEST_F(Parcours, LeBoutonGaucheSuitLeTypeEtLAutreLInstruction) {
  EXPECT_EQ(Depuis(1, true, true), 3);   // the text value is a visual too
  EXPECT_EQ(m.LigneCourante, 3);
  EXPECT_EQ(m.Selectionnees(), (std::vector<int>{3}));
  EXPECT_EQ(Parcourir(m, true, true), 5);
  EXPECT_EQ(Parcourir(m, true, true), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Pas d'autres visuels\raprès cette ligne..."));
  EXPECT_EQ(Depuis(1, true, false), 5);  // images only
  EXPECT_EQ(Depuis(5, false, true), 3);
  // Tempo (9) and Avance (1) are instructions of the same type (40).
  EXPECT_EQ(Depuis(0, true, true), 6);
  EXPECT_EQ(Depuis(0, true, false), 7);
  EXPECT_EQ(Depuis(7, true, false), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Pas d'autres instructions \"Tempo\"\raprès cette ligne..."));
  EXPECT_EQ(Depuis(2, true, true), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Pas d'autres sons\raprès cette ligne..."));
  EXPECT_EQ(Depuis(10, false, true), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Pas d'autres Erreur ou absent\ravant cette ligne..."));
  EXPECT_EQ(Depuis(9, false, true), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Pas d'autres sous-liste\ravant cette ligne..."));
  EXPECT_EQ(Depuis(8, false, true), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Pas d'autres drapeau\ravant cette ligne..."));
  EXPECT_EQ(Depuis(4, true, true), std::nullopt);
  EXPECT_EQ(Dernier(banc), QStringLiteral("Pas d'autres instructions de même type\raprès cette ligne..."));
  // A document line has no family: nothing is walked, nothing said.
  banc.Ecrire(QStringLiteral("notes.rtf"), "{\\rtf1}");
  m.InsererLigne(11, banc.Chemin(QStringLiteral("notes.rtf")));
  const auto dits = banc.dialogues.textes.size();
  EXPECT_EQ(Depuis(11, false, true), std::nullopt);
  EXPECT_EQ(banc.dialogues.textes.size(), dits);
}

// ---- Object file.

TEST(ChoixObjet, UnAbandonNeRetireQueLaLigneQueLeConstructeurVientDInserer) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes({"Tempo=1.pvi", Cp("Séquence=Choisir.pvr"), "Tempo=2.pvi"});
  m.Selectionner(1);
  // An existing line opened to change keeps its place.
  EXPECT_EQ(ChoisirObjet(m, false, false), std::nullopt);
  EXPECT_EQ(m.Compte(), 3);
  // The formatting panel's file box never removes a line.
  EXPECT_EQ(ChoisirObjet(m, true, true), std::nullopt);
  EXPECT_EQ(m.Compte(), 3);
  // Just inserted and still waiting for its file: it goes.
  EXPECT_EQ(ChoisirObjet(m, false, true), std::nullopt);
  EXPECT_EQ(m.Lignes(), (Liste{"Tempo=1.pvi", "Tempo=2.pvi"}));

  // A line that already names its file is never removed.
  banc.Lignes({Cp("Séquence=/tmp/a.pvl.pvr")});
  m.Selectionner(0);
  EXPECT_EQ(ChoisirObjet(m, false, true), std::nullopt);
  EXPECT_EQ(m.Compte(), 1);
}

TEST(ChoixObjet, LeFichierChoisiDevientLaLigneOuRemplitLaBoite) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Ecrire(QStringLiteral("doc.rtf"), "{\\rtf1}");
  banc.Ecrire(QStringLiteral("suite.pvl"), "Tempo=1.pvi\r\n");
  banc.Lignes({"Objet=Texte Rtf.pvi", Cp("Séquence=Choisir.pvr"), "Tempo=9.pvi"});
  m.Selectionner(0);
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("doc.rtf"));
  EXPECT_EQ(ChoisirObjet(m, false, true), banc.Chemin(QStringLiteral("doc.rtf")));
  m.Selectionner(1);
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("suite.pvl"));
  ChoisirObjet(m, false, true);
  EXPECT_EQ(m.Lignes(), (Liste{"ObjetX=" + banc.Chemin(QStringLiteral("doc.rtf")) + ".pvr",
                               Cp("Séquence=") + banc.Chemin(QStringLiteral("suite.pvl")) + ".pvr", "Tempo=9.pvi"}));
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // From the file box: the path comes back, no line changes.
  m.Selectionner(2);
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("doc.rtf"));
  EXPECT_EQ(ChoisirObjet(m, true), banc.Chemin(QStringLiteral("doc.rtf")));
  EXPECT_EQ(m.Lignes().at(2), "Tempo=9.pvi");
}

// ---- Script export.

TEST(ExportScript, LeScriptNePassePasParLePresseDiaposNiParLInstantane) {
  BancMontage banc;
  Montage& m = *banc.montage;
  banc.Lignes({"Tempo=1.pvi", "Tempo=2.pvi", "Tempo=3.pvi"});
  TravailDeLUtilisateur(m);
  m.DefinirSelection({2, 0}, 2);
  banc.dialogues.fichiers << banc.CheminHote(QStringLiteral("choix.pvs"));
  ASSERT_TRUE(m.EnregistrerScript());
  EXPECT_EQ(banc.Lire(QStringLiteral("choix.pvs")), "Tempo=1.pvi\r\nTempo=3.pvi\r\n");
  VerifierTravailIntact(m, {"Tempo=1.pvi", "Tempo=2.pvi", "Tempo=3.pvi", "Tempo=5.pvi"});
}


// ---- In the window, with the builder.

class FenetreOutils : public testing::Test {
 protected:
  FenetreOutils() {
    fenetre = std::make_unique<TFListe>(*banc.vue, banc.fichiers);
    banc.voisins.montage = &fenetre->Moteur();
  }
  Montage& M() { return fenetre->Moteur(); }
  Constructeur& C() { return fenetre->Instructions()->Moteur(); }
  void Choisir(BoutonInstruction bouton, bool gauche, const Texte& ligne) {
    C().NvelleInstruction(bouton, gauche);
    const auto trouve = std::find(C().Candidats().begin(), C().Candidats().end(), ligne);
    ASSERT_NE(trouve, C().Candidats().end()) << ligne;
    C().ChoixCmd(static_cast<int>(trouve - C().Candidats().begin()));
  }

  BancMontage banc;
  std::unique_ptr<TFListe> fenetre;
};

TEST_F(FenetreOutils, LeMenuPlusOffreLesOutilsDansLOrdre) {
  QStringList textes;
  for (QAction* a : fenetre->PopPlus()->actions()) textes << (a->isSeparator() ? QStringLiteral("-") : a->text());
  ASSERT_GE(textes.size(), 5);
  EXPECT_EQ(textes.mid(0, 5), (QStringList{QStringLiteral("Définir Tempo de Base"), QStringLiteral("Déployer les listes *.pvl"),
                                           QStringLiteral("Créer un chemin relatif"), QStringLiteral("-"),
                                           QStringLiteral("Vérifier la liste")}));
}

TEST_F(FenetreOutils, LeConstructeurOuvreLeChoixDObjetEtLePanneauDuMenu) {
  M().RecevoirListe({"Tempo=1.pvi", Cp("Séquence=/ailleurs/suite.pvl.pvr")}, banc.Chemin(QStringLiteral("liste.pvl")),
                    banc.fichiers.DossierCourant(), 0, false);
  M().Selectionner(0);
  M().LigneCourante = 0;
  // An object instruction inserted, its file choice cancelled: it goes.
  Choisir(BoutonInstruction::Audio, false, Cp("Objet=Séquence Plivor.pvi"));
  EXPECT_EQ(banc.dialogues.dialogues.last(), QStringLiteral("Charger une liste"));
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1.pvi", Cp("Séquence=/ailleurs/suite.pvl.pvr")}));
  // An existing sequence line opened to change, cancelled: it stays.
  M().Selectionner(1);
  M().LigneCourante = 1;
  C().ModifierCmd();
  EXPECT_EQ(banc.dialogues.dialogues.size(), 2);
  EXPECT_EQ(M().Compte(), 2);
  // "Menu=Créer" opens the scene menu panel; a cancel takes the line back.
  M().Selectionner(0);
  M().LigneCourante = 0;
  Choisir(BoutonInstruction::Avance, false, Cp("Menu=Créer.pvi"));
  ASSERT_TRUE(fenetre->Menus().Ouvert);
  EXPECT_TRUE(fenetre->findChild<QWidget*>(QStringLiteral("Menu_Pn"))->isVisibleTo(fenetre.get()));
  EXPECT_EQ(M().Lignes().at(1), Cp("Menu=Créer.pvi"));
  fenetre->Menus().CreerMenu(BoutonMenu::Annuler);
  EXPECT_FALSE(fenetre->findChild<QWidget*>(QStringLiteral("Menu_Pn"))->isVisibleTo(fenetre.get()));
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1.pvi", Cp("Séquence=/ailleurs/suite.pvl.pvr")}));
}

TEST_F(FenetreOutils, LesBoutonsSuivantEtPrecedentParcourentEtRemontentLaLigneTrouvee) {
  banc.Image(QStringLiteral("i.jpg"));
  const Texte image = banc.Chemin(QStringLiteral("i.jpg"));
  Liste lignes(200, "Transition=Gauche.pvi");
  lignes[0] = lignes[150] = image;
  lignes[10] = "Tempo=100.pvi";
  lignes[155] = "Tempo=200.pvi";
  M().RecevoirListe(lignes, banc.Chemin(QStringLiteral("liste.pvl")), banc.fichiers.DossierCourant(), 0, false);
  fenetre->resize(234, 654);
  fenetre->show();
  QApplication::processEvents();
  M().Selectionner(0);
  M().LigneCourante = 0;
  const auto appuyer = [this](const char* nom, Qt::MouseButton bouton) {
    auto* b = fenetre->findChild<QWidget*>(QString::fromLatin1(nom));
    ASSERT_NE(b, nullptr) << nom;
    QMouseEvent appui(QEvent::MouseButtonPress, QPointF(4, 4), b->mapToGlobal(QPointF(4, 4)), bouton, bouton,
                      Qt::NoModifier);
    QApplication::sendEvent(b, &appui);
    QApplication::processEvents();
  };
  appuyer("bts_suivant", Qt::LeftButton);
  EXPECT_EQ(M().LigneCourante, 150);
  // Found 150 lines down: it comes up with four lines above it.
  EXPECT_EQ(fenetre->Liste()->indexAt(QPoint(1, 1)).row(), 146);
  // The right button walks by instruction: from the second tempo, the first.
  M().Selectionner(155);
  M().LigneCourante = 155;
  appuyer("bts_precedent", Qt::RightButton);
  EXPECT_EQ(M().LigneCourante, 10);
  appuyer("bts_precedent", Qt::LeftButton);
  EXPECT_EQ(M().LigneCourante, 10);
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Pas d'autres instructions de même type\ravant cette ligne..."));
  fenetre->hide();
}

}  // namespace
}  // namespace plivor
