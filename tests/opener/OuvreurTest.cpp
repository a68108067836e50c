// The opener's engine on generated folders: thumbnails, the list of
// sequences and its cut and paste, deployment, saving and projecting.

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "montage/BancMontage.h"
#include "opener/Ouvreur.h"
#include "support/ImagesEssai.h"

namespace plivor {
namespace {

using test::BancMontage;

class OuvreurTest : public testing::Test {
 protected:
  OuvreurTest() {
    QDir().mkpath(banc.CheminHote(QStringLiteral("seq/img")));
    QDir().mkpath(banc.CheminHote(QStringLiteral("autre")));
    ouvreur = std::make_unique<Ouvreur>(*banc.vue, banc.CheminHote(QStringLiteral("seq")));
  }
  QImage Vignette() const { return ouvreur->Vignette; }
  void Rouvrir(const char* dossier) { ASSERT_TRUE(ouvreur->OuvrirDossier(banc.CheminHote(QString::fromUtf8(dossier)))); }

  BancMontage banc;
  std::unique_ptr<Ouvreur> ouvreur;
};

TEST_F(OuvreurTest, UneImageCompagneEstMontreeSansLireLaListe) {
  test::EcrireBmp(banc.CheminHote(QStringLiteral("seq/voyage.bmp")), test::Unie(60, 40, Qt::green));
  test::EcrireJpeg(banc.CheminHote(QStringLiteral("seq/img/rouge.jpg")), test::Unie(60, 40, Qt::red));
  banc.Ecrire(QStringLiteral("seq/voyage.pvl"), "img\\rouge.jpg\r\n");
  Rouvrir("seq");
  ASSERT_EQ(ouvreur->Fichiers, QStringList{QStringLiteral("voyage.pvl")});
  EXPECT_TRUE(ouvreur->VignetteVisible);
  EXPECT_FALSE(ouvreur->VignetteCentree);
  EXPECT_EQ(Vignette().size(), QSize(60, 40));
  EXPECT_TRUE(test::Proche(Vignette().pixelColor(30, 20), Qt::green));
  // The projection prepared nothing: the list was not read.
  EXPECT_TRUE(banc.vue->Photo.isNull());
}

TEST_F(OuvreurTest, LImageCompagneSeCherchePresDuNomDeLaSequence) {
  // A folder named like a list does not cut the name short.
  QDir().mkpath(banc.CheminHote(QStringLiteral("x.pvl.d")));
  test::EcrireBmp(banc.CheminHote(QStringLiteral("x.pvl.d/vue.bmp")), test::Unie(30, 20, Qt::blue));
  banc.Ecrire(QStringLiteral("x.pvl.d/vue.pvl"), "Tempo=1.pvi\r\n");
  Rouvrir("x.pvl.d");
  ASSERT_TRUE(ouvreur->VignetteVisible);
  EXPECT_TRUE(test::Proche(Vignette().pixelColor(15, 10), Qt::blue));
}

TEST_F(OuvreurTest, SansImageCompagneLaPremiereImageDeLaListe) {
  test::EcrireJpeg(banc.CheminHote(QStringLiteral("seq/img/bleu.jpg")), test::Unie(80, 60, Qt::blue));
  banc.Ecrire(QStringLiteral("seq/sortie.pvl"), "Tempo=1500.pvi\r\nimg\\absente.jpg\r\nimg\\bleu.jpg\r\n");
  banc.vue->CodeDiapo = 470;
  Rouvrir("seq");
  EXPECT_TRUE(ouvreur->VignetteVisible);
  EXPECT_TRUE(ouvreur->VignetteCentree);
  const QImage v = Vignette();
  ASSERT_FALSE(v.isNull());
  EXPECT_TRUE(test::Proche(v.pixelColor(v.width() / 2, v.height() / 2), Qt::blue));
  EXPECT_EQ(ouvreur->TrApercu, QStringLiteral("Aperçu"));
  // The projection's slide code is as it was.
  EXPECT_EQ(banc.vue->CodeDiapo, 470);
  EXPECT_FALSE(banc.vue->ExecutionMuette);
}

TEST_F(OuvreurTest, SansImageRessourcesAbsentes) {
  banc.Ecrire(QStringLiteral("seq/vide.pvl"), "Tempo=1500.pvi\r\nimg\\absente.jpg\r\n");
  Rouvrir("seq");
  EXPECT_FALSE(ouvreur->VignetteVisible);
  EXPECT_EQ(ouvreur->TrApercu, QStringLiteral("Ressources absentes!..."));
}

// A in another folder with relative lines, B with absolute ones.
class Composition : public OuvreurTest {
 protected:
  Composition() {
    test::EcrireJpeg(banc.CheminHote(QStringLiteral("autre/img/a1.jpg")), test::Unie(40, 30, Qt::red));
    test::EcrireJpeg(banc.CheminHote(QStringLiteral("seq/b1.jpg")), test::Unie(40, 30, Qt::blue));
    banc.Ecrire(QStringLiteral("autre/A.pvl"),
                Cp("Tempo=1500.pvi\r\nimg\\a1.jpg\r\n.pvi\r\nx.pvv\r\nSéquence=B.pvl.pvr\r\nTitrage=Un.pvv\r\n"));
    b1 = banc.Chemin(QStringLiteral("seq/b1.jpg"));
    banc.Ecrire(QStringLiteral("seq/B.pvl"), "Transition=Gauche.pvi\r\n" + b1 + "\r\n");
    a = banc.Chemin(QStringLiteral("autre/A.pvl"));
    b = banc.Chemin(QStringLiteral("seq/B.pvl"));
    // A from the other folder, then B.
    Rouvrir("autre");
    ouvreur->ImporterFin();
    Rouvrir("seq");
    ouvreur->ImporterFin();
  }
  Texte a, b, b1;
};

TEST_F(Composition, DeuxSequencesDeployeesSauveesEtComparees) {
  ASSERT_EQ(ouvreur->Lignes, (Liste{a, b}));
  const QString cible = banc.CheminHote(QStringLiteral("seq/Ensemble.pvl"));
  banc.dialogues.fichiers = {cible};
  ASSERT_TRUE(ouvreur->Sauver());
  EXPECT_EQ(banc.dialogues.dialogues, QStringList{QStringLiteral("Sauver une liste Plivor")});
  EXPECT_EQ(banc.dialogues.departs, QStringList{banc.CheminHote(QStringLiteral("seq/Nouveau nom.pvl"))});
  const std::string attendu = "Drapeau=A.pvd\r\nTempo=1500.pvi\r\n" + banc.Chemin(QStringLiteral("autre/img/a1.jpg")) +
                              "\r\nx.pvv\r\nTitrage=Un.pvv\r\nDrapeau=B.pvd\r\nTransition=Gauche.pvi\r\n" + b1 + "\r\n";
  EXPECT_EQ(banc.Lire(QStringLiteral("seq/Ensemble.pvl")), attendu);
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
  // The saved list is the projection's: its flag menu has one flag a sequence.
  banc.vue->CreerPopDrapeaux();
  EXPECT_EQ(banc.vue->DPop, (std::vector<Texte>{"A", "B"}));
  // A name without extension takes ".pvl".
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("seq/Sans"))};
  ASSERT_TRUE(ouvreur->Sauver());
  EXPECT_EQ(banc.Lire(QStringLiteral("seq/Sans.pvl")), attendu);
}

