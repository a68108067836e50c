// The formatting panel: opened by the builder on a formatting line, its
// miniature following the choices (pixels), validation into the exact
// instruction lines, refusals, cancel, and the title font entry.

#include <gtest/gtest.h>

#include "BancMontage.h"
#include "core/Notations.h"
#include "montage/Constructeur.h"
#include "montage/MiseEnForme.h"
#include "support/ImagesEssai.h"

namespace plivor::test {
namespace {

Liste Cps(std::initializer_list<const char*> lignes) {
  Liste l;
  for (const char* ligne : lignes) l.push_back(Cp(ligne));
  return l;
}

QColor En24(Couleur c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

class MiseEnFormeTest : public testing::Test {
 protected:
  void SetUp() override {
    constructeur = std::make_unique<Constructeur>(*banc.montage);
    constructeur->Panneau().DefinirPolices({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans"),
                                             QStringLiteral("DejaVu Serif")});
  }
  Montage& M() { return *banc.montage; }
  MiseEnForme& P() { return constructeur->Panneau(); }
  // The builder inserts a formatting line below the first line of a list:
  // the right button of the slide button lists the window's family.
  void FormaterFenetre() {
    banc.Lignes({"Tempo=1000.pvi", "Titrage=Fin.pvv"}, {0});
    constructeur->NvelleInstruction(BoutonInstruction::Diapo, false);
    constructeur->ChoixCmd(6);  // Fenetre=Formater
  }

  BancMontage banc;
  std::unique_ptr<Constructeur> constructeur;
};

TEST_F(MiseEnFormeTest, LaFenetreValideeDonneSixLignesDansLOrdre) {
  FormaterFenetre();
  ASSERT_TRUE(P().Visible());
  EXPECT_EQ(M().Lignes()[1], "Fenetre=Formater.pvi");
  EXPECT_EQ(P().Type(), "Fenetre");
  EXPECT_EQ(P().Conteneur(), "dans le bureau");
  P().ChoisirDimension(1);  // 80%
  P().ChoisirPosition(1);   // Centrer en haut
  P().InclureOptions = true;
  P().Cadre = QStringLiteral("2");
  P().Marge = QStringLiteral("5");
  P().Bureau = 1;  // Masquer
  ASSERT_TRUE(P().Valider());
  const Texte couleur = TexteCouleur(banc.vue->CouleurFenetre);
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Fenetre-Couleur=" + couleur + ".pvi", "Fenetre-Format=80%.pvi",
                                 "Fenetre-Position=Centrer en haut.pvi", Cp("Fenetre-Style=Plein écran.pvi"),
                                 "Fenetre-Cadre=2.pvi", "Fenetre-Marge=5.pvi", "Titrage=Fin.pvv"}));
  EXPECT_FALSE(P().Visible());
  EXPECT_FALSE(P().InclureOptions);
  EXPECT_EQ(M().LigneCourante, 1);
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // Every line written is one the builder itself reads.
  for (const Texte& ligne : M().Lignes()) EXPECT_FALSE(EntreeGrammaire(ligne).Vide()) << ligne;
  // The insertion and the formatting are one undoable step.
  M().ListeUndo();
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Fin.pvv"}));
}

TEST_F(MiseEnFormeTest, LesOptionsParDefautSeValidentEtUnRefusNommeSaCase) {
  FormaterFenetre();
  P().InclureOptions = true;  // the boxes as the panel gives them
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes()[4], "Fenetre-Style=Normal.pvi");
  EXPECT_EQ(M().Lignes()[5], "Fenetre-Cadre=2.pvi");
  EXPECT_EQ(M().Lignes()[6], "Fenetre-Marge=8.pvi");
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());

  FormaterFenetre();
  P().InclureOptions = true;
  P().Marge = QStringLiteral("0");
  EXPECT_FALSE(P().Valider());
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("Marge : 0 ?? - Entrer une valeur comprise entre 1 et 200."));
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Fenetre=Formater.pvi", "Titrage=Fin.pvv"}));
  EXPECT_TRUE(P().Visible());
  P().Marge = QStringLiteral("cinq");
  EXPECT_FALSE(P().Valider());
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Marge : cinq ?? - Entrer une valeur comprise entre 1 et 200."));
  P().Marge = QStringLiteral("5");
  P().Cadre = QStringLiteral("13");
  EXPECT_FALSE(P().Valider());
  EXPECT_EQ(banc.dialogues.textes.last(), QStringLiteral("Cadre : 13 ?? - Entrer une valeur comprise entre -12 et 12."));
  P().Cadre = QStringLiteral("-12");
  EXPECT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes()[5], "Fenetre-Cadre=-12.pvi");
}

