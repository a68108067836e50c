// The instruction builder on the montage engine: candidate lines of every
// family, the choice of one into the list, the value editor's checks with
// their exact messages, the dialogs of each line kind, and the descriptions.

#include <gtest/gtest.h>

#include <set>

#include "core/Notations.h"
#include "core/Vocabulaire.h"
#include "montage/BancMontage.h"
#include "montage/Constructeur.h"
#include "montage/Descriptions.h"
#include "montage/MiseEnForme.h"

namespace plivor::test {
namespace {

Liste Cps(std::initializer_list<const char*> lignes) {
  Liste l;
  for (const char* ligne : lignes) l.push_back(Cp(ligne));
  return l;
}

Liste Positions(const char* motCle) {
  Liste l;
  for (const char* p : {"Centrer", "Centrer en haut", "Centrer en bas", "à Gauche", "en haut à Gauche",
                        "en bas à Gauche", "à Droite", "en haut à Droite", "en bas à Droite", "Prédéfinie",
                        "Personnaliser"})
    l.push_back(Cp(motCle) + "=" + Cp(p) + ".pvi");
  return l;
}

Liste Formats(const char* motCle, std::initializer_list<const char*> adaptations) {
  Liste l;
  for (const char* f : {"100%", "80%", "50%", "40%", "25%", "20%"}) l.push_back(Cp(motCle) + "=" + f + ".pvi");
  for (const char* a : adaptations) l.push_back(Cp(motCle) + "=" + Cp(a) + ".pvi");
  for (const char* f : {"Prédéfini", "Personnaliser"}) l.push_back(Cp(motCle) + "=" + Cp(f) + ".pvi");
  return l;
}

Liste Joints(std::initializer_list<Liste> parties) {
  Liste l;
  for (const Liste& p : parties) l.insert(l.end(), p.begin(), p.end());
  return l;
}

class ConstructeurTest : public testing::Test {
 protected:
  void SetUp() override { constructeur = std::make_unique<Constructeur>(*banc.montage); }
  Montage& M() { return *banc.montage; }
  // Opens the editor on line `index` of the list.
  void Editer(const Liste& lignes, int index) {
    banc.Lignes(lignes, {index});
    constructeur->ModifierCmd();
  }
  Texte Ligne(int i) { return M().Lignes()[static_cast<size_t>(i)]; }

