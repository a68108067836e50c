#include <gtest/gtest.h>

#include "core/Lignes.h"
#include "core/Vocabulaire.h"
#include "support/FichiersMemoire.h"

namespace plivor {
namespace {

using test::FichiersMemoire;

class Classement : public ::testing::Test {
 protected:
  FichiersMemoire fichiers{StyleChemins::Windows, "C:\\Shows"};
};

TEST_F(Classement, EveryExtensionGivesItsKindWhenTheFileExists) {
  const std::pair<const char*, int> attendus[] = {
      {".jpg", 1},  {".gif", 11}, {".bmp", 31}, {".wmf", 41}, {".emf", 41},
      {".wav", 2},  {".cda", 12}, {".mid", 22}, {".rmi", 22}, {".mp3", 32},
      {".rtf", 3},  {".txt", 13}, {".avi", 8},  {".swf", 18}, {".pvl", 5},
      {".pvs", 15}};
  for (const auto& [ext, genre] : attendus) {
    const Texte ligne = Texte("media") + ext;
    EXPECT_EQ(ClasserLigne(ligne, fichiers), Genre::Absent) << ext << " without its file";
    fichiers.Ajouter(ligne);
    EXPECT_EQ(ClasserLigne(ligne, fichiers), genre) << ext;
  }
}

// Today's extensions take kinds of their own, pictures ending in 1 and
// sounds in 2, and leave every extension of old as it was.
TEST_F(Classement, TodaysPicturesAndSoundsHaveTheirKinds) {
  const std::pair<const char*, int> attendus[] = {
      {".jpeg", 1},  {".JFIF", 1},  {".jpe", 1},   {".png", 21},  {".webp", 51}, {".tif", 61},
      {".TIFF", 61}, {".heic", 71}, {".heif", 71}, {".avif", 81}, {".flac", 42}, {".ogg", 52},
      {".oga", 52},  {".opus", 62}, {".m4a", 72},  {".aac", 72}};
  for (const auto& [ext, genre] : attendus) {
    const Texte ligne = Texte("media") + ext;
    EXPECT_EQ(ClasserLigne(ligne, fichiers), Genre::Absent) << ext;
    fichiers.Ajouter(ligne);
    EXPECT_EQ(ClasserLigne(ligne, fichiers), genre) << ext;
    EXPECT_EQ(EstImage(genre), genre % 10 == 1) << ext;
    EXPECT_EQ(EstSon(genre), genre % 10 == 2) << ext;
    EXPECT_TRUE(EstChemin(genre)) << ext;
    EXPECT_EQ(IconeLigne(ligne, fichiers, TablesFrancaises()), genre % 10 == 1 ? 2 : 1) << ext;
  }
  // An instruction's value may end like a picture: its extension decides.
  EXPECT_EQ(ClasserLigne("Titrage=photo.png.pvv", fichiers), 14);
  // Neither a name that is only the extension, nor a bare word.
  EXPECT_EQ(GenreExtension(".png"), Genre::Inconnu);
  EXPECT_EQ(GenreExtension("apng"), Genre::Inconnu);
  EXPECT_FALSE(EstImage(Genre::Metafichier));
}

TEST_F(Classement, InstructionsAndFlagsNeedNoFile) {
  EXPECT_EQ(ClasserLigne("Tempo=1500.pvi", fichiers), 4);
  EXPECT_EQ(ClasserLigne("Titrage=Cliquer sur Plivor.pvv", fichiers), 14);
  EXPECT_EQ(ClasserLigne("Drapeau=Fin.pvd", fichiers), 34);
  EXPECT_EQ(fichiers.requetes, 0);
}

TEST_F(Classement, ResourceLinesCheckTheirValue) {
  const Texte ligne = Cp("Séquence=C:\\Shows\\suite.pvl.pvr");
  EXPECT_EQ(ClasserLigne(ligne, fichiers), -1);
  EXPECT_EQ(ClasserLigne(ligne, fichiers, /*modeInsertion=*/true), 24);
  fichiers.Ajouter("C:\\Shows\\suite.pvl");
  EXPECT_EQ(ClasserLigne(ligne, fichiers), 24);
}

TEST_F(Classement, ExtensionCaseAndUnknownExtensions) {
  fichiers.Ajouter("C:\\Images\\PHOTO.JPG");
  EXPECT_EQ(ClasserLigne("C:\\Images\\PHOTO.JPG", fichiers), 1);
  fichiers.Ajouter("lettre.doc");
  EXPECT_EQ(ClasserLigne("lettre.doc", fichiers), 0);
  EXPECT_EQ(ClasserLigne("absente.doc", fichiers), -1);
  // ".pvi" straddled: "i.pv" lies across two extensions of the list.
  fichiers.Ajouter("xi.pv");
  EXPECT_EQ(ClasserLigne("xi.pv", fichiers), 0);
}

TEST_F(Classement, ShortAndEmptyLinesAreUnknownOrAbsent) {
  EXPECT_EQ(ClasserLigne("", fichiers), -1);
  EXPECT_EQ(ClasserLigne(".jp", fichiers), -1);
  fichiers.Ajouter(".jp");
  EXPECT_EQ(ClasserLigne(".jp", fichiers), 0);
}

TEST_F(Classement, RelativeLinesResolveAgainstTheCurrentFolder) {
  fichiers.Ajouter("C:\\Shows\\img\\a.jpg");
  EXPECT_EQ(ClasserLigne("img\\a.jpg", fichiers), 1);
  fichiers.ChangerDossier("C:\\Autre");
  EXPECT_EQ(ClasserLigne("img\\a.jpg", fichiers), -1);
}

TEST(LignesPosix, WindowsRelativeLinesResolveOnPosix) {
  FichiersMemoire fichiers(StyleChemins::Posix, "/home/anne/shows");
  fichiers.Ajouter("/home/anne/shows/img/a.jpg");
  EXPECT_EQ(ClasserLigne("img\\a.jpg", fichiers), 1);
  EXPECT_EQ(ClasserLigne("img/a.jpg", fichiers), 1);
  EXPECT_EQ(ClasserLigne("IMG/a.jpg", fichiers), -1) << "POSIX names keep their case";
}

TEST(Decoupage, KeywordAndValue) {
  EXPECT_EQ(MotCle("Tempo=1500.pvi"), "Tempo");
  EXPECT_EQ(Valeur("Tempo=1500.pvi"), "1500");
  EXPECT_EQ(Valeur("Titrage=a=b c.pvv"), "a=b c");
  EXPECT_EQ(MotCle("C:\\Images\\photo.jpg"), "");
  EXPECT_EQ(Valeur("C:\\Images\\photo.jpg"), "C:\\Images\\photo");
  EXPECT_EQ(Valeur("Duree=1,5-sec.pvi"), "1,5-sec");
  EXPECT_EQ(Valeur("A=.pvi"), "");
  EXPECT_EQ(Valeur("ab"), "");
}

TEST(Decoupage, SansBarreAndIndexBorne) {
  EXPECT_EQ(SansBarre("C:\\"), "C:");
  EXPECT_EQ(SansBarre("C:\\Shows"), "C:\\Shows");
  EXPECT_EQ(SansBarre("/home/anne/"), "/home/anne");
  const Liste cinq(5, "x");
  EXPECT_EQ(IndexBorne(cinq, 5), 0);
  EXPECT_EQ(IndexBorne(cinq, -1), 4);
  EXPECT_EQ(IndexBorne(cinq, 3), 3);
}

TEST_F(Classement, Icons) {
  fichiers.Ajouter("a.jpg");
  fichiers.Ajouter("b.mp3");
  fichiers.Ajouter("c.pvl");
  fichiers.Ajouter("d.pvs");
  fichiers.Ajouter("e.doc");
  fichiers.Ajouter("C:\\Shows\\suite.pvl");
  const Tables& fr = TablesFrancaises();
  const std::pair<Texte, int> attendus[] = {
      {"a.jpg", 2}, {"b.mp3", 1}, {"c.pvl", 16}, {"d.pvs", 17}, {"Drapeau=x.pvd", 0},
      {"e.doc", 20}, {"f.jpg", 19}, {"Inconnu=1.pvi", 20}, {"Menu=Afficher.pvi", 6},
      {"Tempo=1.pvi", 5}, {"Saut=Suivant.pvi", 7}, {Cp("Audio-Durée=5.pvi"), 8},
      {"Fenetre-Pos=X1Y1.pvi", 9}, {"Diapo-Dim=W1H1.pvi", 10}, {"Image=Opaque.pvi", 11},
      {"Morphe=Zoom.pvi", 12}, {"Delai=5.pvi", 13}, {"Titre-Pos=X1Y1.pvi", 14},
      {"Titre-Capture=x.pvi", 18}, {"Objet-Dim=W1H1.pvi", 15}, {"Tempo=x.pvv", 20},
      {"Fenetre=Peindre.pvv", 21}, {"Diapo=Peindre.pvv", 3}, {"Titrage=x.pvv", 4},
      {Cp("Séquence=C:\\Shows\\suite.pvl.pvr"), 22}, {"Menus=C:\\Shows\\suite.pvl.pvr", 23},
      {"Inconnu=C:\\Shows\\suite.pvl.pvr", 20}, {"ObjetX=C:\\Shows\\suite.pvl.pvr", 7},
      {"Audio=x.pvv", -1}};
  for (const auto& [ligne, icone] : attendus) EXPECT_EQ(IconeLigne(ligne, fichiers, fr), icone) << ligne;
}

}  // namespace
}  // namespace plivor