TEST_F(Composition, UneSauvegardeImpossibleEstDiteEtNAbouteAPas) {
  const QString cible = banc.CheminHote(QStringLiteral("absent/Ensemble.pvl"));
  banc.dialogues.fichiers = {cible};
  EXPECT_FALSE(ouvreur->Sauver());
  EXPECT_EQ(banc.dialogues.textes,
            QStringList{QStringLiteral("Impossible d'écrire le fichier \"") + cible + QStringLiteral("\".")});
  EXPECT_FALSE(QFile::exists(cible));
  // Cancelled: nothing written, nothing said.
  banc.dialogues.textes.clear();
  banc.dialogues.fichiers = {std::nullopt};
  EXPECT_FALSE(ouvreur->Sauver());
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

TEST_F(Composition, ProjeterLaListeDemarreAuPremierDrapeau) {
  ouvreur->ProjeterListe();
  ASSERT_GE(banc.vue->Medias.size(), 2u);
  EXPECT_EQ(banc.vue->Medias.front(), "Drapeau=A.pvd");
  EXPECT_EQ(banc.vue->DPop, (std::vector<Texte>{"A", "B"}));
  EXPECT_TRUE(banc.vue->FenetreVisible);
  EXPECT_FALSE(banc.vue->Photo.isNull());
}

TEST_F(Composition, ProjeterLaSequenceChoisie) {
  ouvreur->cb_apercuClick(false);
  ouvreur->ChoisirFichiers({0}, 0);  // B.pvl
  ouvreur->ProjeterSequence();
  EXPECT_EQ(banc.vue->CheminListe, b);
  EXPECT_EQ(banc.vue->DossierProjection, banc.Chemin(QStringLiteral("seq")));
  EXPECT_EQ(banc.vue->Medias, (Liste{"Transition=Gauche.pvi", b1}));
}

TEST_F(Composition, UneSauvegardeAnnuleeLaisseLaProjectionEnCours) {
  banc.vue->Medias = {"Tempo=4000.pvi"};
  banc.vue->CheminListe = banc.Chemin(QStringLiteral("depart.pvl"));
  banc.dialogues.fichiers = {std::nullopt};
  EXPECT_FALSE(ouvreur->Sauver());
  EXPECT_EQ(banc.vue->Medias, Liste{"Tempo=4000.pvi"});
  EXPECT_EQ(banc.vue->CheminListe, banc.Chemin(QStringLiteral("depart.pvl")));
  // Saved: the projection plays the list saved, under that list's name.
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("seq/Ensemble.pvl"))};
  ASSERT_TRUE(ouvreur->Sauver());
  EXPECT_EQ(banc.vue->Medias.front(), "Drapeau=A.pvd");
  EXPECT_EQ(banc.vue->CheminListe, banc.Chemin(QStringLiteral("seq/Ensemble.pvl")));
  EXPECT_EQ(banc.vue->DPop, (std::vector<Texte>{"A", "B"}));
}

