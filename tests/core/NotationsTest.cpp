#include <gtest/gtest.h>

#include "core/Notations.h"
#include "support/FichiersMemoire.h"

namespace plivor {
namespace {

TEST(Points, SizesAndPositions) {
  EXPECT_EQ(LirePoint("W300H400"), (Point{300, 400}));
  EXPECT_EQ(LirePoint("X420Y20"), (Point{420, 20}));
  EXPECT_EQ(LirePoint("W300"), (Point{-1, -1}));
  EXPECT_EQ(LirePoint("w300h400"), (Point{-1, -1}));
  EXPECT_EQ(LirePoint("X60Y"), (Point{60, -1}));
  EXPECT_EQ(LirePoint("XY"), (Point{-1, -1}));
  EXPECT_EQ(LirePoint("Wa0H12"), (Point{-1, 12}));
  // Only eight characters are read after the letter.
  EXPECT_EQ(LirePoint("W1H123456789"), (Point{1, 12345678}));
  EXPECT_EQ(LirePoint(TexteDimension(640, 480)), (Point{640, 480}));
  EXPECT_EQ(LirePoint(TextePosition(-5, 7)), (Point{-5, 7}));
}

TEST(Polices, NameStyleAndSize) {
  const PoliceInstallee installees = [](const Texte& nom) { return nom == "Arial Black" || nom == "DejaVu Sans"; };
  EXPECT_EQ(PoliceNom("Arial Black+N128", installees), "Arial Black");
  EXPECT_EQ(PoliceNom("DejaVu Sans+B20", installees), "DejaVu Sans");
  EXPECT_EQ(PoliceNom("Inexistante+N20", installees), "Arial Black");
  EXPECT_EQ(PoliceNom("SansPlus", installees), "Arial Black");
  EXPECT_EQ(PoliceStyle("Arial+I72"), Style::Italique);
  EXPECT_EQ(PoliceTaille("Arial+I72"), 72);
  EXPECT_EQ(PoliceStyle("Arial+B"), Style::Gras);
  EXPECT_EQ(PoliceTaille("Arial+B"), 128);
  EXPECT_EQ(PoliceStyle("Arial+S9"), Style::Souligne);
  EXPECT_EQ(PoliceStyle("Arial+Q9"), Style::Normal);
  EXPECT_EQ(PoliceTaille("Arial+Nxx"), 128);
}

TEST(Couleurs, NamesAndHexRoundTrip) {
  EXPECT_EQ(TexteCouleur(RGB(128, 0, 0)), "clMaroon");
  EXPECT_EQ(TexteCouleur(RGB(35, 32, 55)), "$00372023");
  EXPECT_EQ(RGB(35, 32, 55), 3612707u);
  EXPECT_EQ(LireCouleur("clnavy"), RGB(0, 0, 128));
  EXPECT_EQ(LireCouleur("CLWHITE"), RGB(255, 255, 255));
  EXPECT_EQ(LireCouleur("clBtnFace"), kCouleurSysteme + 15);
  EXPECT_EQ(TexteCouleur(kCouleurSysteme + 15), "clBtnFace");
  EXPECT_EQ(LireCouleur("255"), RGB(255, 0, 0));
  EXPECT_EQ(LireCouleur("$00ff00"), RGB(0, 255, 0));
  EXPECT_EQ(LireCouleur("rouge"), std::nullopt);
  EXPECT_EQ(LireCouleur("$"), std::nullopt);
  EXPECT_EQ(LireCouleur("$1234567890"), std::nullopt);
  for (Couleur c : {RGB(1, 2, 3), RGB(60, 0, 0), RGB(38, 55, 34), RGB(0, 0, 0), kCouleurAucune, 0x00ABCDEFu})
    EXPECT_EQ(LireCouleur(TexteCouleur(c)), c) << TexteCouleur(c);
}

TEST(Mesures, DurationAndSizeTexts) {
  EXPECT_EQ(VersUtf8(TexteDuree(83500)), "Durée : 1 Min 23 sec 500 mill.");
  EXPECT_EQ(VersUtf8(TexteDuree(999)), "Durée : 0 Min 0 sec 999 mill.");
  EXPECT_EQ(VersUtf8(TexteDuree(3600000)), "Durée : 60 Min 0 sec 0 mill.");
  test::FichiersMemoire fichiers(StyleChemins::Posix, "/d");
  fichiers.Ajouter("/d/vide.txt");
  fichiers.Ajouter("/d/plein.txt", std::string(1234, 'x'));
  EXPECT_EQ(TexteTaille("vide.txt", fichiers), "Taille : 0 octets.");
  EXPECT_EQ(TexteTaille("/d/plein.txt", fichiers), "Taille : 1234 octets.");
  EXPECT_EQ(TexteTaille("/d/absent.txt", fichiers), "");
}

}  // namespace
}  // namespace plivor