  BancMontage banc;
  std::unique_ptr<Constructeur> constructeur;
};

TEST_F(ConstructeurTest, ChaqueFamilleDonneSesLignesCandidates) {
  M().TempoBase = "3000";
  banc.options->opt_tempo = QStringLiteral("2500");
  const Liste avance = Cps({"Avance=Pause.pvi", "Avance=Stop.pvi", "Avance=Reprise.pvi", "Avance=Manuelle.pvi",
                            "Avance=Normale.pvi", "Icones=Masquer.pvi", "Icones=Afficher.pvi"});
  const Liste sauts = Cps({"Drapeau=Nouveau Drapeau.pvd", "AllerA=Nom de Drapeau.pvi", "Saut=Début.pvi",
                           "Saut=Premier.pvi", "Saut=Précédent.pvi", "Saut=Suivant.pvi", "Saut=Dernier.pvi",
                           "Saut=Quitter.pvi", "Séquence=Choisir.pvr"});
  const Liste audio = Cps({"Audio=Début.pvi", "Audio=Pause.pvi", "Audio=Stop.pvi", "Audio=Jouer.pvi",
                           "Audio=Muet.pvi", "Audio=Normal.pvi", "Audio-Volume=75.pvi", "Audio-Début=8550.pvi",
                           "Audio-Durée=22400.pvi", "Audio-FadeIn=1250.pvi", "Audio-FadeOff=1250.pvi"});
  const Liste fenetre = Joints({Cps({"Fenetre=Rénover.pvv", "Fenetre=Peindre.pvv", "Fenetre=Normale.pvi",
                                     "Fenetre=Verte.pvi", "Fenetre=Bordeau.pvi", "Fenetre=Bleue.pvi",
                                     "Fenetre=Formater.pvi", "Fenetre=Dimensionner.pvi",
                                     "Fenetre=Positionner.pvi", "Fenetre=Style.pvi"}),
                                {"Fenetre-Couleur=$00372023.pvi"}});
  const Liste style = Cps({"Fenetre-Style=Windows.pvi", "Fenetre-Style=Plein écran.pvi",
                           "Fenetre-Style=Sans cadre.pvi", "Fenetre-Style=Sans marge.pvi",
                           "Fenetre-Style=Normal.pvi", "Fenetre-Cadre=-2.pvi", "Fenetre-Marge=8.pvi"});
  const Liste diapo = Joints(
      {Cps({"Diapo=Peindre.pvv", "Diapo=Normale.pvi", "Diapo=Avec fond.pvi", "Diapo=Sans fond.pvi",
            "Diapo=Verte.pvi", "Diapo=Bordeau.pvi", "Diapo=Bleue.pvi", "Diapo=Formater.pvi",
            "Diapo=Dimensionner.pvi", "Diapo=Positionner.pvi", "Diapo=Détacher.pvi", "Diapo=Coller aux bords.pvi",
            "Diapo=Image.pvi"}),
       {"Diapo-Couleur=$0000003C.pvi"}});
  const Liste transitions = Cps(
      {"Transition=Sans.pvi", "Transition=Haut.pvi", "Transition=Bas.pvi", "Transition=Gauche.pvi",
       "Transition=Droite.pvi", "Transition=Rideau-ouvrant.pvi", "Transition=Rideau-fermant.pvi",
       "Transition=Store-ouvrant.pvi", "Transition=Store-fermant.pvi", "Transition=Vénitien.pvi",
       "Transition=Vénitien fin.pvi", "Transition=Lames.pvi", "Transition=Lames fines.pvi", "Morphe=Calendrier.pvi",
       "Morphe=Album.pvi", "Morphe=Elargir.pvi", "Morphe=Dérouler.pvi", "Morphe=Zoom.pvi"});
  const Liste durees = Cps({"Duree=1/4-sec.pvi", "Duree=1/2-sec.pvi", "Duree=3/4-sec.pvi", "Duree=1-sec.pvi",
                            "Duree=1,5-sec.pvi", "Duree=2-sec.pvi", "Duree=3-sec.pvi", "Duree=5-sec.pvi",
                            "Delai=2400.pvi"});
  const Liste titres = Joints({Cps({"Titrage=Nouveau titre.pvv", "Titre=Effacer.pvv", "Titre=Normal.pvi",
                                    "Titre=Afficher.pvv", "Titre=Formater.pvi", "Titre=Positionner.pvi"}),
                               {"Titre-Couleur=$00B1DBF1.pvi"},
                               Cps({"Titre-Fonte=Choisir.pvi", "Titre-Masque=Nouveau titre.pvv",
                                    "Titre-Capture=Nouveau titre.pvi"})});
  const Liste objets = Cps({"Objet=Texte Rtf.pvi", "Objet=Vidéo avi.pvi", "Objet=Scène swf.pvi",
                            "Objet=Séquence Plivor.pvi", "Objet=Tous Fichiers.pvi", "Objet=Formater.pvi",
                            "Objet=Dimensionner.pvi", "Objet=Positionner.pvi"});
  const std::vector<std::pair<std::vector<int>, Liste>> familles = {
      {{1, 2}, avance},
      {{9}, {"Tempo=3000.pvi", "Tempo=1500.pvi", "Tempo=750.pvi", "Tempo=6000.pvi", "Tempo=2500.pvi"}},
      {{11, 13, 14}, sauts},
      {{12}, Cps({"Menu=Afficher.pvi", "Menu=Masquer.pvi", "Menu=Créer.pvi", "Vignette=Choisir.pvr"})},
      {{20, 21, 23, 24, 25, 26}, audio},
      {{30}, fenetre},
      {{33}, Formats("Fenetre-Format", {"Adapter à la Diapo", "Adapter au bureau"})},
      {{34}, Positions("Fenetre-Position")},
      {{43}, Formats("Diapo-Format", {"Adapter à la Fenetre", "Adapter au bureau"})},
      {{44}, Positions("Diapo-Position")},
      {{74}, Positions("Titre-Position")},
      {{83}, Formats("Objet-Format", {"Adapter à la Diapo", "Adapter à la Fenetre", "Adapter au bureau"})},
      {{84}, Positions("Objet-Position")},
      {{35}, style},
      {{40}, diapo},
      {{42}, Cps({"Image=Normale.pvi", "Image=Adapter à la Diapo.pvi", "Image=Découpée.pvi", "Image=Opaque.pvi",
                  "Image=Transparente.pvi"})},
      {{60, 61}, transitions},
      {{68, 69}, durees},
      {{70}, titres},
      {{80, 81}, objets},
      {{5, 31, 36, 99}, {}},
  };
  for (const auto& [codes, attendues] : familles)
    for (int code : codes) {
      constructeur->ListerFamille(code);
      EXPECT_EQ(constructeur->Candidats(), attendues) << "famille " << code;
    }
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

TEST_F(ConstructeurTest, UnMotCleSansGrammaireLeDitEtNAjouteRien) {
  constructeur->CreerPvi(3);
  EXPECT_TRUE(constructeur->Candidats().empty());
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("Erreur d'affectation de groupe : 3"));
}

TEST_F(ConstructeurTest, LesBoutonsDemandentLeursFamilles) {
  using B = BoutonInstruction;
  const std::pair<B, std::pair<int, int>> boutons[] = {{B::Tempo, {9, 1}},   {B::Transition, {60, 69}},
                                                       {B::Diapo, {40, 30}}, {B::Titre, {70, 0}},
                                                       {B::Avance, {11, 12}}, {B::Audio, {20, 80}}};
  for (const auto& [b, codes] : boutons) {
    EXPECT_EQ(Constructeur::CodeBouton(b, true), codes.first);
    EXPECT_EQ(Constructeur::CodeBouton(b, false), codes.second);
  }
  // A right click on the title button does nothing at all.
  constructeur->NvelleInstruction(B::Titre, false);
  EXPECT_FALSE(constructeur->ModeInsertion);
  EXPECT_TRUE(constructeur->Candidats().empty());
  constructeur->NvelleInstruction(B::Transition, true);
  EXPECT_TRUE(constructeur->ModeInsertion);
  EXPECT_TRUE(constructeur->Deroulee());
  EXPECT_EQ(constructeur->Choisi(), 0);
  EXPECT_EQ(constructeur->Candidats().front(), "Transition=Sans.pvi");
}

TEST_F(ConstructeurTest, InsererSurLaDerniereLigneAjouteEnFinEtLaRendCourante) {
  banc.Lignes({"Tempo=2000.pvi", "Titrage=Un.pvv", "Titrage=Deux.pvv"}, {2});
  M().Transfert = {"Titrage=Presse.pvv"};
  constructeur->NvelleInstruction(BoutonInstruction::Transition, true);
  constructeur->ChoixCmd(3);  // Transition=Gauche
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=2000.pvi", "Titrage=Un.pvv", "Titrage=Deux.pvv", "Transition=Gauche.pvi"}));
  EXPECT_EQ(M().LigneCourante, 3);
  EXPECT_EQ(M().Focus(), 3);
  EXPECT_EQ(M().Selectionnees(), std::vector<int>{3});
  EXPECT_FALSE(constructeur->ModeInsertion);
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // The user's clipboard is untouched; one undo takes the line back.
  EXPECT_EQ(M().Transfert, Liste{"Titrage=Presse.pvv"});
  M().ListeUndo();
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=2000.pvi", "Titrage=Un.pvv", "Titrage=Deux.pvv"}));
}

TEST_F(ConstructeurTest, InsererAuMilieuPlaceSousLaLigneCouranteEtRemplacerHorsInsertion) {
  banc.Lignes({"Tempo=2000.pvi", "Titrage=Un.pvv", "Titrage=Deux.pvv"}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Avance, false);  // Menu, Vignette
  constructeur->ChoixCmd(1);                                          // Menu=Masquer
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=2000.pvi", "Menu=Masquer.pvi", "Titrage=Un.pvv", "Titrage=Deux.pvv"}));
  EXPECT_EQ(M().LigneCourante, 1);
  // Without insertion mode a choice replaces the current line.
  constructeur->ListerFamille(12);
  constructeur->ChoixCmd(0);
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=2000.pvi", "Menu=Afficher.pvi", "Titrage=Un.pvv", "Titrage=Deux.pvv"}));
  // Into an empty list the line goes first.
  banc.Lignes({});
  constructeur->NvelleInstruction(BoutonInstruction::Tempo, false);
  constructeur->ChoixCmd(0);
  EXPECT_EQ(M().Lignes(), Liste{"Avance=Pause.pvi"});
  EXPECT_EQ(M().LigneCourante, 0);
}

// Opens the number editor on `ligne`, types `valeur`, presses Enter.
struct Essai {
  const char* ligne;
  const char* valeur;
  const char* message;  // nullptr: accepted
};

TEST_F(ConstructeurTest, ChaqueNombreEstControleAvecSonMessage) {
  const QString ms = QStringLiteral(" ?? - Entrer une valeur numérique en millisecondes.");
  const Essai essais[] = {
      {"Fenetre-Cadre=-2.pvi", "-12", nullptr},
      {"Fenetre-Cadre=-2.pvi", "0", nullptr},
      {"Fenetre-Cadre=-2.pvi", "12", nullptr},
      {"Fenetre-Cadre=-2.pvi", "-13", "-13 ?? - Entrer une valeur comprise entre -12 et 12."},
      {"Fenetre-Cadre=-2.pvi", "13", "13 ?? - Entrer une valeur comprise entre -12 et 12."},
      {"Fenetre-Cadre=-2.pvi", "abc", "abc ?? - Entrer une valeur comprise entre -12 et 12."},
      {"Audio-Volume=75.pvi", "", " ?? - Entrer une valeur comprise entre 0 et 100."},
      {"Audio-Volume=75.pvi", "0", nullptr},
      {"Audio-Volume=75.pvi", "100", nullptr},
      {"Audio-Volume=75.pvi", "101", "101 ?? - Entrer une valeur comprise entre 0 et 100."},
      {"Fenetre-Marge=8.pvi", "0", "0 ?? - Entrer une valeur comprise entre 1 et 200."},
      {"Fenetre-Marge=8.pvi", "1", nullptr},
      {"Fenetre-Marge=8.pvi", "200", nullptr},
      {"Fenetre-Marge=8.pvi", "201", "201 ?? - Entrer une valeur comprise entre 1 et 200."},
      {"Tempo=2000.pvi", "0", "0 ?? - Entrer une valeur numérique en millisecondes."},
      {"Tempo=2000.pvi", "1", nullptr},
      {"Audio-Début=8550.pvi", "-5", "-5 ?? - Entrer une valeur numérique en millisecondes."},
      {"Audio-Durée=22400.pvi", "", " ?? - Entrer une valeur numérique en millisecondes."},
      {"Audio-FadeIn=1250.pvi", "2x", "2x ?? - Entrer une valeur numérique en millisecondes."},
      {"Audio-FadeOff=1250.pvi", "900", nullptr},
      {"Delai=2400.pvi", "0", "0 ?? - Entrer une valeur numérique en millisecondes."},
  };
  for (const Essai& e : essais) {
    banc.dialogues.textes.clear();
    const Texte ligne = Cp(e.ligne);
    Editer({"Tempo=1000.pvi", ligne}, 1);
    ASSERT_TRUE(constructeur->EditeurVisible()) << e.ligne;
    EXPECT_EQ(constructeur->CmdNom, MotCle(ligne));
    EXPECT_EQ(constructeur->ValeurSaisie, Valeur(ligne));
    constructeur->ValeurSaisie = e.valeur;
    constructeur->EntreeSaisie();
    if (e.message) {
      ASSERT_EQ(banc.dialogues.textes.size(), 1) << e.ligne << " " << e.valeur;
      EXPECT_EQ(banc.dialogues.textes[0], QString::fromUtf8(e.message));
      EXPECT_EQ(Ligne(1), ligne) << "rien n'est écrit";
      EXPECT_TRUE(constructeur->EditeurVisible()) << "l'éditeur reste ouvert";
      EXPECT_EQ(constructeur->ValeurSaisie, e.valeur);
    } else {
      EXPECT_TRUE(banc.dialogues.textes.isEmpty()) << e.ligne << " " << e.valeur;
      EXPECT_EQ(Ligne(1), MotCle(ligne) + "=" + e.valeur + ".pvi");
      EXPECT_FALSE(constructeur->EditeurVisible());
      EXPECT_TRUE(banc.vue->ListeModifiee);
    }
  }
}

TEST_F(ConstructeurTest, LesGeometriesSontLuesDansLeurNotation) {
  Editer({"Diapo-Position=Personnaliser.pvi"}, 0);
  // The custom-position keyword and the projection's current text.
  EXPECT_EQ(constructeur->CmdNom, "Diapo-Pos");
  EXPECT_EQ(constructeur->ValeurSaisie, banc.vue->PosDiapo);
  EXPECT_FALSE(constructeur->ValeurSaisie.empty());
  constructeur->ValeurSaisie = "abc";
  constructeur->EntreeSaisie();
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0],
            QStringLiteral("La syntaxe de : \"abc\" n'est pas correcte.\rSyntaxe correcte : X234Y345"));
  EXPECT_EQ(Ligne(0), "Diapo-Position=Personnaliser.pvi");
  // "X100" has no "Y": the projection reads no number from it.
  banc.dialogues.textes.clear();
  constructeur->ValeurSaisie = "X100";
  constructeur->EntreeSaisie();
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0],
            QStringLiteral("La syntaxe de : \"X100\" n'est pas correcte.\rSyntaxe correcte : X234Y345"));
  EXPECT_EQ(Ligne(0), "Diapo-Position=Personnaliser.pvi");
  constructeur->ValeurSaisie = "X100Y";
  constructeur->EntreeSaisie();
  EXPECT_EQ(Ligne(0), "Diapo-Pos=X100Y.pvi");

  banc.dialogues.textes.clear();
  Editer({"Fenetre-Format=Personnaliser.pvi"}, 0);
  EXPECT_EQ(constructeur->CmdNom, "Fenetre-Dim");
  EXPECT_EQ(constructeur->ValeurSaisie, banc.vue->DimFenetre);
  for (const char* faux : {"300x400", "X10Y10", "WH", "w300h400"}) {
    banc.dialogues.textes.clear();
    constructeur->ValeurSaisie = faux;
    constructeur->EntreeSaisie();
    ASSERT_EQ(banc.dialogues.textes.size(), 1) << faux;
    EXPECT_EQ(banc.dialogues.textes[0], QStringLiteral("La syntaxe de : \"") + faux +
                                            QStringLiteral("\" n'est pas correcte.\rSyntaxe correcte : W234H345"));
  }
  constructeur->ValeurSaisie = "W640H";
  constructeur->EntreeSaisie();
  EXPECT_EQ(Ligne(0), "Fenetre-Dim=W640H.pvi");
}