TEST_F(Composition, InsererSousLaSelectionVaSousLaLigneChoisie) {
  banc.Ecrire(QStringLiteral("seq/C.pvl"), "Tempo=1.pvi\r\n");
  banc.Ecrire(QStringLiteral("seq/D.pvl"), "Tempo=2.pvi\r\n");
  Rouvrir("seq");  // B.pvl, C.pvl, D.pvl
  ouvreur->ChoisirFichiers({1}, 1);
  ouvreur->ImporterDebut();  // C at the head: C, A, B
  ASSERT_EQ(ouvreur->Lignes, (Liste{banc.Chemin(QStringLiteral("seq/C.pvl")), a, b}));
  // A clicked, then D inserted below the selection, by button or by paste.
  ouvreur->ChoisirLignes({1}, 1);
  ouvreur->ChoisirFichiers({2}, 2);
  ouvreur->ImporterSous();
  const Texte c = banc.Chemin(QStringLiteral("seq/C.pvl")), d = banc.Chemin(QStringLiteral("seq/D.pvl"));
  EXPECT_EQ(ouvreur->Lignes, (Liste{c, a, d, b}));
  ouvreur->ChoisirLignes({3}, 3);
  ouvreur->Copier();  // B into the clipboard
  ouvreur->ChoisirLignes({0}, 0);
  ouvreur->CollerDessous();
  EXPECT_EQ(ouvreur->Lignes, (Liste{c, b, a, d, b}));
}

TEST_F(Composition, ToutesLesSequencesChoisiesEnUnePlage) {
  banc.Ecrire(QStringLiteral("seq/C.pvl"), "Tempo=1.pvi\r\n");
  Rouvrir("seq");
  ouvreur->ToutSelectionner();
  EXPECT_EQ(ouvreur->FichiersChoisis().Plages(), (std::vector<Plage>{{0, 1}}));
  ouvreur->NouvelleListe();
  ouvreur->ImporterFin();
  EXPECT_EQ(ouvreur->Lignes, (Liste{b, banc.Chemin(QStringLiteral("seq/C.pvl"))}));
}

