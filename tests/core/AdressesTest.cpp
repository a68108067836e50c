#include <gtest/gtest.h>

#include "core/Adresses.h"
#include "support/FichiersMemoire.h"
#include "support/MessagerieEnregistree.h"

namespace plivor {
namespace {

using test::FichiersMemoire;
using test::MessagerieEnregistree;

class AdressesWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    fichiers.Ajouter("C:\\Shows\\img\\a.jpg");
    fichiers.Ajouter("C:\\Shows\\b.pvl");
    fichiers.Ajouter("D:\\Sons\\s.wav");
    fichiers.Ajouter("C:\\Shows\\texte.rtf");
    fichiers.Ajouter("C:\\Shows\\lettre.doc");
  }
  FichiersMemoire fichiers{StyleChemins::Windows, "C:\\Shows"};
  MessagerieEnregistree messages;
};

TEST_F(AdressesWindows, RelativeInsideTheBaseFolder) {
  EXPECT_EQ(AdresseRelative("C:\\Shows\\", "C:\\Shows\\img\\a.jpg", fichiers, messages), "img\\a.jpg");
  EXPECT_EQ(AdresseRelative("C:\\Shows\\liste.pvl", "C:\\Shows\\img\\a.jpg", fichiers, messages), "img\\a.jpg");
  EXPECT_EQ(AdresseRelative("C:\\Shows\\", Cp("Séquence=C:\\Shows\\b.pvl.pvr"), fichiers, messages),
            Cp("Séquence=b.pvl.pvr"));
  EXPECT_EQ(AdresseRelative("C:\\Shows\\", "Tempo=1500.pvi", fichiers, messages), "Tempo=1500.pvi");
  EXPECT_EQ(AdresseRelative("C:\\Shows\\", "D:\\Sons\\s.wav", fichiers, messages), "D:\\Sons\\s.wav");
  EXPECT_EQ(AdresseRelative("C:\\Shows\\", "C:\\Shows\\texte.rtf", fichiers, messages), "C:\\Shows\\texte.rtf");
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(AdressesWindows, RelativeFailures) {
  EXPECT_EQ(AdresseRelative("C:\\Shows\\sub\\", "C:\\Shows\\img\\a.jpg", fichiers, messages),
            Cp("extérieur"));
  EXPECT_EQ(AdresseRelative("C:\\Shows\\", "C:\\Shows\\lettre.doc", fichiers, messages), "exterieur");
  EXPECT_EQ(AdresseRelative("C:\\Shows\\", "C:\\Shows\\absent.jpg", fichiers, messages), "exterieur");
  ASSERT_EQ(messages.messages.size(), 3u);
  EXPECT_EQ(messages.messages[0], "Le fichier \"a.jpg\" est extérieur au dossier \"C:\\Shows\\sub\\\" !");
  EXPECT_EQ(messages.messages[1],
            "La ligne \"C:\\Shows\\lettre.doc\" est érronée !\rImpossible de modifier son adresse\r"
            "Vérifier son contenu et sa syntaxe !");
  EXPECT_EQ(messages.messages[2],
            "Le fichier \"C:\\Shows\\absent.jpg\" n'existe pas !\rImpossible de modifier son adresse");
}

TEST_F(AdressesWindows, Expansion) {
  EXPECT_EQ(AdresseEtendue("img\\a.jpg", fichiers, messages), "C:\\Shows\\img\\a.jpg");
  EXPECT_EQ(AdresseEtendue(Cp("Séquence=b.pvl.pvr"), fichiers, messages), Cp("Séquence=C:\\Shows\\b.pvl.pvr"));
  EXPECT_EQ(AdresseEtendue("Drapeau=Fin.pvd", fichiers, messages), "Drapeau=Fin.pvd");
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(AdresseEtendue("absent.jpg", fichiers, messages), "erreur");
  EXPECT_EQ(AdresseEtendue("lettre.doc", fichiers, messages), "erreur");
  EXPECT_EQ(AdresseEtendue("texte.rtf", fichiers, messages), "erreur");
  ASSERT_EQ(messages.messages.size(), 3u);
  EXPECT_EQ(messages.messages[0], "Le fichier \"absent.jpg\" n'existe pas !\rImpossible d'étendre son adresse");
  EXPECT_EQ(messages.messages[1],
            "La ligne \"lettre.doc\" est érronée !\rImpossible d'étendre son adresse\rVérifier son contenu et sa "
            "syntaxe !");
  EXPECT_EQ(messages.messages[2], "Impossible d'étendre l'adresse de : texte.rtf");
}

TEST_F(AdressesWindows, Joining) {
  fichiers.ChangerDossier("C:\\Ailleurs");
  EXPECT_EQ(AdresseJointe("img\\a.jpg", "C:\\Shows", fichiers), "C:\\Shows\\img\\a.jpg");
  EXPECT_EQ(AdresseJointe("img\\a.jpg", "C:\\Shows\\", fichiers), "C:\\Shows\\img\\a.jpg");
  EXPECT_EQ(AdresseJointe(Cp("Séquence=b.pvl.pvr"), "C:\\Shows", fichiers), Cp("Séquence=C:\\Shows\\b.pvl.pvr"));
  EXPECT_EQ(AdresseJointe("Tempo=1.pvi", "C:\\Shows", fichiers), "Tempo=1.pvi");
}

TEST(AdressesPosix, SameRulesOnTheHostSeparator) {
  FichiersMemoire fichiers(StyleChemins::Posix, "/home/anne");
  fichiers.Ajouter("/home/anne/shows/img/a.jpg");
  fichiers.Ajouter("/home/anne/shows/b.pvl");
  MessagerieEnregistree messages;
  EXPECT_EQ(AdresseRelative("/home/anne/shows/", "/home/anne/shows/img/a.jpg", fichiers, messages), "img/a.jpg");
  EXPECT_EQ(AdresseRelative("/home/anne/shows/l.pvl", Cp("Séquence=/home/anne/shows/b.pvl.pvr"), fichiers, messages),
            Cp("Séquence=b.pvl.pvr"));
  EXPECT_EQ(AdresseRelative("/home/anne/shows/img/", "/home/anne/shows/b.pvl", fichiers, messages),
            kExterieurAccent);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0], "Le fichier \"b.pvl\" est extérieur au dossier \"/home/anne/shows/img/\" !");
  // A line written on Windows expands and joins on the host.
  EXPECT_EQ(AdresseEtendue("shows\\img\\a.jpg", fichiers, messages), "/home/anne/shows/img/a.jpg");
  EXPECT_EQ(AdresseJointe("img\\absent.jpg", "/home/anne/shows/", fichiers), "/home/anne/shows/img/absent.jpg");
}

TEST(AdressesPosix, FromTheRootAndThroughFoldersEndingInDots) {
  FichiersMemoire fichiers(StyleChemins::Posix, "/");
  fichiers.Ajouter("/shows/a.jpg");
  fichiers.Ajouter("/Vol../b.jpg");
  MessagerieEnregistree messages;
  EXPECT_EQ(AdresseRelative("/", "/shows/a.jpg", fichiers, messages), "shows/a.jpg");
  // "Vol.." is a name, not a way out of the folder.
  EXPECT_EQ(AdresseRelative("/", "/Vol../b.jpg", fichiers, messages), "Vol../b.jpg");
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(AdresseRelative("/shows/", "/Vol../b.jpg", fichiers, messages), kExterieurAccent);
}

}  // namespace
}  // namespace plivor