TEST_F(ConstructeurTest, UneGeometriePersonnaliseeSOuvreSurSaPropreValeur) {
  banc.vue->PosDiapo = "X200Y50";
  banc.vue->DimObjet = "W10H10";
  Editer({"Tempo=1000.pvi", "Diapo-Pos=X100Y100.pvi"}, 1);
  EXPECT_EQ(constructeur->CmdNom, "Diapo-Pos");
  EXPECT_EQ(constructeur->ValeurSaisie, "X100Y100");
  constructeur->EntreeSaisie();
  EXPECT_EQ(Ligne(1), "Diapo-Pos=X100Y100.pvi");
  Editer({"Objet-Dim=W300H200.pvi"}, 0);
  EXPECT_EQ(constructeur->ValeurSaisie, "W300H200");
  // A choice line ("Personnaliser") has no text of its own: the projection's.
  Editer({"Objet-Format=Personnaliser.pvi"}, 0);
  EXPECT_EQ(constructeur->CmdNom, "Objet-Dim");
  EXPECT_EQ(constructeur->ValeurSaisie, "W10H10");
}

TEST_F(ConstructeurTest, UneLigneAbandonneeRendLaListeCommeElleEtait) {
  banc.Lignes({"Tempo=1000.pvi", "Titrage=Un.pvv"}, {0});
  ASSERT_FALSE(banc.vue->ListeModifiee);
  constructeur->NvelleInstruction(BoutonInstruction::Avance, true);
  constructeur->ChoixCmd(1);  // AllerA, and no flag to go to
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Un.pvv"}));
  EXPECT_FALSE(banc.vue->ListeModifiee) << "the list is as it was loaded";
  // A list changed before keeps its mark.
  banc.vue->ListeModifiee = true;
  constructeur->NvelleInstruction(BoutonInstruction::Avance, true);
  constructeur->ChoixCmd(1);
  EXPECT_TRUE(banc.vue->ListeModifiee);
  // The same for a thumbnail line not under a flag.
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Avance, false);
  constructeur->ChoixCmd(3);
  EXPECT_EQ(M().Lignes(), Liste{"Tempo=1000.pvi"});
  EXPECT_FALSE(banc.vue->ListeModifiee);
}

