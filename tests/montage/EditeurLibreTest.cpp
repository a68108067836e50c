// The builder's free editor: any line typed whole goes in as it is; a
// keyword the vocabulary knows has its value checked, its misspelt word
// offered among the keyword's own, its refusal shown with keyword and value.

#include <gtest/gtest.h>

#include "core/Vocabulaire.h"
#include "montage/BancMontage.h"
#include "montage/Constructeur.h"

namespace plivor::test {
namespace {

class EditeurLibre : public testing::Test {
 protected:
  void SetUp() override { constructeur = std::make_unique<Constructeur>(*banc.montage); }
  Montage& M() { return *banc.montage; }
  void Editer(const Liste& lignes, int index) {
    banc.Lignes(lignes, {index});
    constructeur->ModifierCmd();
  }
  Texte Ligne(int i) { return M().Lignes()[static_cast<size_t>(i)]; }

  BancMontage banc;
  std::unique_ptr<Constructeur> constructeur;
};

TEST_F(EditeurLibre, UneLigneLibreRefuseeMontreSonMotCleEtSaValeur) {
  Editer({"Tempo=1000.pvi", "Foo=Bar.pvi"}, 1);
  EXPECT_EQ(constructeur->CmdNom, "");
  int changes = 0;
  QObject::connect(constructeur.get(), &Constructeur::Change, [&changes] { ++changes; });
  constructeur->ValeurSaisie = "Audio-Volume=500.pvi";
  constructeur->EntreeSaisie();
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("500 ?? - Entrer une valeur comprise entre 0 et 100."));
  // The view is told: the label shows the keyword, the box its value.
  EXPECT_GT(changes, 0);
  EXPECT_EQ(constructeur->CmdNom, "Audio-Volume");
  EXPECT_EQ(constructeur->ValeurSaisie, "500");
  EXPECT_TRUE(constructeur->EditeurVisible());
  EXPECT_EQ(Ligne(1), "Foo=Bar.pvi");
  // The whole line typed again is read again.
  constructeur->ValeurSaisie = "Audio-Volume=50.pvi";
  constructeur->EntreeSaisie();
  EXPECT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(Ligne(1), "Audio-Volume=50.pvi");
  EXPECT_FALSE(constructeur->EditeurVisible());
}


TEST_F(EditeurLibre, LEditeurLibreInsereNImporteQuelleLigne) {
  banc.Lignes({"Tempo=1000.pvi", "Titrage=Fin.pvv"}, {0});
  constructeur->NvelleLigneLibre();
  EXPECT_TRUE(constructeur->EditeurVisible());
  EXPECT_TRUE(constructeur->SaisieLibre());
  EXPECT_EQ(constructeur->CmdNom, "");
  EXPECT_EQ(constructeur->ValeurSaisie, "");
  // A keyword the vocabulary does not have: as typed, below the line.
  constructeur->ValeurSaisie = "Foo=Bar.pvi";
  constructeur->EntreeSaisie();
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Foo=Bar.pvi", "Titrage=Fin.pvv"}));
  EXPECT_EQ(M().LigneCourante, 1);
  EXPECT_FALSE(constructeur->EditeurVisible());
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // A picture not made yet, and a path with spaces.
  const Texte futur = banc.Chemin(QStringLiteral("à venir/futur.jpg"));
  constructeur->NvelleLigneLibre();
  constructeur->ValeurSaisie = futur;
  constructeur->EntreeSaisie();
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Foo=Bar.pvi", futur, "Titrage=Fin.pvv"}));
  // A known keyword: its value checked, nothing written while refused.
  constructeur->NvelleLigneLibre();
  constructeur->ValeurSaisie = "Audio-Volume=500.pvi";
  constructeur->EntreeSaisie();
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("500 ?? - Entrer une valeur comprise entre 0 et 100."));
  EXPECT_EQ(M().Compte(), 4);
  EXPECT_EQ(constructeur->CmdNom, "Audio-Volume");
  constructeur->ValeurSaisie = "50";
  constructeur->EntreeSaisie();
  EXPECT_EQ(M().Lignes()[3], "Audio-Volume=50.pvi");
  EXPECT_EQ(M().Compte(), 5);
  // Written as typed, with the grammar's extension: no dialog for a colour,
  // a file or a menu, and a custom geometry read in its notation.
  for (const char* ligne : {"Diapo-Couleur=clRed.pvi", "Séquence=C:\\ailleurs\\x.pvl.pvr", "Menu=Créer.pvi",
                            "Titrage=Bonjour.pvi", "Diapo-Format=Personnaliser.pvi"}) {
    constructeur->NvelleLigneLibre();
    constructeur->ValeurSaisie = Cp(ligne);
    constructeur->EntreeSaisie();
    EXPECT_EQ(M().Lignes()[static_cast<size_t>(M().LigneCourante)],
              Cp(ligne).substr(0, Cp(ligne).size() - 4) + EntreeGrammaire(Cp(ligne)).ExtensionLigne());
    EXPECT_FALSE(constructeur->EditeurVisible()) << ligne;
  }
  EXPECT_TRUE(banc.dialogues.dialogues.isEmpty());
  EXPECT_EQ(banc.dialogues.textes.size(), 1);
  constructeur->NvelleLigneLibre();
  constructeur->ValeurSaisie = "Diapo-Pos=X100.pvi";
  constructeur->EntreeSaisie();
  EXPECT_EQ(banc.dialogues.textes.size(), 2);
  EXPECT_TRUE(constructeur->EditeurVisible());
  // Nothing typed: nothing written. The whole is one step to undo.
  constructeur->NvelleLigneLibre();
  constructeur->ValeurSaisie = "";
  const Liste avant = M().Lignes();
  constructeur->EntreeSaisie();
  EXPECT_EQ(M().Lignes(), avant);
  EXPECT_FALSE(constructeur->EditeurVisible());
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  constructeur->NvelleLigneLibre();
  constructeur->ValeurSaisie = "Foo=Bar.pvi";
  constructeur->EntreeSaisie();
  M().ListeUndo();
  EXPECT_EQ(M().Lignes(), Liste{"Tempo=1000.pvi"});
  // Into an empty list.
  banc.Lignes({}, {});
  constructeur->NvelleLigneLibre();
  constructeur->ValeurSaisie = "Foo=Bar.pvi";
  constructeur->EntreeSaisie();
  EXPECT_EQ(M().Lignes(), Liste{"Foo=Bar.pvi"});
}