TEST_F(MiseEnFormeTest, UnAjustementQueLaChoseNAPasNePeutSeChoisir) {
  FormaterFenetre();
  P().ChoisirDimension(1);
  P().ChoisirDimension(7);  // "Adapter à la Fenetre": a window cannot fit itself
  EXPECT_EQ(P().Dimension(), 1);
  P().ChoisirPosition(8);
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Fenetre-Format=80%.pvi", Cp("Fenetre-Position=en bas à Droite.pvi"),
                                 "Titrage=Fin.pvv"}));
  // Every size the panel lets through writes its size line, for every thing.
  for (const char* ligne : {"Fenetre=Formater.pvi", "Diapo=Formater.pvi", "Objet=Formater.pvi"}) {
    for (int i = 0; i < 9; ++i) {
      banc.Lignes({ligne}, {0});
      constructeur->ModifierCmd();
      ASSERT_TRUE(P().Visible());
      P().ChoisirDimension(0);
      P().ChoisirDimension(i);
      ASSERT_TRUE(P().Valider());
      ASSERT_EQ(M().Compte(), 2) << ligne << " " << i;
      const Texte taille = M().Lignes()[0];
      EXPECT_EQ(EntreeGrammaire(taille).Editeur() == 0 && !EntreeGrammaire(taille).Vide(), true) << taille;
      EXPECT_EQ(P().Dimension() == i, i < 6 || taille.find(Cp("Adapter")) != Texte::npos) << ligne << " " << i;
    }
  }
  // A size left from another thing that this one cannot take is not kept.
  banc.Lignes({"Objet=Formater.pvi"}, {0});
  constructeur->ModifierCmd();
  P().ChoisirDimension(7);
  P().Annuler();
  FormaterFenetre();
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes()[1], "Fenetre-Format=100%.pvi");
  // The items that read differently from the vocabulary are written in its words.
  FormaterFenetre();
  P().ChoisirDimension(8);  // "Adapter au Bureau"
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes()[1], "Fenetre-Format=Adapter au bureau.pvi");
}

TEST_F(MiseEnFormeTest, UneLigneSupprimeeSousLePanneauNEstNiRemplaceeNiSuivie) {
  FormaterFenetre();
  ASSERT_TRUE(P().Visible());
  M().Supprimer();  // the delete key reaches the list under the panel
  ASSERT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Fin.pvv"}));
  EXPECT_FALSE(P().Valider());
  EXPECT_FALSE(P().Visible());
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Fin.pvv"}));
  // A cancel then removes nothing either.
  FormaterFenetre();
  M().Supprimer();
  P().Annuler();
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Fin.pvv"}));
}

TEST_F(MiseEnFormeTest, LObjetSansFichierDonneDeuxLignesSansCouleur) {
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Audio, false);
  constructeur->ChoixCmd(5);  // Objet=Formater
  ASSERT_TRUE(P().Visible());
  EXPECT_EQ(P().Chose(), 8);
  EXPECT_EQ(P().TexteFichier(), QStringLiteral("Clic sur la boîte  pour sélectionner"));
  P().InclureOptions = true;
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Objet-Format=100%.pvi", "Objet-Position=Centrer.pvi"}));
  // With a file chosen, its line follows.
  banc.Ecrire(QStringLiteral("notes.rtf"), "{\\rtf1}");
  banc.Lignes({"Objet=Formater.pvi"}, {0});
  constructeur->ModifierCmd();
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("notes.rtf"))};
  P().ChoisirFichier();
  P().InclureOptions = true;
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes().back(), "ObjetX=" + banc.Chemin(QStringLiteral("notes.rtf")) + ".pvr");
}