TEST_F(ConstructeurTest, UneLigneSupprimeeSousLEditeurNeRecoitPasLaValeur) {
  Editer({"Tempo=1000.pvi", "Fenetre-Cadre=-2.pvi", "Titrage=Fin.pvv"}, 1);
  ASSERT_TRUE(constructeur->EditeurVisible());
  M().Supprimer();  // the delete key, on the line being edited
  constructeur->ValeurSaisie = "5";
  constructeur->EntreeSaisie();
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Fin.pvv"}));
  EXPECT_FALSE(constructeur->EditeurVisible());
}

TEST_F(ConstructeurTest, UnChoixFixeRouvreSaFamilleSurLaLigne) {
  Editer({"Tempo=1000.pvi", "Transition=Gauche.pvi"}, 1);
  EXPECT_FALSE(constructeur->EditeurVisible());
  EXPECT_TRUE(constructeur->Deroulee());
  EXPECT_EQ(constructeur->Candidats().size(), 18u);
  EXPECT_EQ(constructeur->Choisi(), 3);
  constructeur->ChoixCmd(17);
  EXPECT_EQ(Ligne(1), "Morphe=Zoom.pvi");
  EXPECT_EQ(M().Compte(), 2);
}

TEST_F(ConstructeurTest, UnSousChoixProposeLaFamilleDeSaValeur) {
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Diapo, false);  // Fenetre, Fenetre-Couleur
  constructeur->ChoixCmd(7);                                         // Fenetre=Dimensionner
  EXPECT_EQ(Ligne(1), "Fenetre=Dimensionner.pvi");
  EXPECT_EQ(constructeur->Candidats(), Formats("Fenetre-Format", {"Adapter à la Diapo", "Adapter au bureau"}));
  EXPECT_TRUE(constructeur->Deroulee());
  constructeur->ChoixCmd(1);
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Fenetre-Format=80%.pvi"}));
  // The whole building is one undoable step.
  M().ListeUndo();
  EXPECT_EQ(M().Lignes(), Liste{"Tempo=1000.pvi"});

  Editer({"Fenetre=Style.pvi"}, 0);
  EXPECT_EQ(constructeur->Candidats().size(), 7u);
  EXPECT_EQ(constructeur->Candidats().back(), "Fenetre-Marge=8.pvi");
  Editer({"Diapo=Image.pvi"}, 0);
  EXPECT_EQ(constructeur->Candidats().front(), "Image=Normale.pvi");
  Editer({"Titre=Positionner.pvi"}, 0);
  EXPECT_EQ(constructeur->Candidats(), Positions("Titre-Position"));
}