TEST_F(EditeurLibre, UnMotDeValeurMalEcritOuvreLesMotsDeSonMotCle) {
  banc.Lignes({"Tempo=1000.pvi", "Titrage=Fin.pvv"}, {0});
  constructeur->NvelleLigneLibre();
  constructeur->ValeurSaisie = "Transition=Gauch.pvi";
  constructeur->EntreeSaisie();
  EXPECT_EQ(M().Compte(), 2) << "nothing written yet";
  EXPECT_FALSE(constructeur->EditeurVisible());
  EXPECT_TRUE(constructeur->Deroulee());
  ASSERT_EQ(constructeur->Candidats().size(), 18u);
  constructeur->ChoixCmd(3);
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Transition=Gauche.pvi", "Titrage=Fin.pvv"}));

  const Tables& t = TablesFrancaises();
  EXPECT_TRUE(MotValeurInconnu("Transition=Gauch.pvi", t));
  EXPECT_TRUE(MotValeurInconnu("Fenetre=Renover.pvv", t));
  for (const char* juste : {"Transition=Sans.pvi", "Titrage=Gauch.pvv", "Audio-Volume=7.pvi", "Foo=Bar.pvi"})
    EXPECT_FALSE(MotValeurInconnu(Cp(juste), t)) << juste;
  // No candidate line of any keyword is taken for a misspelling.
  for (int motCle = 1; motCle < 100; ++motCle) {
    if (EntreesGrammaire(motCle).empty() && motCle != 9) continue;
    constructeur->ListerFamille(motCle);
    for (const Texte& ligne : constructeur->Candidats()) EXPECT_FALSE(MotValeurInconnu(ligne, t)) << ligne;
  }
}


TEST_F(EditeurLibre, UneLigneInconnueSeCorrigeEnEntier) {
  Editer({"Titre=Machin.pvi"}, 0);
  EXPECT_TRUE(constructeur->EditeurVisible());
  EXPECT_EQ(constructeur->CmdNom, "");
  EXPECT_EQ(constructeur->ValeurSaisie, "Titre=Machin.pvi");
  constructeur->ValeurSaisie = "Titre=Effacer.pvi";
  constructeur->EntreeSaisie();
  // Read as a line: the grammar gives it its own extension.
  EXPECT_EQ(Ligne(0), "Titre=Effacer.pvv");
}


}  // namespace
}  // namespace plivor::test