TEST_F(MiseEnFormeTest, LaDiapoEtLeTitreAvecLeursOptions) {
  banc.vue->CouleurDiapo = RGB(0, 128, 0);
  banc.Lignes({"Diapo=Formater.pvi"}, {0});
  constructeur->ModifierCmd();
  EXPECT_EQ(P().Conteneur(), " / Fenetre");
  P().InclureOptions = true;
  P().Detacher = 1;
  P().Opaque = 1;
  P().ChoisirDimension(2);
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes(), Cps({"Diapo-Couleur=clGreen.pvi", "Diapo-Format=50%.pvi", "Diapo-Position=Centrer.pvi",
                               "Diapo=Coller aux bords.pvi", "Image=Transparente.pvi"}));

  banc.vue->FonteTitre = "DejaVu Serif+I42";
  banc.vue->CouleurTitre = RGB(255, 255, 0);
  banc.Lignes({"Titre=Formater.pvi"}, {0});
  constructeur->ModifierCmd();
  EXPECT_FALSE(P().BlocVisible());
  EXPECT_EQ(P().NomPolice(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(P().StylePolice(), 2);
  EXPECT_EQ(P().TaillePolice(), QStringLiteral("42"));
  P().InclureOptions = true;
  P().Masque = 1;
  P().TexteTitre = QStringLiteral("Été");
  P().ChoisirPosition(2);
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes(), Cps({"Titre-Couleur=clYellow.pvi", "Titre-Fonte=DejaVu Serif+I42.pvi",
                               "Titre-Position=Centrer en bas.pvi", "Titre-Masque=Été.pvv"}));
}

TEST_F(MiseEnFormeTest, LaPoliceDUneLigneOuverteResteCelleDeLaLigne) {
  // Neither the face (not installed here) nor the size (not in the size
  // list) is replaced: the box takes any size.
  banc.Lignes({"Tempo=1000.pvi", "Titre-Fonte=Arial+B72.pvi"}, {1});
  constructeur->ModifierCmd();
  ASSERT_TRUE(P().Visible());
  EXPECT_EQ(P().TaillePolice(), QStringLiteral("72"));
  EXPECT_EQ(P().NomPolice(), QStringLiteral("Arial"));
  EXPECT_EQ(P().StylePolice(), 1);
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes()[1], "Titre-Fonte=Arial+B72.pvi");
  // A font text without a size: the size the reader takes, 128.
  banc.vue->FonteTitre = "Police Inconnue+I";
  banc.Lignes({"Titre=Formater.pvi"}, {0});
  constructeur->ModifierCmd();
  EXPECT_EQ(P().TaillePolice(), QStringLiteral("128"));
  EXPECT_EQ(P().NomPolice(), QStringLiteral("Police Inconnue"));
  EXPECT_EQ(P().StylePolice(), 2);
}