TEST_F(ConstructeurTest, AllerAProposeLesDrapeauxDeLaListe) {
  banc.Lignes({"Drapeau=Intro.pvd", "Tempo=1000.pvi", "Drapeau=Fin.pvd"}, {1});
  constructeur->NvelleInstruction(BoutonInstruction::Avance, true);
  constructeur->ChoixCmd(1);  // AllerA=Nom de Drapeau
  EXPECT_EQ(constructeur->Candidats(), (Liste{"AllerA=Intro.pvi", "AllerA=Fin.pvi"}));
  EXPECT_TRUE(constructeur->Deroulee());
  EXPECT_EQ(constructeur->ValeurSaisie, "Nom de Drapeau");
  constructeur->ChoixCmd(1);
  EXPECT_EQ(M().Lignes(), (Liste{"Drapeau=Intro.pvd", "Tempo=1000.pvi", "AllerA=Fin.pvi", "Drapeau=Fin.pvd"}));
  EXPECT_FALSE(constructeur->Deroulee());
  // Opening the go-to line again lists the flags again.
  constructeur->ModifierCmd();
  EXPECT_EQ(constructeur->Candidats().size(), 2u);
  EXPECT_TRUE(banc.dialogues.textes.isEmpty());
}

TEST_F(ConstructeurTest, AllerASansDrapeauRetireSeulementLaLigneQuIlVientDInserer) {
  const QString message = QStringLiteral("Pas de drapeau dans la liste !!\r\rCréer des drapeaux avant\rd'utiliser cette commande.");
  banc.Lignes({"Tempo=1000.pvi", "Titrage=Un.pvv"}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Avance, true);
  constructeur->ChoixCmd(1);
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], message);
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Un.pvv"}));

  // An existing go-to line opened to change it stays.
  banc.dialogues.textes.clear();
  Editer({"Tempo=1000.pvi", "AllerA=Perdu.pvi", "Titrage=Un.pvv"}, 1);
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0], message);
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "AllerA=Perdu.pvi", "Titrage=Un.pvv"}));

  // A go-to candidate put in place of a line gives that line back.
  banc.Lignes({"Tempo=1000.pvi", "Titrage=Un.pvv"}, {1});
  constructeur->ListerFamille(13);
  constructeur->ChoixCmd(1);
  EXPECT_EQ(M().Lignes(), (Liste{"Tempo=1000.pvi", "Titrage=Un.pvv"}));
}

