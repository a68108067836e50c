#include <gtest/gtest.h>

#include "core/Chemins.h"

namespace plivor {
namespace {

constexpr auto W = StyleChemins::Windows;
constexpr auto P = StyleChemins::Posix;

TEST(Chemins, RootsAndFolders) {
  EXPECT_EQ(Racine("C:\\Shows\\a.jpg", W), "C:");
  EXPECT_EQ(Racine("\\\\serveur\\partage\\a.jpg", W), "\\\\serveur\\partage");
  EXPECT_EQ(Racine("img\\a.jpg", W), "");
  EXPECT_EQ(Racine("/home/a.jpg", P), "/");
  EXPECT_EQ(Racine("img/a.jpg", P), "");
  EXPECT_TRUE(EstAbsolu("C:\\a", W));
  EXPECT_FALSE(EstAbsolu("C:a", W));
  EXPECT_EQ(DossierDe("C:\\Shows\\a.jpg", W), "C:\\Shows");
  EXPECT_EQ(DossierDe("C:\\Shows\\", W), "C:\\Shows");
  EXPECT_EQ(DossierDe("a.jpg", W), "");
  EXPECT_EQ(DossierDe("/home/anne/a.jpg", P), "/home/anne");
  EXPECT_EQ(NomDeFichier("C:\\Shows\\img\\a.jpg"), "a.jpg");
  EXPECT_EQ(NomDeFichier("img/a.jpg"), "a.jpg");
}

TEST(Chemins, RelativeForms) {
  EXPECT_EQ(CheminRelatif("C:\\Shows\\img\\a.jpg", "C:\\Shows", W), "img\\a.jpg");
  EXPECT_EQ(CheminRelatif("c:\\SHOWS\\img\\a.jpg", "C:\\Shows", W), "img\\a.jpg");
  EXPECT_EQ(CheminRelatif("C:\\Shows\\img\\a.jpg", "C:\\Shows\\sub", W), "..\\img\\a.jpg");
  EXPECT_EQ(CheminRelatif("D:\\x\\a.jpg", "C:\\Shows", W), "D:\\x\\a.jpg");
  EXPECT_EQ(CheminRelatif("/shows/img/a.jpg", "/shows", P), "img/a.jpg");
  EXPECT_EQ(CheminRelatif("/shows/a.jpg", "/shows/sub/deep", P), "../../a.jpg");
  EXPECT_EQ(CheminRelatif("/Shows/a.jpg", "/shows", P), "../Shows/a.jpg");
  EXPECT_EQ(CheminRelatif("img/a.jpg", "/shows", P), "img/a.jpg");
}

TEST(Chemins, FullPaths) {
  EXPECT_EQ(CheminComplet("img\\a.jpg", "C:\\Shows", W), "C:\\Shows\\img\\a.jpg");
  EXPECT_EQ(CheminComplet("..\\b\\.\\a.jpg", "C:\\Shows\\x", W), "C:\\Shows\\b\\a.jpg");
  EXPECT_EQ(CheminComplet("\\a.jpg", "D:\\Shows", W), "D:\\a.jpg");
  EXPECT_EQ(CheminComplet("..\\..\\..\\a.jpg", "C:\\x", W), "C:\\a.jpg");
  EXPECT_EQ(CheminComplet("C:\\", "D:\\", W), "C:\\");
  EXPECT_EQ(CheminComplet("img\\a.jpg", "/home/anne", P), "/home/anne/img/a.jpg");
  EXPECT_EQ(CheminComplet("/etc/../tmp//x", "/home", P), "/tmp/x");
  EXPECT_EQ(CheminComplet("..", "/", P), "/");
  EXPECT_EQ(Joindre("/shows/", "img\\a.jpg", P), "/shows/img/a.jpg");
  EXPECT_EQ(Joindre("C:\\Shows", "img\\a.jpg", W), "C:\\Shows\\img\\a.jpg");
}

}  // namespace
}  // namespace plivor