TEST_F(MiseEnFormeTest, LaMiniatureSuitLesChoix) {
  banc.vue->CouleurCarton = RGB(60, 0, 0);
  banc.vue->CouleurDiapo = RGB(20, 40, 200);
  banc.Lignes({"Diapo=Formater.pvi"}, {0});
  constructeur->ModifierCmd();
  P().ChoisirDimension(2);  // 50%: 81 x 61
  P().ChoisirPosition(8);   // bottom right, inside the slide margin
  EXPECT_EQ(P().Bloc().size(), QSize(81, 61));
  QImage m = P().Miniature();
  ASSERT_EQ(m.size(), QSize(162, 122));
  const QRect b = P().Bloc();
  EXPECT_GT(b.left(), 162 / 2 - 10);
  EXPECT_GT(b.top(), 122 / 2 - 10);
  EXPECT_TRUE(Proche(m.pixelColor(b.center()), En24(banc.vue->CouleurDiapo), 2));
  EXPECT_TRUE(Proche(m.pixelColor(10, 10), QColor(60, 0, 0), 2));  // the frame, top left
  // "Personnaliser" as size leaves the miniature as it was.
  P().ChoisirDimension(9);
  EXPECT_EQ(P().Miniature(), m);
  // 20% at the top left.
  P().ChoisirDimension(5);
  P().ChoisirPosition(4);
  EXPECT_EQ(P().Bloc(), QRect(160 / 24, 120 / 24, 162 / 5, 122 / 5));
  // A click on the block: the slide's colour, shown at once.
  banc.dialogues.couleurs = {QColor(250, 250, 0)};
  P().ChoisirCouleur();
  EXPECT_EQ(banc.vue->CouleurDiapo, RGB(250, 250, 0));
  m = P().Miniature();
  EXPECT_TRUE(Proche(m.pixelColor(P().Bloc().center()), QColor(250, 250, 0), 2));
}

TEST_F(MiseEnFormeTest, LeTitreSeDessineDansSaPolice) {
  banc.vue->CouleurDiapo = RGB(0, 0, 0);
  banc.vue->CouleurTitre = RGB(255, 255, 255);
  banc.vue->FonteTitre = "DejaVu Sans+B128";
  banc.Lignes({"Titre=Formater.pvi"}, {0});
  constructeur->ModifierCmd();
  const auto blancs = [](const QImage& i) {
    int n = 0;
    for (int y = 1; y < i.height() - 1; ++y)
      for (int x = 1; x < i.width() - 1; ++x) n += i.pixelColor(x, y).lightness() > 200;
    return n;
  };
  const int grand = blancs(P().Miniature());
  P().ChangeFonte(QStringLiteral("DejaVu Sans"), QStringLiteral("64"), 1);
  const int petit = blancs(P().Miniature());
  EXPECT_GT(petit, 20);
  EXPECT_GT(grand, 2 * petit);
}

TEST_F(MiseEnFormeTest, AnnulerRetireSeulementLaLigneDeFormatNouvelle) {
  FormaterFenetre();
  P().Annuler();
  EXPECT_FALSE(P().Visible());
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Fin.pvv"}));
  // An existing formatting line opened and cancelled stays.
  banc.Lignes({"Tempo=1000.pvi", "Fenetre=Formater.pvi"}, {1});
  constructeur->ModifierCmd();
  ASSERT_TRUE(P().Visible());
  P().Annuler();
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Fenetre=Formater.pvi"}));
}

TEST_F(MiseEnFormeTest, LaPoliceDuTitreSeChoisitDansLePanneau) {
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Titre, true);
  constructeur->ChoixCmd(7);  // Titre-Fonte=Choisir
  ASSERT_TRUE(P().Visible());
  EXPECT_TRUE(P().ModePolice());
  EXPECT_EQ(P().ContexteAide(), 2902);
  EXPECT_EQ(P().BulleTitre(), QStringLiteral("Aperçu de la fonte"));
  P().ChangeFonte(QStringLiteral("DejaVu Sans"), QStringLiteral("42"), 3);
  ASSERT_TRUE(P().Valider());
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titre-Fonte=DejaVu Sans+S42.pvi"}));
  EXPECT_EQ(banc.vue->FonteTitre, "DejaVu Sans+S42");
  EXPECT_FALSE(P().Visible());
  EXPECT_FALSE(constructeur->EditeurVisible());
}

TEST_F(MiseEnFormeTest, UnCodeSansChoseEstRefuse) {
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  EXPECT_FALSE(P().Ouvrir(1500));
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("Erreur d'affectation conteneur-Objet"));
  EXPECT_FALSE(P().Visible());
  EXPECT_EQ(M().Lignes(), Liste{"Tempo=1000.pvi"});
}

}  // namespace
}  // namespace plivor::test