TEST_F(ConstructeurTest, UneVignetteSuitUnDrapeau) {
  banc.Image(QStringLiteral("a.jpg"));
  banc.Image(QStringLiteral("b.jpg"));
  const Texte a = banc.Chemin(QStringLiteral("a.jpg")), b = banc.Chemin(QStringLiteral("b.jpg"));
  banc.Lignes({"Drapeau=Intro.pvd", a, "Drapeau=Suite.pvd", b}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Avance, false);
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("b.jpg"))};
  constructeur->ChoixCmd(3);  // Vignette=Choisir
  // Preset with the first picture below the flag.
  ASSERT_EQ(banc.dialogues.departs.size(), 1);
  EXPECT_EQ(banc.dialogues.departs[0], banc.CheminHote(QStringLiteral("a.jpg")));
  EXPECT_EQ(Ligne(1), "Vignette=" + b + ".pvr");
  EXPECT_EQ(M().Compte(), 5);

  // Cancelled: the new line goes.
  banc.dialogues.fichiers = {std::nullopt};
  banc.Lignes({"Drapeau=Intro.pvd", a}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Avance, false);
  constructeur->ChoixCmd(3);
  EXPECT_EQ(M().Lignes(), (Liste{"Drapeau=Intro.pvd", a}));

  // Not under a flag: said, and the new line goes.
  banc.Lignes({a}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Avance, false);
  constructeur->ChoixCmd(3);
  ASSERT_EQ(banc.dialogues.textes.size(), 1);
  EXPECT_EQ(banc.dialogues.textes[0],
            QStringLiteral("La ligne sélectionnée doit représenter\run drapeau à illustrer par une image!\r\r"
                           "Sélectionner une instruction \"Drapeau=...\"\rpuis reprendre la commande."));
  EXPECT_EQ(M().Lignes(), Liste{a});
}