TEST_F(OuvreurTest, UneSequenceEnMajusculesSeDeploieAvecSonDrapeau) {
  test::EcrireJpeg(banc.CheminHote(QStringLiteral("autre/u1.jpg")), test::Unie(40, 30, Qt::green));
  banc.Ecrire(QStringLiteral("autre/UPPER.PVL"), "Tempo=1500.pvi\r\nu1.jpg\r\n");
  Rouvrir("autre");
  ASSERT_EQ(ouvreur->Fichiers, QStringList{QStringLiteral("UPPER.PVL")});
  ouvreur->ImporterFin();
  Rouvrir("seq");  // projected from elsewhere: u1.jpg is found through its sequence's folder
  ouvreur->ProjeterListe();
  EXPECT_EQ(banc.vue->Medias, (Liste{"Drapeau=UPPER.pvd", "Tempo=1500.pvi", banc.Chemin(QStringLiteral("autre/u1.jpg"))}));
  EXPECT_EQ(banc.vue->DPop, std::vector<Texte>{"UPPER"});
  EXPECT_TRUE(banc.dialogues.textes.isEmpty()) << banc.dialogues.textes.join(u'|').toStdString();
  EXPECT_TRUE(test::Proche(banc.vue->Photo.pixelColor(banc.vue->Photo.rect().center()), Qt::green));
}

TEST_F(OuvreurTest, CeQueDitLeDeploiementSeDitAvantQueLOuvreurSeFerme) {
  banc.Ecrire(QStringLiteral("seq/S.pvl"), "Tempo=1500.pvi\r\nS.pvl\r\n");
  ouvreur->Lignes = {banc.Chemin(QStringLiteral("seq/S.pvl"))};
  qsizetype ditsALaFermeture = -1;
  QObject::connect(ouvreur.get(), &Ouvreur::Fermer, [&] { ditsALaFermeture = banc.dialogues.textes.size(); });
  ouvreur->ProjeterListe();
  EXPECT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(ditsALaFermeture, 1);
  EXPECT_EQ(banc.vue->Medias, (Liste{"Drapeau=S.pvd", "Tempo=1500.pvi"}));
}

TEST_F(Composition, LaCoupeDeLOuvreurNeModifiePasLaListeDuMontage) {
  banc.vue->ListeModifiee = false;
  banc.montage->Transfert = {"Tempo=9.pvi"};
  ouvreur->ChoisirLignes({0}, 0);
  ouvreur->Couper();
  EXPECT_EQ(ouvreur->Lignes, Liste{b});
  EXPECT_EQ(ouvreur->Transfert, Liste{a});
  ouvreur->LigneOuvrir = 0;
  ouvreur->CollerDessous();
  EXPECT_EQ(ouvreur->Lignes, (Liste{b, a}));
  ouvreur->ChoisirLignes({1}, 1);
  ouvreur->Supprimer();
  EXPECT_EQ(ouvreur->Lignes, Liste{b});
  EXPECT_FALSE(banc.vue->ListeModifiee);
  EXPECT_EQ(banc.montage->Transfert, Liste{"Tempo=9.pvi"});
}