TEST_F(ConstructeurTest, LesDialoguesDeChaqueGenreDeLigne) {
  banc.Image(QStringLiteral("a.jpg"));
  banc.Image(QStringLiteral("img/b.jpg"));
  banc.Ecrire(QStringLiteral("son.wav"), "RIFF");
  banc.Ecrire(QStringLiteral("autre.wav"), "RIFF");
  const Texte a = banc.Chemin(QStringLiteral("a.jpg"));
  // A picture: its own dialog, opened on the line's file.
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("img/b.jpg"))};
  Editer({a}, 0);
  EXPECT_EQ(banc.dialogues.departs.back(), banc.CheminHote(QStringLiteral("a.jpg")));
  EXPECT_EQ(Ligne(0), banc.Chemin(QStringLiteral("img/b.jpg")));
  // A sound, cancelled: nothing changes.
  banc.dialogues.fichiers = {std::nullopt};
  const Texte son = banc.Chemin(QStringLiteral("son.wav"));
  Editer({son}, 0);
  EXPECT_EQ(Ligne(0), son);
  EXPECT_FALSE(banc.vue->ListeModifiee);
  // A missing picture: the search dialog with its filter.
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("a.jpg"))};
  Editer({banc.Chemin(QStringLiteral("perdue.jpg"))}, 0);
  EXPECT_EQ(Ligne(0), a);
  // A colour: the dialog starts from the line's colour, the name is written.
  banc.dialogues.couleurs = {QColor(128, 0, 0)};
  Editer({"Diapo-Couleur=clRed.pvi"}, 0);
  EXPECT_EQ(Ligne(0), "Diapo-Couleur=clMaroon.pvi");
  banc.dialogues.couleurs = {std::nullopt};
  Editer({"Titre-Couleur=clRed.pvi"}, 0);
  EXPECT_EQ(Ligne(0), "Titre-Couleur=clRed.pvi");
}

TEST_F(ConstructeurTest, LesFichiersDesListesScriptsEtRessourcesSeChoisissent) {
  banc.Ecrire(QStringLiteral("sous.pvl"), "Tempo=1000.pvi\r\n");
  banc.Ecrire(QStringLiteral("autre.pvl"), "Tempo=500.pvi\r\n");
  banc.Ecrire(QStringLiteral("essai.pvs"), "Tempo=1000.pvi\r\n");
  banc.Ecrire(QStringLiteral("lg.txt"), "x");
  // A sub-list: the chosen list replaces the line.
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("autre.pvl"))};
  Editer({banc.Chemin(QStringLiteral("sous.pvl"))}, 0);
  EXPECT_EQ(Ligne(0), banc.Chemin(QStringLiteral("autre.pvl")));
  EXPECT_EQ(banc.dialogues.departs.back(), banc.CheminHote(QStringLiteral("sous.pvl")));
  // A script, cancelled: unchanged.
  banc.dialogues.fichiers = {std::nullopt};
  Editer({banc.Chemin(QStringLiteral("essai.pvs"))}, 0);
  EXPECT_EQ(Ligne(0), banc.Chemin(QStringLiteral("essai.pvs")));
  // A resource line still waiting for its file: the file dialog at once.
  banc.dialogues.fichiers = {banc.CheminHote(QStringLiteral("lg.txt"))};
  Editer({"Tempo=1000.pvi", "Langages=Choisir.pvr"}, 1);
  EXPECT_EQ(Ligne(1), "Langages=" + banc.Chemin(QStringLiteral("lg.txt")) + ".pvr");
  banc.dialogues.fichiers = {std::nullopt};
  Editer({"Menus=Choisir.pvr"}, 0);
  EXPECT_EQ(Ligne(0), "Menus=Choisir.pvr");
  EXPECT_TRUE(banc.dialogues.fichiers.isEmpty());
}

TEST_F(ConstructeurTest, LObjetEtLaSequencePassentParLeChoixDObjet) {
  std::vector<std::pair<bool, bool>> appels;
  constructeur->ChoisirObjet = [&](bool boite, bool inseree) -> std::optional<Texte> {
    appels.emplace_back(boite, inseree);
    return std::nullopt;
  };
  int menus = 0;
  constructeur->OuvrirMenuScenes = [&] { ++menus; };
  banc.Lignes({"Tempo=1000.pvi"}, {0});
  constructeur->NvelleInstruction(BoutonInstruction::Audio, false);
  constructeur->ChoixCmd(0);  // Objet=Texte Rtf
  constructeur->NvelleInstruction(BoutonInstruction::Avance, true);
  constructeur->ChoixCmd(8);  // Séquence=Choisir
  Editer({"ObjetX=x.rtf.pvr"}, 0);
  EXPECT_EQ(appels, (std::vector<std::pair<bool, bool>>{{false, true}, {false, true}, {false, false}}));
  constructeur->NvelleInstruction(BoutonInstruction::Avance, false);
  constructeur->ChoixCmd(2);  // Menu=Créer
  EXPECT_EQ(menus, 1);
}

TEST_F(ConstructeurTest, LesCandidatsSAffichentAvecLeurIconeEtLeurTexte) {
  constructeur->ListerFamille(30);
  const Liste& c = constructeur->Candidats();
  const auto rang = [&](const char* ligne) {
    return static_cast<int>(std::find(c.begin(), c.end(), Cp(ligne)) - c.begin());
  };
  EXPECT_EQ(constructeur->IconeCandidat(rang("Fenetre=Formater.pvi")), 23);
  EXPECT_EQ(constructeur->TexteCandidat(rang("Fenetre=Formater.pvi")), "Fenetre=Formater");
  EXPECT_EQ(constructeur->IconeCandidat(rang("Fenetre=Dimensionner.pvi")), 1);
  EXPECT_EQ(constructeur->TexteCandidat(rang("Fenetre=Dimensionner.pvi")), "Fenetre=Dimensionner");
  const int couleur = static_cast<int>(c.size()) - 1;
  EXPECT_EQ(constructeur->IconeCandidat(couleur), 23);
  EXPECT_EQ(constructeur->TexteCandidat(couleur), "Fenetre-Couleur=Choisir");
  EXPECT_EQ(constructeur->IconeCandidat(rang("Fenetre=Verte.pvi")), 9);
  EXPECT_EQ(constructeur->TexteCandidat(rang("Fenetre=Verte.pvi")), "Fenetre=Verte");
  // The description follows the highlighted candidate.
  constructeur->CmdChange(rang("Fenetre=Verte.pvi"));
  EXPECT_EQ(constructeur->Description(), Description("fr", 3021));
  EXPECT_FALSE(constructeur->Description().empty());
}

TEST_F(ConstructeurTest, LesDescriptionsSontCellesDesInstructions) {
  EXPECT_EQ(Description("fr", 102), Cp("Arrête le défilement et la musique."));
  EXPECT_EQ(Description("fr", 103), Cp("Arrête le défilement sans arrêter la musique."));
  std::set<int> attendus;
  for (int c : {102, 103, 105, 106, 110, 202, 211, 500, 600, 700, 900, 1100, 1211, 1212, 1270, 1300, 1401, 1402,
                1403, 1404, 1405, 1412, 1500, 1600, 1700, 2001, 2002, 2003, 2005, 2006, 2010, 2100, 2300, 2400,
                2500, 2600, 3000, 3001, 3010, 3021, 3022, 3023, 3030, 3033, 3034, 3055, 3100, 3338, 3339, 3350,
                3502, 3503, 3506, 3507, 3510, 3600, 3700, 3800, 3900, 4001, 4010, 4011, 4012, 4021, 4022, 4023,
                4030, 4033, 4034, 4055, 4056, 4058, 4100, 4210, 4236, 4251, 4253, 4254, 4337, 4338, 4339, 4350,
                4800, 4900, 6101, 6103, 6105, 6107, 6114, 6800, 6901, 6907, 6910, 6914, 6921, 6928, 6940, 6970,
                7000, 7001, 7010, 7011, 7030, 7034, 7100, 7200, 7500, 7600, 7700, 7900, 8030, 8033, 8034, 8100,
                8350, 8800, 8900})
    attendus.insert(c);
  const std::pair<int, int> plages[] = {{3330, 3336}, {3440, 3450}, {4330, 4335}, {4440, 4450}, {6000, 6008},
                                        {6011, 6014}, {7440, 7450}, {8001, 8005}, {8330, 8339}, {8440, 8450}};
  for (const auto& [de, a] : plages)
    for (int c = de; c <= a; ++c) attendus.insert(c);
  std::set<int> decrits;
  for (int c = 1; c < 10000; ++c)
    if (!Description("fr", c).empty()) decrits.insert(c);
  EXPECT_EQ(decrits, attendus);
  EXPECT_EQ(decrits.size(), 202u);
  // Only the projection's language has them.
  EXPECT_TRUE(Description("En", 102).empty());
}

}  // namespace
}  // namespace plivor::test