TEST_F(OuvreurTest, FermerRendSonDossierALaProjection) {
  test::EcrireJpeg(banc.CheminHote(QStringLiteral("img.jpg")), test::Unie(40, 30, Qt::red));
  banc.vue->Medias = {"img.jpg"};
  banc.vue->DossierProjection = LigneDepuisHote(banc.dossier.path().toStdString()).value();
  Rouvrir("autre");  // browsing moves the working folder
  ASSERT_EQ(banc.fichiers.DossierCourant(), banc.Chemin(QStringLiteral("autre")));
  ouvreur->FermerSource();
  EXPECT_EQ(banc.fichiers.DossierCourant(), banc.vue->DossierProjection);
  // The show's relative picture is found again.
  EXPECT_FALSE(banc.vue->Photo.isNull());
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

TEST_F(OuvreurTest, TroisLignesDeposeesPlusBasGardentLeurOrdre) {
  ouvreur->Lignes = {"a.pvl", "b.pvl", "c.pvl", "d.pvl", "e.pvl"};
  ouvreur->ChoisirLignes({}, 0);
  ouvreur->Transfert = {"x.pvl"};
  ouvreur->ChoisirLignes({0, 1, 2}, 2);
  ouvreur->DeposerLignes(4);  // on the row of e.pvl
  EXPECT_EQ(ouvreur->Lignes, (Liste{"d.pvl", "a.pvl", "b.pvl", "c.pvl", "e.pvl"}));
  // Moves never go through the user's clipboard.
  EXPECT_EQ(ouvreur->Transfert, Liste{"x.pvl"});
  ouvreur->ChoisirLignes({4}, 4);
  ouvreur->Debut();
  EXPECT_EQ(ouvreur->Lignes, (Liste{"e.pvl", "d.pvl", "a.pvl", "b.pvl", "c.pvl"}));
  ouvreur->ChoisirLignes({0, 1}, 1);
  ouvreur->Fin();
  EXPECT_EQ(ouvreur->Lignes, (Liste{"a.pvl", "b.pvl", "c.pvl", "e.pvl", "d.pvl"}));
}

TEST_F(OuvreurTest, UneSequenceAuNomIntraduisibleEstMontreeMaisRefusee) {
  const QString nom = QString::fromUtf8("жук.pvl");
  banc.Ecrire(QStringLiteral("seq/") + nom, "Tempo=1.pvi\r\n");
  banc.Ecrire(QStringLiteral("seq/vu.pvl"), "Tempo=1.pvi\r\n");
  Rouvrir("seq");
  ASSERT_EQ(ouvreur->Fichiers, (QStringList{"vu.pvl", nom}));
  ouvreur->ToutSelectionner();
  ouvreur->ImporterFin();
  EXPECT_EQ(ouvreur->Lignes, Liste{banc.Chemin(QStringLiteral("seq/vu.pvl"))});
  EXPECT_EQ(banc.dialogues.textes,
            QStringList{QStringLiteral("Fichier : \r") + banc.CheminHote(QStringLiteral("seq/") + nom) +
                        QStringLiteral("\rnom illisible en Windows-1252 : refusé par Plivor")});
}

TEST_F(OuvreurTest, MessagesDeLaListeVide) {
  Rouvrir("autre");  // no sequence there
  ouvreur->ProjeterSequence();
  ouvreur->ProjeterListe();
  EXPECT_FALSE(ouvreur->Sauver());
  EXPECT_FALSE(ouvreur->DeployerPvl());
  EXPECT_EQ(banc.dialogues.textes,
            (QStringList{QStringLiteral("Aucune séquence présente...\rChoisir un autre dossier contenant des séquences."),
                         QStringLiteral("La liste est vide et ne peut donc être projetée..."),
                         QStringLiteral("La liste est vide et ne peut être sauvée !!"),
                         QStringLiteral("La liste est vide...")}));
  EXPECT_TRUE(banc.dialogues.dialogues.isEmpty());
}

TEST_F(OuvreurTest, UneSequenceQuiSeContientEstDeployeeUneFois) {
  banc.Ecrire(QStringLiteral("seq/boucle.pvl"), "Tempo=1500.pvi\r\nboucle.pvl\r\nsous.pvl\r\n");
  banc.Ecrire(QStringLiteral("seq/sous.pvl"), "Tempo=2000.pvi\r\nboucle.pvl\r\n");
  const Texte boucle = banc.Chemin(QStringLiteral("seq/boucle.pvl"));
  ouvreur->Lignes = {boucle};
  const auto deployee = ouvreur->Deploiement();
  ASSERT_TRUE(deployee);
  EXPECT_EQ(*deployee, (Liste{"Drapeau=boucle.pvd", "Tempo=1500.pvi", "Drapeau=sous.pvd", "Tempo=2000.pvi"}));
  const QString dit = QStringLiteral("La séquence \"") + QString::fromStdString(VersUtf8(boucle)) +
                      QStringLiteral("\" se contient elle-même : elle n'est déployée qu'une fois.");
  EXPECT_EQ(banc.dialogues.textes, (QStringList{dit, dit}));
}

TEST_F(OuvreurTest, UneLigneAbsolueNePrendPasLeDossierDeSaSequence) {
  banc.Ecrire(QStringLiteral("seq/abs.pvl"), "/racine/x.jpg\r\nsous\\z.jpg\r\n\r\n");
  ouvreur->Lignes = {banc.Chemin(QStringLiteral("seq/abs.pvl"))};
  const auto deployee = ouvreur->Deploiement();
  ASSERT_TRUE(deployee);
  const Texte dossier = banc.Chemin(QStringLiteral("seq"));
  EXPECT_EQ(*deployee, (Liste{"Drapeau=abs.pvd", "/racine/x.jpg", dossier + "/sous/z.jpg", ""}));
}

}  // namespace
}  // namespace plivor
